#include "shell/ImageWindow.h"

#include <string_view>

#include <QCloseEvent>
#include <QMenuBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "operations/OperationTable.h"
#include "shell/ControlWindow.h"
#include "shell/DialogRequests.h"
#include "shell/ImageView.h"
#include "shell/ImageWorker.h"
#include "shell/SharedSettings.h"
#include "shell/WindowPlacement.h"

namespace lumagrove::shell {

namespace {

// How long an operation runs before its progress shows.
constexpr int kQuietMilliseconds = 300;
constexpr int kProgressMilliseconds = 100;

// The popup of `menu` with this text, added at the end the first time.
QMenu* PopupIn(QWidget* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr && action->text() == text) return action->menu();
    }
    auto* popup = new QMenu(text, menu);
    menu->addAction(popup->menuAction());
    return popup;
}

}  // namespace

ImageWindow::ImageWindow(std::unique_ptr<ImageRecord> record, Provenance provenance, ControlWindow& control)
    : control_(control) {
    setWindowTitle(name_);
    const QSize imageSize(record->width, record->height);
    menuBar_ = new QMenuBar(this);
    addMenus();
    view_ = new ImageView(imageSize, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(view_);
    setFocusProxy(view_);
    connect(view_, &ImageView::contextMenuAsked, actionMenu_, [this](QPoint at) { actionMenu_->popup(at); });
    connect(view_, &ImageView::pointedAt, this, &ImageWindow::showReadout);
    connect(view_, &ImageView::zoomChanged, this, &ImageWindow::updateTitle);
    progressTimer_ = new QTimer(this);
    connect(progressTimer_, &QTimer::timeout, this, [this] {
        showingProgress_ = true;
        progressTimer_->setInterval(kProgressMilliseconds);
        updateTitle();
    });

    thread_ = new QThread(this);
    worker_ = new ImageWorker(std::move(record), std::move(provenance), *this, control);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(thread_, &QThread::finished, this, [this] {
        emit ended(this);
        deleteLater();
    });
    connect(view_, &ImageView::selectionMade, this, [this](QPoint from, QPoint to) {
        // Every release sets the cut-off point of the Fourier filters, in
        // any window.
        TheSettings().setCutoff(to.x(), to.y());
        QMetaObject::invokeMethod(worker_, [worker = worker_, from, to] { worker->setSelection(from, to); });
    });

    place(imageSize);
    show();
    raise();
    activateWindow();
    thread_->start();
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->prepare(); });
}

ImageWindow::~ImageWindow() { thread_->wait(); }

// The menu bar from the operation table: popups in the order the table
// first names them, entries in the table's order within their popup.
void ImageWindow::addMenus() {
    constexpr std::string_view kStep = " > ";
    for (const OperationEntry& entry : OperationTable()) {
        QWidget* menu = menuBar_;
        std::string_view path = entry.menuPath;
        for (std::size_t step = path.find(kStep); step != std::string_view::npos; step = path.find(kStep)) {
            menu = PopupIn(menu, QString::fromUtf8(path.data(), static_cast<qsizetype>(step)));
            path.remove_prefix(step + kStep.size());
        }
        QAction* action = new QAction(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())), menu);
        action->setData(entry.menuId);
        if (entry.shortcut != nullptr) action->setShortcut(QKeySequence(entry.shortcut));
        menu->addAction(action);
        connect(action, &QAction::triggered, this, [this, id = entry.menuId] { choose(id); });
    }
    actionMenu_ = menuBar_->actions().at(1)->menu();
    setMinimumWidth(menuBar_->sizeHint().width());
}

void ImageWindow::choose(int menuId) {
    const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(menuId));
    if (entry != nullptr && entry->kind == EntryKind::Close) {
        close();
        return;
    }
    QMetaObject::invokeMethod(worker_, [worker = worker_, menuId] { worker->run(menuId); });
}

void ImageWindow::showImage(std::shared_ptr<const ShownImage> image, const QString& title) {
    view_->showImage(std::move(image));
    name_ = title;
    updateTitle();
}

void ImageWindow::operationStarted(const QString& command) {
    running_ = command;
    progressTimer_->start(kQuietMilliseconds);
}

void ImageWindow::operationEnded() {
    showingProgress_ = false;
    progressTimer_->stop();
    control_.showProgress(this, {});
    updateTitle();
}

void ImageWindow::updateTitle() {
    QString title = name_;
    const double zoom = view_->zoom();
    if (zoom != 1.0) title += QString(" (%1%)").arg(zoom * 100, 0, 'f', zoom < 0.1 ? 1 : 0);
    if (showingProgress_) {
        const QString progress = QString("%1 %2%").arg(running_).arg(worker_->progress());
        title += " - " + progress;
        control_.showProgress(this, name_ + ": " + progress);
    }
    setWindowTitle(title);
}

void ImageWindow::showReadout(QPoint pixel, int value) {
    QString text = QString("x=%1 y=%2").arg(pixel.x()).arg(pixel.y());
    if (value >= 0) text += QString(" value=%1").arg(value);
    const QSize size = view_->imageSize();
    control_.showReadout(
        text +
        QString("   zoom %1%   %2 x %3").arg(view_->zoom() * 100, 0, 'f', 1).arg(size.width()).arg(size.height()));
}

// The image at its own size when that fits the screen; otherwise reduced to
// fit, leaving a cascade step free so that the next window is not placed
// exactly over this one.
void ImageWindow::place(QSize imageSize) {
    const QRect area = PlacementArea();
    const QMargins frame = FrameMargins();
    const int menuHeight = menuBar_->sizeHint().height();
    QSize room(area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom() - menuHeight);
    const QSize least(menuBar_->sizeHint().width(), kLeastViewHeight);
    ViewFit fit = FitView(imageSize, room, least);
    if (fit.zoom < 1.0) fit = FitView(imageSize, room - QSize(kCascadeStep, kCascadeStep), least);
    const QSize outer(fit.view.width() + frame.left() + frame.right(),
                      fit.view.height() + menuHeight + frame.top() + frame.bottom());
    move(NextCascadePosition(outer, area));
    resize(fit.view.width(), fit.view.height() + menuHeight);
    layout()->activate();
    view_->startAt(fit.zoom);
}

void ImageWindow::closeEvent(QCloseEvent* event) {
    worker_->stop();
    showingProgress_ = false;
    progressTimer_->stop();
    control_.showProgress(this, {});
    CancelDialogs(this);
    thread_->quit();
    event->accept();
}

void ImageWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        worker_->cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ImageWindow::moveEvent(QMoveEvent*) {
    if (isVisible()) NoteFrameOf(*this);
}

}  // namespace lumagrove::shell
