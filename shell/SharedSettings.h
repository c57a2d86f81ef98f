#pragma once

#include <atomic>

#include "operations/Settings.h"

namespace lumagrove::shell {

// The one set of operation parameters of the process. Dialogs and mouse
// releases write it from any image window's thread and every command reads
// it when it starts; each field is one value of its own, so atomics without a
// lock keep that free of data races while behaving as plain fields.
class SharedSettings {
public:
    Settings snapshot() const;

    std::int32_t windowSize() const { return windowSize_.load(); }
    void setParameters(std::int32_t windowSize, double sigma, std::int32_t threshold);
    void setEdgeParameters(std::int32_t gradientThreshold, std::int32_t gradientDirection);
    void setCutoff(std::int32_t x, std::int32_t y);

private:
    std::atomic<std::int32_t> windowSize_{Settings{}.windowSize};
    std::atomic<std::int32_t> threshold_{Settings{}.threshold};
    std::atomic<double> sigma_{Settings{}.sigma};
    std::atomic<std::int32_t> gradientThreshold_{Settings{}.gradientThreshold};
    std::atomic<std::int32_t> gradientDirection_{Settings{}.gradientDirection};
    std::atomic<std::int32_t> cutoffX_{Settings{}.cutoffX};
    std::atomic<std::int32_t> cutoffY_{Settings{}.cutoffY};
};

// The process's settings, with their initial values at start-up.
SharedSettings& TheSettings();

}  // namespace lumagrove::shell
