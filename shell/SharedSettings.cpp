#include "shell/SharedSettings.h"

namespace lumagrove::shell {

Settings SharedSettings::snapshot() const {
    const std::scoped_lock lock(mutex_);
    return settings_;
}

std::int32_t SharedSettings::windowSize() const {
    const std::scoped_lock lock(mutex_);
    return settings_.windowSize;
}

void SharedSettings::setParameters(std::int32_t windowSize, double sigma, std::int32_t threshold) {
    const std::scoped_lock lock(mutex_);
    settings_.windowSize = windowSize;
    settings_.sigma = sigma;
    settings_.threshold = threshold;
}

void SharedSettings::setEdgeParameters(std::int32_t gradientThreshold, std::int32_t gradientDirection) {
    const std::scoped_lock lock(mutex_);
    settings_.gradientThreshold = gradientThreshold;
    settings_.gradientDirection = gradientDirection;
}

void SharedSettings::setCutoff(std::int32_t x, std::int32_t y) {
    const std::scoped_lock lock(mutex_);
    settings_.cutoffX = x;
    settings_.cutoffY = y;
}

SharedSettings& TheSettings() {
    static SharedSettings settings;
    return settings;
}

}  // namespace lumagrove::shell
