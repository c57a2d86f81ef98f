#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Reporter.h"
#include "pictures/GreyConversion.h"
#include "pictures/Pictures.h"
#include "support/MessageLog.h"

namespace lumagrove::testing {

// What reading a picture gave: the grey image, or the messages instead.
struct ReadResult {
    int status = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> grey;
    std::vector<Message> messages;

    std::string firstMessage() const { return messages.empty() ? std::string() : messages[0].text; }
};

inline ReadResult ResultOf(const std::optional<ImageRecord>& read, const MessageLog& log) {
    ReadResult result;
    result.status = read ? 1 : 0;
    if (read) {
        result.width = read->width;
        result.height = read->height;
        result.grey.assign(read->pixels.begin(), read->pixels.end());
    }
    result.messages = log.messages;
    return result;
}

inline ReadResult DecodeBytes(const std::string& bytes, const std::string& name = "test.picture") {
    MessageLog log;
    return ResultOf(DecodePicture(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), name,
                                  log.reporter()),
                    log);
}

inline ReadResult ReadFile(const std::string& name) {
    MessageLog log;
    return ResultOf(ReadPicture(name, log.reporter()), log);
}

// The expected grey of one colour pixel, spelled out here from the rule the
// README gives, independently of the program's own helpers.
inline std::uint8_t ExpectedLuma(int r, int g, int b) {
    return static_cast<std::uint8_t>((4899 * r + 9617 * g + 1868 * b + 8192) >> 14);
}
inline int ExpectedOverWhite(int c, int a) { return (c * a + 255 * (255 - a) + 127) / 255; }
inline int ExpectedFromSixteen(int v) { return (v * 255 + 32767) / 65535; }

inline std::string NotAPictureText(const std::string& name) {
    return "File: " + name + " is not a picture this program can read.";
}

inline std::string TooLargeText(const std::string& name) {
    return "File: " + name + " has more pixels than this program can hold (2147483647 at most).";
}

}  // namespace lumagrove::testing
