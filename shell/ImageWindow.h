#pragma once

#include <memory>

#include <QWidget>

#include "formats/ImageRecord.h"
#include "shell/ImagePainting.h"

class QMenu;
class QMenuBar;
class QThread;

namespace lumagrove::shell {

class ControlWindow;
class ImageView;
class ImageWorker;

// A window of its own for one image: the menu bar ("&File", "&Action",
// "Options", from the operation table), the view of the image, and a thread
// of its own on which its worker runs the window's commands. The widget
// lives on the GUI thread. A closed window stops its worker's operation,
// cancels its dialogs, lets its thread end, and then goes.
class ImageWindow : public QWidget {
    Q_OBJECT

public:
    // Opens the window, titled "Loading..." until its image is ready, where
    // the cascade puts it, and starts its thread with the record.
    ImageWindow(std::unique_ptr<ImageRecord> record, ControlWindow& control);
    ~ImageWindow() override;

    ImageView* view() const { return view_; }
    QMenuBar* menus() const { return menuBar_; }
    // The "&Action" menu, which a right click pops up.
    QMenu* actionMenu() const { return actionMenu_; }

    // From the worker: the image is ready to show.
    void showImage(std::shared_ptr<const ShownImage> image, const QString& title);

signals:
    // The window's thread has ended; the window goes right after.
    void ended(ImageWindow* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void addMenus();
    void choose(int menuId);
    void place(QSize imageSize);

    QMenuBar* menuBar_ = nullptr;
    QMenu* actionMenu_ = nullptr;
    ImageView* view_ = nullptr;
    QThread* thread_ = nullptr;
    ImageWorker* worker_ = nullptr;
};

}  // namespace lumagrove::shell
