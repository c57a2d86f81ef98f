#include <algorithm>
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

// `head`, then zeros: without end as far as any sound reader goes, but
// stopping after `most` bytes, so that a reader that fails to stop fails
// the test instead of hanging it.
class ZerosAfter : public std::streambuf {
public:
    ZerosAfter(std::string head, std::size_t most) : head_(std::move(head)), zeros_(65536, '\0'), left_(most) {
        setg(head_.data(), head_.data(), head_.data() + head_.size());
    }
    std::size_t given = 0;

protected:
    int_type underflow() override {
        given += static_cast<std::size_t>(egptr() - eback());
        if (left_ == 0) return traits_type::eof();
        const std::size_t count = std::min(left_, zeros_.size());
        left_ -= count;
        setg(zeros_.data(), zeros_.data(), zeros_.data() + count);
        return 0;
    }

private:
    std::string head_;
    std::string zeros_;
    std::size_t left_;
};

TEST(StandardStreams, ReadsAsFarAsTheContentDeclares) {
    // A gray map over several read chunks, with every byte value: its
    // samples and nothing past them.
    const testing::TestImage noise = testing::RandomImage(1000, 3500, 7);
    const std::string header = "P5\n1000 3500\n255\n";
    std::istringstream in(header + std::string(noise.pixels.begin(), noise.pixels.end()) + "trailing");
    MessageLog log;
    const auto bytes = ReadWholeStream(in, log.reporter());
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), header.size() + noise.pixels.size());
    EXPECT_TRUE(std::equal(noise.pixels.begin(), noise.pixels.end(), bytes->begin() + header.size()));

    std::istringstream empty;
    EXPECT_EQ(ReadWholeStream(empty, log.reporter())->size(), 0u);
    EXPECT_TRUE(log.messages.empty());

    // Endless streams: a plain map's text a few bytes a sample (and room for
    // comments), and of content nothing reads only the first bytes.
    constexpr std::size_t kGiveUp = std::size_t{256} << 20;
    ZerosAfter plain("P2\n3 2\n255\n", kGiveUp);
    std::istream plainIn(&plain);
    EXPECT_LE(ReadWholeStream(plainIn, log.reporter())->size(), 11u + 6 * 8 + (1u << 20));
    ZerosAfter zeros("", kGiveUp);
    std::istream zerosIn(&zeros);
    EXPECT_EQ(ReadWholeStream(zerosIn, log.reporter())->size(), 12u);
    EXPECT_LT(zeros.given, kGiveUp);
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
