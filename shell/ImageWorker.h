#pragma once

#include <atomic>
#include <memory>

#include <QObject>
#include <QPoint>

#include "base/Bands.h"
#include "formats/ImageRecord.h"
#include "shell/Provenance.h"

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
    ImageWorker(std::unique_ptr<ImageRecord> record, Provenance provenance, ImageWindow& window,
                ControlWindow& control);

    // Prepares the image for the screen (its halvings, for showing it
    // reduced) and hands it to the window with the record's title.
    void prepare();
    // The selection's corners, for "Selected Area" and the local filters.
    void setSelection(QPoint from, QPoint to);
    // Runs the menu entry with this id.
    void run(int menuId);

    // Any thread may call these. Cancel stops the running operation; stop
    // also every later one, for the window is closing.
    void cancel() { operation_.request(); }
    void stop() {
        closing_ = true;
        operation_.request();
    }
    // How far the running operation has come, in percent.
    int progress() const { return operation_.progress(); }

private:
    void runOperation(const OperationEntry& entry);
    bool hasSelection() const;
    void copyCommand();
    void showHistogram();
    // Adds "LINE - COMMAND, FILE" to the performance list.
    void report(const std::string& line, const OperationEntry& entry);

    std::shared_ptr<ImageRecord> record_;
    Provenance provenance_;
    ImageWindow& window_;
    ControlWindow& control_;
    std::atomic<bool> closing_{false};
    StopToken operation_;
};

}  // namespace lumagrove::shell
