#include "shell/SharedSettings.h"

namespace lumagrove::shell {

Settings SharedSettings::snapshot() const {
    Settings settings;
    settings.windowSize = windowSize_.load();
    settings.threshold = threshold_.load();
    settings.sigma = sigma_.load();
    settings.gradientThreshold = gradientThreshold_.load();
    settings.gradientDirection = gradientDirection_.load();
    settings.cutoffX = cutoffX_.load();
    settings.cutoffY = cutoffY_.load();
    return settings;
}

void SharedSettings::setParameters(std::int32_t windowSize, double sigma, std::int32_t threshold) {
    windowSize_.store(windowSize);
    sigma_.store(sigma);
    threshold_.store(threshold);
}

void SharedSettings::setEdgeParameters(std::int32_t gradientThreshold, std::int32_t gradientDirection) {
    gradientThreshold_.store(gradientThreshold);
    gradientDirection_.store(gradientDirection);
}

void SharedSettings::setCutoff(std::int32_t x, std::int32_t y) {
    cutoffX_.store(x);
    cutoffY_.store(y);
}

SharedSettings& TheSettings() {
    static SharedSettings settings;
    return settings;
}

}  // namespace lumagrove::shell
