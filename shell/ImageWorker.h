#pragma once

#include <memory>

#include <QObject>
#include <QPoint>

#include "base/Bands.h"
#include "formats/ImageRecord.h"

namespace lumagrove {
struct OperationEntry;
}

namespace lumagrove::shell {

class ControlWindow;
class ImageWindow;

// The thread side of an image window: it owns the window's record and runs
// the window's commands, dialogs and operations, one after the other, so a
// long operation holds up only its own window. It lives on the window's
// thread; the window calls it there with queued calls, and it answers the
// same way.
class ImageWorker : public QObject {
    Q_OBJECT

public:
    ImageWorker(std::unique_ptr<ImageRecord> record, ImageWindow& window, ControlWindow& control);

    // Prepares the image for the screen (its halvings, for showing it
    // reduced) and hands it to the window with the record's title.
    void prepare();
    // The selection's corners, for "Selected Area".
    void setSelection(QPoint from, QPoint to);
    // Runs the menu entry with this id.
    void run(int menuId);

    // Stops the running operation, if any, and every later one: the window
    // is closing. Any thread may call it.
    void stop() { stop_.request(); }

private:
    void runOperation(const OperationEntry& entry);

    std::shared_ptr<ImageRecord> record_;
    ImageWindow& window_;
    ControlWindow& control_;
    StopToken stop_;
};

}  // namespace lumagrove::shell
