#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>

#include "cli/StandardStreams.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove::cli {
namespace {

using testing::MessageLog;

// A stream that takes `room` bytes and then refuses, as a pipe does once
// its reader has gone.
class FullBuffer : public std::streambuf {
public:
    explicit FullBuffer(std::size_t room) : room_(room) {}
    std::string taken;

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        const std::size_t fits = std::min<std::size_t>(room_ - taken.size(), static_cast<std::size_t>(count));
        taken.append(bytes, fits);
        return static_cast<std::streamsize>(fits);
    }
    int_type overflow(int_type c) override {
        if (taken.size() == room_ || traits_type::eq_int_type(c, traits_type::eof())) return traits_type::eof();
        taken.push_back(traits_type::to_char_type(c));
        return c;
    }

private:
    std::size_t room_;
};

TEST(StandardStreams, ReadsEverythingToTheEnd) {
    // Several read chunks and a partial one, with every byte value.
    const testing::TestImage noise = testing::RandomImage(1000, 3500, 7);
    std::istringstream in(std::string(noise.pixels.begin(), noise.pixels.end()));
    MessageLog log;
    const auto bytes = ReadWholeStream(in, log.reporter());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, noise.pixels);

    std::istringstream empty;
    EXPECT_EQ(ReadWholeStream(empty, log.reporter())->size(), 0u);
    EXPECT_TRUE(log.messages.empty());
}

TEST(StandardStreams, WritesThroughACStreamAndSaysWhenTheReaderIsGone) {
    const testing::TestImage noise = testing::RandomImage(512, 300, 8);
    const auto writeNoise = [&](std::FILE* file) {
        return std::fwrite(noise.pixels.data(), 1, noise.pixels.size(), file) == noise.pixels.size();
    };
    MessageLog log;
    std::ostringstream out;
    EXPECT_TRUE(WriteIntoStream(out, writeNoise, log.reporter()));
    EXPECT_EQ(out.str(), std::string(noise.pixels.begin(), noise.pixels.end()));
    EXPECT_TRUE(log.messages.empty());

    for (const std::size_t room : {std::size_t{0}, std::size_t{5000}, noise.pixels.size() - 1}) {
        FullBuffer full(room);
        std::ostream refusing(&full);
        MessageLog refused;
        EXPECT_FALSE(WriteIntoStream(refusing, writeNoise, refused.reporter())) << room;
        ASSERT_EQ(refused.messages.size(), 1u);
        EXPECT_EQ(refused.messages[0].text, "File: standard output could not be written.");
    }

    MessageLog failed;
    EXPECT_FALSE(WriteIntoStream(
        out, [](std::FILE*) { return false; }, failed.reporter()));
    EXPECT_EQ(failed.messages.size(), 1u);
}

}  // namespace
}  // namespace lumagrove::cli
