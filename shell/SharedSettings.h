#pragma once

#include <cstdint>
#include <mutex>

#include "operations/Settings.h"

namespace lumagrove::shell {

// The one set of operation parameters of the process. Dialogs and mouse
// releases write it from any image window's thread and every command reads
// it when it starts. A dialog's OK changes several values at once, so one
// lock guards them all: a command starting meanwhile sees either all the old
// values or all the new ones, never a mixture.
class SharedSettings {
public:
    Settings snapshot() const;

    std::int32_t windowSize() const;
    void setParameters(std::int32_t windowSize, double sigma, std::int32_t threshold);
    void setEdgeParameters(std::int32_t gradientThreshold, std::int32_t gradientDirection);
    void setCutoff(std::int32_t x, std::int32_t y);

private:
    mutable std::mutex mutex_;
    Settings settings_;
};

// The process's settings, with their initial values at start-up.
SharedSettings& TheSettings();

}  // namespace lumagrove::shell
