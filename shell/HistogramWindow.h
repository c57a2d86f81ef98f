#pragma once

#include <QWidget>

#include "imaging/EqualizationMap.h"

class QCheckBox;
class QLabel;

namespace lumagrove::shell {

// A tool window with the histogram of an image (or of its selection) and its
// statistics: not an image window, so nothing processes it and it logs no
// time. Bars are linear or logarithmic; "Copy as Text" copies the levels'
// counts and the statistics as the command line's `histogram` prints them.
class HistogramWindow : public QWidget {
    Q_OBJECT

public:
    // `text` is the histogram as the command line prints it; `statistics`
    // the lines shown below the bars.
    HistogramWindow(const QString& name, const Histogram& counts, const QString& statistics, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect barsArea() const;

    Histogram counts_;
    QCheckBox* logarithmic_ = nullptr;
};

}  // namespace lumagrove::shell
