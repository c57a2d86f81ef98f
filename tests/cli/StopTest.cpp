#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "support/TemporaryFolder.h"

extern char** environ;

namespace lumagrove {
namespace {

using testing::TemporaryFolder;

// Circle detection on noise takes seconds at this size: long enough that
// Ctrl+C, sent once the tool has the whole image, finds it at work.
std::string NoisePgm(int side) {
    std::string bytes = "P5\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n";
    std::mt19937 generator(9);
    for (int i = 0; i < side * side; ++i) bytes += static_cast<char>(generator() & 0xFF);
    return bytes;
}

TEST(Stop, CtrlCEndsTheWorkAndLeavesNoFile) {
    TemporaryFolder folder;
    const std::string output = folder.file("circles.pgm");
    int input[2];
    int errors[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(pipe(errors), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addclose(&actions, errors[0]);
    std::vector<std::string> words = {LUMAGROVE_CLI, "circles", "-", output};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(errors[1]);

    const std::string image = NoisePgm(4096);
    for (std::size_t sent = 0; sent < image.size();) {
        const ssize_t written = write(input[1], image.data() + sent, image.size() - sent);
        ASSERT_GT(written, 0);
        sent += static_cast<std::size_t>(written);
    }
    close(input[1]);
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_EQ(kill(child, SIGINT), 0);
    std::string err;
    char buffer[256];
    for (ssize_t got; (got = read(errors[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<std::size_t>(got));
    close(errors[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const auto delay = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    std::cout << "Ctrl+C to the end of the process: " << delay << " s\n";  // reported, not asserted

    ASSERT_TRUE(WIFEXITED(status)) << err;
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT) << err;
    EXPECT_EQ(err, "lumagrove-cli: stopped\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));  // no result, no temporary file
}

}  // namespace
}  // namespace lumagrove
