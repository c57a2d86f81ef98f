#include "shell/ImageWorker.h"

#include <chrono>

#include "operations/OperationTable.h"
#include "session/Messages.h"
#include "session/RunEntry.h"
#include "shell/ControlWindow.h"
#include "shell/DialogRequests.h"
#include "shell/FileDialogs.h"
#include "shell/ImageWindow.h"
#include "shell/ParameterDialogs.h"
#include "shell/SharedSettings.h"

namespace lumagrove::shell {

namespace {

// The record's own pixels, seen as a grey image; the record lives as long
// as the image does, whichever of the window and its thread lets go last.
QImage ImageOver(const std::shared_ptr<ImageRecord>& record) {
    const auto release = [](void* keeper) { delete static_cast<std::shared_ptr<ImageRecord>*>(keeper); };
    if (record->width <= 0 || record->height <= 0) return {};
    return QImage(record->pixels.data(), record->width, record->height, record->width, QImage::Format_Grayscale8,
                  release, new std::shared_ptr<ImageRecord>(record));
}

}  // namespace

ImageWorker::ImageWorker(std::unique_ptr<ImageRecord> record, ImageWindow& window, ControlWindow& control)
    : record_(std::move(record)), window_(window), control_(control) {
    record_->downX = record_->downY = record_->upX = record_->upY = 0;
}

void ImageWorker::prepare() {
    auto shown = std::make_shared<ShownImage>();
    shown->pixels = ImageOver(record_);
    shown->halvings = HalvingsOf(shown->pixels);
    const QString title = QString::fromLocal8Bit(record_->title);
    QMetaObject::invokeMethod(&window_, [window = &window_, shown, title] { window->showImage(shown, title); });
}

void ImageWorker::setSelection(QPoint from, QPoint to) {
    record_->downX = from.x();
    record_->downY = from.y();
    record_->upX = to.x();
    record_->upY = to.y();
}

void ImageWorker::run(int menuId) {
    const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(menuId));
    if (entry == nullptr || stop_.requested()) return;
    switch (entry->kind) {
        case EntryKind::EditSettings: AskParameters(entry->dialog, &window_); return;
        case EntryKind::SaveAs: SaveImageAs(&window_, *record_); return;
        case EntryKind::Operation: runOperation(*entry); return;
        case EntryKind::Close:
        case EntryKind::NoAction: return;
    }
}

// The time is taken first, so that it includes a dialog's time on screen.
// The result, titled "Processed Image", opens in a window of its own; the
// source record is not changed.
void ImageWorker::runOperation(const OperationEntry& entry) {
    const auto start = std::chrono::steady_clock::now();
    if (!AskParameters(entry.dialog, &window_)) return;
    OperationArguments arguments;
    static_cast<Settings&>(arguments) = TheSettings().snapshot();
    arguments.downX = record_->downX;
    arguments.downY = record_->downY;
    arguments.upX = record_->upX;
    arguments.upY = record_->upY;
    session::EntryRun run;
    {
        const StopScope scope(stop_);
        run = session::RunEntry(entry, *record_, arguments, MessageBoxReporter(&window_));
    }
    if (!run.finished || run.stopped) return;
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    const QString line = QString::fromStdString(session::CompletedIn(static_cast<std::int32_t>(elapsed.count())));
    QMetaObject::invokeMethod(&control_, [control = &control_, line] { control->addPerformanceLine(line); });
    if (!run.result || stop_.requested()) return;
    auto result = std::make_shared<ImageRecord>(std::move(*run.result));
    result->title = "Processed Image";
    QMetaObject::invokeMethod(&control_, [control = &control_, result] {
        control->openImage(std::make_unique<ImageRecord>(std::move(*result)));
    });
}

}  // namespace lumagrove::shell
