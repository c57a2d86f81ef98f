#include "platform/qt/UpDownControl.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace lumagrove::platform::backend {

UpDownControl::UpDownControl(std::function<void(bool)> onStep, QWidget* parent)
    : QWidget(parent), onStep_(std::move(onStep)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const bool up : {true, false}) {
        auto* button = new QToolButton(this);
        button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, up] { onStep_(up); });
        layout->addWidget(button);
    }
}

void UpDownControl::click(bool up) { onStep_(up); }

}  // namespace lumagrove::platform::backend
