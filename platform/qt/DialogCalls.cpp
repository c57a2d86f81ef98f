#include <limits>
#include <optional>

#include "platform/Dialog.h"
#include "platform/Window.h"
#include "platform/qt/DialogMetrics.h"
#include "platform/qt/DialogWidget.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/ModalLoop.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/Widgets.h"
#include "platform/qt/WindowRegistry.h"
#include "resources/Resources.h"

namespace lumagrove::platform {

namespace {

using backend::WindowRecord;

// Where a dialog goes when its template does not say: over the middle of
// its owner, or of the screen when it has none.
std::optional<Point> CentredOver(Window owner, Size outer) {
    if (!WindowExists(owner)) return std::nullopt;
    const Rect frame = WindowFrame(owner);
    return Point{frame.x + (frame.width - outer.width) / 2, frame.y + (frame.height - outer.height) / 2};
}

// Makes the dialog's record and widget and runs its Create (for a dialog of a
// window class) and InitDialog messages. Null when it cannot be made.
std::shared_ptr<WindowRecord> OpenDialog(int templateId, Window owner, DialogProcedure procedure, LongParam initData,
                                         bool modal) {
    const resources::DialogTemplate* dialog = resources::FindDialog(templateId);
    if (dialog == nullptr) return nullptr;
    auto record = std::make_shared<WindowRecord>();
    if (!dialog->className.empty()) {
        const auto windowClass = backend::FindWindowClass(dialog->className);
        if (!windowClass) return nullptr;
        record->procedure = windowClass->procedure;
    }
    record->dialogProcedure = std::move(procedure);
    record->queue = backend::ThreadQueue::Current();
    record->owner = owner;
    record->dialogTemplate = dialog;
    record->modal = modal;
    record->items = std::make_unique<backend::DialogItems>(*dialog);
    record->title = dialog->title;
    const resources::BaseUnits units = backend::DialogBaseUnits(*dialog);
    const resources::PixelRect client = resources::ToPixels(dialog->rect, units);
    record->clientSize = Size{client.width, client.height};
    record->viewSize = record->clientSize;
    const Size extra = record->frameExtra();
    const std::optional<Point> position =
        dialog->hasPosition ? Point{client.x, client.y}
                            : CentredOver(owner, Size{client.width + extra.width, client.height + extra.height});
    if (position) record->position = *position;

    const Window window = backend::AddWindowRecord(record);
    record->queue->adoptWindow(window);
    // Waits, so that the dialog's place on screen is known on return.
    backend::RunOnMainAndWait([record, centre = !position] { backend::CreateDialogWidget(record, centre); });
    if (record->procedure && backend::Deliver(*record, Msg::Create, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    backend::Deliver(*record, Msg::InitDialog, 0, initData);
    if (modal || (dialog->frameStyle & resources::frame::VisibleAtCreation) != 0) {
        // Shown once the main thread's loop runs, so that the thread that
        // made the dialog can still place it (see DockAtRightEdge).
        backend::QueueOnMain([window] { backend::ShowDialogWidget(window); });
    }
    return record;
}

// Runs `change` on the dialog's items and has the widget show the result;
// `fallback` when there is no such dialog.
template <typename Outcome, typename Change>
Outcome ChangeItem(Window dialog, int itemId, Outcome fallback, Change change) {
    const auto record = backend::FindWindowRecord(dialog);
    if (!record || !record->items) return fallback;
    const Outcome outcome = change(*record->items);
    backend::RunOnMain([dialog, itemId] {
        if (auto* widget = backend::WidgetAs<backend::DialogWidget>(dialog)) widget->refreshItem(itemId);
    });
    return outcome;
}

std::optional<backend::ItemState> Item(Window dialog, int itemId) {
    const auto record = backend::FindWindowRecord(dialog);
    if (!record || !record->items) return std::nullopt;
    return record->items->item(itemId);
}

}  // namespace

Result DefaultDialogProcedure(Window dialog, Msg message, WordParam word, LongParam data) {
    if (message == Msg::Close) {
        const auto record = backend::FindWindowRecord(dialog);
        if (record && record->modal) {
            EndDialog(dialog, 0);
            return 0;
        }
    }
    return DefaultWindowProcedure(dialog, message, word, data);
}

Window CreateDialogFromTemplate(int templateId, Window owner, DialogProcedure procedure, LongParam initData) {
    const auto record = OpenDialog(templateId, owner, std::move(procedure), initData, false);
    return record ? record->handle : Window{};
}

int RunModalDialog(int templateId, Window owner, DialogProcedure procedure, LongParam initData) {
    const auto record = OpenDialog(templateId, owner, std::move(procedure), initData, true);
    if (!record) return -1;
    const bool answered = backend::RunModalLoop([&] { return record->ended.load(); });
    DestroyWindow(record->handle);
    return answered ? record->endResult.load() : 0;
}

void EndDialog(Window dialog, int result) {
    const auto record = backend::FindWindowRecord(dialog);
    if (!record || record->ended.load()) return;
    record->endResult = result;
    record->ended = true;
    record->queue->wake();
    backend::RunOnMain([dialog] {
        if (QWidget* widget = backend::WidgetOf(dialog)) widget->hide();
    });
}

bool SetItemText(Window dialog, int itemId, std::string_view text) {
    return ChangeItem(dialog, itemId, false,
                      [&](backend::DialogItems& items) { return items.setText(itemId, std::string(text)); });
}

std::string ItemText(Window dialog, int itemId) {
    const auto item = Item(dialog, itemId);
    return item ? item->text : std::string();
}

void SetItemUnsigned(Window dialog, int itemId, std::uint32_t value) {
    SetItemText(dialog, itemId, std::to_string(value));
}

void SetItemSigned(Window dialog, int itemId, std::int32_t value) {
    SetItemText(dialog, itemId, std::to_string(value));
}

std::optional<std::uint32_t> ItemUnsigned(Window dialog, int itemId) {
    const auto item = Item(dialog, itemId);
    if (!item) return std::nullopt;
    const auto value = backend::ParseItemNumber(item->text, false);
    if (!value) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<std::int32_t> ItemSigned(Window dialog, int itemId) {
    const auto item = Item(dialog, itemId);
    if (!item) return std::nullopt;
    const auto value = backend::ParseItemNumber(item->text, true);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

void SetSpinRange(Window dialog, int spinId, int lower, int upper) {
    ChangeItem(dialog, spinId, false,
               [&](backend::DialogItems& items) { return items.setSpinRange(spinId, lower, upper); });
}

int AddListLine(Window dialog, int listId, std::string_view text) {
    return ChangeItem(dialog, listId, -1,
                      [&](backend::DialogItems& items) { return items.addLine(listId, std::string(text)); });
}

bool SelectListLine(Window dialog, int listId, int index) {
    return ChangeItem(dialog, listId, false, [&](backend::DialogItems& items) { return items.select(listId, index); });
}

std::vector<std::string> ListLines(Window dialog, int listId) {
    const auto item = Item(dialog, listId);
    return item ? item->lines : std::vector<std::string>();
}

int SelectedListLine(Window dialog, int listId) {
    const auto item = Item(dialog, listId);
    return item ? item->selection : -1;
}

}  // namespace lumagrove::platform
