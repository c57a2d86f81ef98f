#include "shell/HistogramWindow.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumagrove::shell {

namespace {

constexpr int kBarsHeight = 200;
constexpr int kMargin = 8;

}  // namespace

HistogramWindow::HistogramWindow(const QString& name, const Histogram& counts, const QString& statistics,
                                 const QString& text)
    : counts_(counts) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Tool);
    setWindowTitle("Histogram of " + name);
    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(kBarsHeight + 2 * kMargin);
    auto* numbers = new QLabel(statistics);
    numbers->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(numbers);
    logarithmic_ = new QCheckBox("Logarithmic");
    auto* copy = new QPushButton("Copy as Text");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logarithmic_);
    buttons->addStretch();
    buttons->addWidget(copy);
    layout->addLayout(buttons);
    connect(logarithmic_, &QCheckBox::toggled, this, qOverload<>(&QWidget::update));
    connect(copy, &QPushButton::clicked, this, [text] { QGuiApplication::clipboard()->setText(text); });
    setMinimumWidth(2 * 256 + 2 * kMargin + 2 * layout->contentsMargins().left());
}

QRect HistogramWindow::barsArea() const {
    const int left = layout()->contentsMargins().left() + kMargin;
    return QRect(left, layout()->contentsMargins().top() + kMargin, width() - 2 * left, kBarsHeight);
}

// Each level's bar over the width it has, in the scale chosen.
void HistogramWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = barsArea();
    painter.fillRect(area, Qt::white);
    const bool logarithmic = logarithmic_->isChecked();
    const auto height = [logarithmic](std::int32_t count) {
        return logarithmic ? std::log1p(static_cast<double>(count)) : static_cast<double>(count);
    };
    const double tallest = std::max(height(*std::max_element(counts_.begin(), counts_.end())), 1.0);
    for (int level = 0; level < 256; ++level) {
        const int left = area.left() + area.width() * level / 256;
        const int right = area.left() + area.width() * (level + 1) / 256;
        const int bar = static_cast<int>(std::lround(area.height() * height(counts_[level]) / tallest));
        painter.fillRect(QRect(left, area.bottom() + 1 - bar, std::max(right - left, 1), bar), Qt::darkGray);
    }
    painter.setPen(Qt::gray);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

}  // namespace lumagrove::shell
