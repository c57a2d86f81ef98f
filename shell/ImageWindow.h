#pragma once

#include <memory>

#include <QWidget>

#include "formats/ImageRecord.h"
#include "shell/ImagePainting.h"
#include "shell/Provenance.h"

class QMenu;
class QMenuBar;
class QThread;
class QTimer;

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
    ImageWindow(std::unique_ptr<ImageRecord> record, Provenance provenance, ControlWindow& control);
    ~ImageWindow() override;

    ImageView* view() const { return view_; }
    // The image's name, as the title shows it before its zoom and progress.
    const QString& imageName() const { return name_; }
    QMenuBar* menus() const { return menuBar_; }
    // The "&Action" menu, which a right click pops up.
    QMenu* actionMenu() const { return actionMenu_; }

    // From the worker: the image is ready to show.
    void showImage(std::shared_ptr<const ShownImage> image, const QString& title);
    // From the worker: an operation (its command's name) runs, or has ended.
    // One that runs longer than a moment shows its progress in the title
    // and in the control window.
    void operationStarted(const QString& command);
    void operationEnded();

signals:
    // The window's thread has ended; the window goes right after.
    void ended(ImageWindow* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc cancels the operation under way.
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void addMenus();
    void choose(int menuId);
    void place(QSize imageSize);
    // The title: the image's name, its zoom when not 100%, and the progress
    // of a long operation.
    void updateTitle();
    void showReadout(QPoint pixel, int value);

    QMenuBar* menuBar_ = nullptr;
    QMenu* actionMenu_ = nullptr;
    ImageView* view_ = nullptr;
    QThread* thread_ = nullptr;
    ImageWorker* worker_ = nullptr;
    ControlWindow& control_;
    QString name_ = "Loading...";
    QString running_;  // the command of the operation under way
    bool showingProgress_ = false;
    QTimer* progressTimer_ = nullptr;
};

}  // namespace lumagrove::shell
