#include "shell/ImageWorker.h"

#include <algorithm>
#include <chrono>
#include <variant>

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

#include "imaging/LevelHistogram.h"
#include "operations/OperationTable.h"
#include "session/Messages.h"
#include "session/RunEntry.h"
#include "shell/ControlWindow.h"
#include "shell/DialogRequests.h"
#include "shell/FileDialogs.h"
#include "shell/HistogramWindow.h"
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

// Entries whose options take the selection's corners work on the selection.
bool UsesSelection(const OperationEntry& entry) {
    return std::any_of(entry.options.begin(), entry.options.end(), [](const OptionDescriptor* option) {
        const auto* point = std::get_if<PointField>(&option->field);
        return point != nullptr && point->x == &OperationArguments::downX;
    });
}

void Tell(const QWidget* window, const char* caption, const char* text) {
    AskAndWait(
        [caption, text] {
            auto* box = new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok);
            DressMessageBox(*box, caption);
            return box;
        },
        window);
}

std::int32_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace

ImageWorker::ImageWorker(std::unique_ptr<ImageRecord> record, Provenance provenance, ImageWindow& window,
                         ControlWindow& control)
    : record_(std::move(record)), provenance_(std::move(provenance)), window_(window), control_(control) {
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
    if (entry == nullptr || closing_) return;
    switch (entry->kind) {
        case EntryKind::EditSettings: AskParameters(entry->dialog, &window_); return;
        case EntryKind::SaveAs: SaveImageAs(&window_, *record_); return;
        case EntryKind::Operation: runOperation(*entry); return;
        case EntryKind::CopyCommand: copyCommand(); return;
        case EntryKind::ShowHistogram: showHistogram(); return;
        case EntryKind::Close:
        case EntryKind::NoAction: return;
    }
}

// The selection, its corners ordered and kept within the image, covers
// some pixels.
bool ImageWorker::hasSelection() const {
    const auto across = [](std::int32_t a, std::int32_t b, std::int32_t side) {
        return std::clamp(a, 0, side) != std::clamp(b, 0, side);
    };
    return across(record_->downX, record_->upX, record_->width) &&
           across(record_->downY, record_->upY, record_->height);
}

// The time is taken first, so that it includes a dialog's time on screen.
// The result, titled "Processed Image", opens in a window of its own; the
// source record is not changed.
void ImageWorker::runOperation(const OperationEntry& entry) {
    const auto start = std::chrono::steady_clock::now();
    if (UsesSelection(entry) && !hasSelection()) {
        Tell(&window_, "No selection", "Select a rectangle first: drag with the left button.");
        return;
    }
    if (!AskParameters(entry.dialog, &window_)) return;
    OperationArguments arguments;
    static_cast<Settings&>(arguments) = TheSettings().snapshot();
    arguments.downX = record_->downX;
    arguments.downY = record_->downY;
    arguments.upX = record_->upX;
    arguments.upY = record_->upY;
    if (closing_) return;
    operation_.reset();
    QMetaObject::invokeMethod(&window_,
                              [window = &window_, what = QString(entry.command)] { window->operationStarted(what); });
    session::EntryRun run;
    {
        const StopScope scope(operation_);
        run = session::RunEntry(entry, *record_, arguments, MessageBoxReporter(&window_));
    }
    QMetaObject::invokeMethod(&window_, [window = &window_] { window->operationEnded(); });
    if (run.stopped) {
        report("Cancelled after " + std::to_string(MillisecondsSince(start)) + " ms", entry);
        return;
    }
    if (!run.finished) return;
    report(session::CompletedIn(MillisecondsSince(start)), entry);
    if (!run.result || closing_) return;
    auto result = std::make_shared<ImageRecord>(std::move(*run.result));
    result->title = "Processed Image";
    Provenance provenance = provenance_;
    provenance.steps.push_back({&entry, arguments});
    QMetaObject::invokeMethod(&control_, [control = &control_, result, provenance] {
        control->openImage(std::make_unique<ImageRecord>(std::move(*result)), provenance);
    });
}

void ImageWorker::report(const std::string& line, const OperationEntry& entry) {
    const QString text = QString::fromLocal8Bit(line + " - " + entry.command + ", " + provenance_.fileBaseName());
    QMetaObject::invokeMethod(&control_, [control = &control_, text] { control->addPerformanceLine(text); });
}

void ImageWorker::copyCommand() {
    if (provenance_.steps.empty()) {
        Tell(&window_, "Copy Command", "This image is its file as read: no command made it.");
        return;
    }
    const QString text = QString::fromLocal8Bit(provenance_.commandLine() + "\n" + provenance_.pythonLine() + "\n");
    QMetaObject::invokeMethod(&window_, [text] { QGuiApplication::clipboard()->setText(text); });
}

// Of the selection when there is one, else of the whole image.
void ImageWorker::showHistogram() {
    const lumagrove::ImageView image{{record_->pixels.data(), record_->pixels.size()}, record_->width, record_->height};
    const Histogram counts = hasSelection()
                                 ? LevelCounts(image, ClippedArea(record_->downX, record_->downY, record_->upX,
                                                                  record_->upY, image.width, image.height))
                                 : LevelCounts(image);
    const LevelStatistics statistics = StatisticsOf(counts);
    const QString text = QString::fromStdString(HistogramCsv(counts, statistics));
    QStringList shown;
    for (const auto& [field, value] : StatisticRows(statistics)) shown << QString("%1=%2").arg(field, value.c_str());
    const QString name = QString::fromLocal8Bit(record_->title);
    QMetaObject::invokeMethod(&window_, [counts, text, name, statistics = shown.join("   ")] {
        (new HistogramWindow(name, counts, statistics, text))->show();
    });
}

}  // namespace lumagrove::shell
