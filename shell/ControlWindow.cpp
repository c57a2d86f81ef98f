#include "shell/ControlWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QThread>

#include "shell/DialogRequests.h"
#include "shell/FileDialogs.h"
#include "shell/FileIntake.h"
#include "shell/FixedFrames.h"
#include "shell/ImageWindow.h"
#include "shell/WindowPlacement.h"

namespace lumagrove::shell {

ControlWindow::ControlWindow() : stopReading_(std::make_shared<std::atomic<bool>>(false)) {
    SetRefusingDialogs(false);
    setWindowTitle("Lumagrove");
    setAcceptDrops(true);
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    drops_ = new QListWidget;
    drops_->setSortingEnabled(true);
    performance_ = new QListWidget;
    const int line = fontMetrics().height();
    drops_->setFixedSize(8 * line, 7 * line);
    performance_->setFixedSize(16 * line, 7 * line);
    grid->addWidget(new QLabel("Drop files here:"), 0, 0);
    grid->addWidget(new QLabel("Performance data:"), 0, 1, 1, 2);
    grid->addWidget(drops_, 1, 0);
    grid->addWidget(performance_, 1, 1, 1, 2);
    auto* loadImage = new QPushButton("Load Image");
    closeAll_ = new QPushButton("Close All");
    auto* exit = new QPushButton("Exit");
    loadImage->setDefault(true);
    closeAll_->setEnabled(false);
    grid->addWidget(loadImage, 2, 0);
    grid->addWidget(closeAll_, 2, 1);
    grid->addWidget(exit, 2, 2);
    readout_ = new QLabel;
    progress_ = new QLabel;
    for (QLabel* label : {readout_, progress_}) {
        label->setFixedWidth(24 * line);
        label->setTextFormat(Qt::PlainText);
    }
    grid->addWidget(readout_, 3, 0, 1, 3);
    grid->addWidget(progress_, 4, 0, 1, 3);
    const auto askToOpen = [this] { AskToOpen(this, [this](const std::string& name) { load({name}); }); };
    connect(loadImage, &QPushButton::clicked, this, askToOpen);
    connect(closeAll_, &QPushButton::clicked, this, &ControlWindow::closeAllImageWindows);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    // Ctrl+O and Ctrl+Q work from every window of the program.
    auto* open = new QShortcut(QKeySequence::Open, this);
    auto* quit = new QShortcut(QKeySequence::Quit, this);
    open->setContext(Qt::ApplicationShortcut);
    quit->setContext(Qt::ApplicationShortcut);
    connect(open, &QShortcut::activated, this, askToOpen);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    adjustSize();
    // Out of the way of the image windows, which cascade from the top left.
    DockAtRightEdge(*this);
    OfferNoMinimiseOrMaximise(*this);
}

void ControlWindow::load(std::vector<std::string> names) {
    if (ending_ || names.empty()) return;
    for (const std::string& name : names) drops_->addItem(QString::fromLocal8Bit(name));
    QThread* reader = StartReading(
        std::move(names), *this,
        [this](std::unique_ptr<ImageRecord> record) {
            const std::string file = record->title;
            openImage(std::move(record), Provenance{file, {}});
        },
        stopReading_);
    ++threadsRunning_;
    connect(reader, &QThread::finished, this, &ControlWindow::threadEnded);
    reader->start();
}

void ControlWindow::openImage(std::unique_ptr<ImageRecord> record, Provenance provenance) {
    if (ending_) return;
    if (provenance.file.empty()) provenance.file = record->title;
    auto* window = new ImageWindow(std::move(record), std::move(provenance), *this);
    windows_.push_back(window);
    ++threadsRunning_;
    closeAll_->setEnabled(true);
    connect(window, &ImageWindow::ended, this, [this](ImageWindow* ended) {
        std::erase(windows_, ended);
        closeAll_->setEnabled(!windows_.empty());
        threadEnded();
    });
}

void ControlWindow::addPerformanceLine(const QString& line) {
    performance_->addItem(line);
    performance_->setCurrentRow(performance_->count() - 1);
}

void ControlWindow::showReadout(const QString& text) { readout_->setText(text); }

void ControlWindow::showProgress(const ImageWindow* window, const QString& text) {
    if (text.isEmpty()) {
        running_.erase(window);
    } else {
        running_[window] = text;
    }
    QStringList lines;
    for (const auto& [_, line] : running_) lines << line;
    progress_->setText(progress_->fontMetrics().elidedText(lines.join("; "), Qt::ElideRight, progress_->width()));
}

void ControlWindow::closeAllImageWindows() {
    // Files still to be read stop coming; later ones come again.
    stopReading_->store(true);
    stopReading_ = std::make_shared<std::atomic<bool>>(false);
    for (ImageWindow* window : std::vector(windows_)) window->close();
}

void ControlWindow::closeEvent(QCloseEvent* event) {
    if (!ending_) {
        ending_ = true;
        SetRefusingDialogs(true);
        closeAllImageWindows();
    }
    event->accept();
    if (threadsRunning_ == 0) QApplication::quit();
}

void ControlWindow::threadEnded() {
    --threadsRunning_;
    if (ending_ && threadsRunning_ == 0) QApplication::quit();
}

void ControlWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// In the order the drop lists them; long names are never cut short.
void ControlWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) names.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    load(std::move(names));
    event->acceptProposedAction();
}

}  // namespace lumagrove::shell
