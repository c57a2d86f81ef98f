#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "formats/ImageRecord.h"
#include "shell/Provenance.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace lumagrove::shell {

class ImageWindow;

// The control window, "Lumagrove": it takes image files (dropped on it,
// chosen with "Load Image", or named on the command line), opens a window
// for every image read, lists the time of every finished operation under
// "Performance data:", shows the pixel under the mouse in any image window
// and the progress of long operations, and ends the program. GUI thread
// only.
class ControlWindow : public QWidget {
    Q_OBJECT

public:
    ControlWindow();

    // Lists the names under "Drop files here:", reads the files on a thread
    // of their own and opens their windows in the order of the names.
    void load(std::vector<std::string> names);
    // Opens a window of its own for the image; nothing once the program ends.
    // An image without a provenance comes from the file its title names.
    void openImage(std::unique_ptr<ImageRecord> record, Provenance provenance = {});
    // What the mouse points at in an image window.
    void showReadout(const QString& text);
    // The progress of `window`'s operation; empty when it has none.
    void showProgress(const ImageWindow* window, const QString& text);
    // Appends the line to "Performance data:" and selects it.
    void addPerformanceLine(const QString& line);
    // Closes every image window, stopping what they run and cancelling their
    // dialogs, and reads no more of the files still to come. Their threads
    // end on their own; nothing waits for them here.
    void closeAllImageWindows();

    QListWidget* performanceList() const { return performance_; }
    QListWidget* dropList() const { return drops_; }
    const std::vector<ImageWindow*>& imageWindows() const { return windows_; }

protected:
    // Exit and the close box: closes everything and ends the program once
    // the last thread has ended.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void threadEnded();

    QListWidget* drops_ = nullptr;
    QListWidget* performance_ = nullptr;
    QPushButton* closeAll_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* progress_ = nullptr;
    std::map<const ImageWindow*, QString> running_;
    std::vector<ImageWindow*> windows_;  // open, oldest first
    std::shared_ptr<std::atomic<bool>> stopReading_;
    int threadsRunning_ = 0;  // image windows' and readers'
    bool ending_ = false;
};

}  // namespace lumagrove::shell
