#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace lumagrove::testing {
namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
        read = ends[0];
        write = ends[1];
    }
};

void CloseIfOpen(int& descriptor) {
    if (descriptor >= 0) close(descriptor);
    descriptor = -1;
}

// Spawns with the given descriptors as standard input, output and error.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int in, int out, int err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = -1;
    const int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) throw std::runtime_error("cannot start " + program);
    return child;
}

void Finish(pid_t child, ProgramRun& run) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
}

// Blocks SIGPIPE in this thread while it lives: a child that exits before
// reading all its input must fail our write, not end the test program.
class QuietPipe {
public:
    QuietPipe() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &previous_);
    }
    ~QuietPipe() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        const timespec noWait{};
        while (sigtimedwait(&pipe, nullptr, &noWait) > 0) {}
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }

private:
    sigset_t previous_;
};

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, std::string_view input,
                      std::size_t outputLimit) {
    const QuietPipe quiet;
    Pipe in;
    Pipe out;
    Pipe err;
    const pid_t child = Spawn(program, arguments, in.read, out.write, err.write);
    CloseIfOpen(in.read);
    CloseIfOpen(out.write);
    CloseIfOpen(err.write);
    fcntl(in.write, F_SETFL, O_NONBLOCK);
    if (input.empty()) CloseIfOpen(in.write);
    if (outputLimit == 0) CloseIfOpen(out.read);

    ProgramRun run;
    std::size_t fed = 0;
    char buffer[65536];
    while (out.read >= 0 || err.read >= 0) {
        pollfd watched[3] = {{in.write, POLLOUT, 0}, {out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
        if (poll(watched, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (in.write >= 0 && watched[0].revents != 0) {
            const ssize_t wrote = write(in.write, input.data() + fed, input.size() - fed);
            if (wrote > 0) fed += static_cast<std::size_t>(wrote);
            if (wrote < 0 && errno != EAGAIN) fed = input.size();  // the child has stopped reading
            if (fed == input.size()) CloseIfOpen(in.write);
        }
        const auto drain = [&](const pollfd& watch, int& descriptor, std::string& text, std::size_t limit) {
            if (descriptor < 0 || watch.revents == 0) return;
            const ssize_t got = read(descriptor, buffer, sizeof buffer);
            if (got > 0) text.append(buffer, static_cast<std::size_t>(got));
            if (got <= 0 || text.size() >= limit) CloseIfOpen(descriptor);
        };
        drain(watched[1], out.read, run.out, outputLimit);
        drain(watched[2], err.read, run.err, std::numeric_limits<std::size_t>::max());
    }
    CloseIfOpen(in.write);
    Finish(child, run);
    return run;
}

ProgramRun RunOnTerminal(const std::string& program, const std::vector<std::string>& arguments, int columns) {
    int controller = -1;
    int terminal = -1;
    winsize size{};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(columns);
    if (openpty(&controller, &terminal, nullptr, nullptr, &size) != 0) throw std::runtime_error("no terminal");
    fcntl(controller, F_SETFD, FD_CLOEXEC);
    fcntl(terminal, F_SETFD, FD_CLOEXEC);
    const pid_t child = Spawn(program, arguments, terminal, terminal, terminal);
    close(terminal);

    ProgramRun run;
    char buffer[4096];
    // Once the child and everything it started have closed the terminal,
    // reading fails (EIO).
    for (ssize_t got; (got = read(controller, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            if (errno == EINTR) continue;
            break;
        }
        run.out.append(buffer, static_cast<std::size_t>(got));
    }
    close(controller);
    Finish(child, run);
    return run;
}

}  // namespace lumagrove::testing
