#pragma once

#include <memory>

#include <QWidget>

#include "platform/qt/WindowRecord.h"

class QMenuBar;

namespace lumagrove::platform::backend {

// The client area: shows the window's presented frame on white and reports
// the mouse to the window's thread.
class ClientCanvas : public QWidget {
public:
    ClientCanvas(std::shared_ptr<WindowRecord> record, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::shared_ptr<WindowRecord> record_;
};

// A top-level window: an optional menu bar above the client area.
class TopLevelWidget : public QWidget {
public:
    explicit TopLevelWidget(std::shared_ptr<WindowRecord> record);

    ClientCanvas* canvas() const { return canvas_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Moves the widget and sizes it for this outer frame.
    void applyPlacement(const Rect& outer);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int menuHeight() const;
    void arrangeChildren();

    std::shared_ptr<WindowRecord> record_;
    QMenuBar* menuBar_ = nullptr;
    ClientCanvas* canvas_ = nullptr;
};

void CreateTopLevelWidget(const std::shared_ptr<WindowRecord>& record);

}  // namespace lumagrove::platform::backend
