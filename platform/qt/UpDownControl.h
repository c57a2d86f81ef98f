#pragma once

#include <functional>

#include <QWidget>

namespace lumagrove::platform::backend {

// A pair of arrow buttons that step a number; what they step is up to `onStep`.
class UpDownControl : public QWidget {
public:
    UpDownControl(std::function<void(bool up)> onStep, QWidget* parent);

    void click(bool up);

private:
    std::function<void(bool)> onStep_;
};

}  // namespace lumagrove::platform::backend
