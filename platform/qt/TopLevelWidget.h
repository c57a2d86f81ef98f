#pragma once

#include <memory>
#include <optional>

#include <QWidget>

#include "platform/qt/ClientView.h"
#include "platform/qt/WindowRecord.h"

class QMenuBar;

namespace lumagrove::platform::backend {

// A top-level window: an optional menu bar above the view of the client area.
class TopLevelWidget : public QWidget {
public:
    explicit TopLevelWidget(std::shared_ptr<WindowRecord> record);

    ClientView* view() const { return view_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Shows the record's client area with the window's outer top left at
    // `position`, or where the cascade puts it; the view capped to the screen
    // area and zoomed to fit it when need be.
    void place(std::optional<QPoint> position);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int menuHeight() const;
    // All of the menu bar's entries, side by side.
    int menuWidth() const;
    void arrangeChildren();

    std::shared_ptr<WindowRecord> record_;
    QMenuBar* menuBar_ = nullptr;
    ClientView* view_ = nullptr;
};

void CreateTopLevelWidget(const std::shared_ptr<WindowRecord>& record);

}  // namespace lumagrove::platform::backend
