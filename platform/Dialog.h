#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Message.h"

namespace lumagrove::platform {

// Runs on the thread that opened the dialog. True for a message it handled;
// false leaves the message to DefaultDialogProcedure.
using DialogProcedure = std::function<bool(Window dialog, Msg, WordParam, LongParam)>;

// Close ends a modal dialog with 0 (the title bar's close box and Escape act
// as a cancel) and destroys a modeless one; the rest as DefaultWindowProcedure.
Result DefaultDialogProcedure(Window dialog, Msg message, WordParam word, LongParam data);

// Opens a modeless dialog from a dialog template, owned by the calling thread.
// A template that names a window class is run by that class's procedure (which
// then also receives Create); otherwise by `procedure`. The dialog receives
// InitDialog with `initData` once its items exist. Empty when the template or
// class is unknown.
Window CreateDialogFromTemplate(int templateId, Window owner, DialogProcedure procedure = {}, LongParam initData = 0);

// Opens a modal dialog owned by `owner` and waits for it in a message loop of
// the calling thread, where its procedure runs. The owner's widget stays on
// screen and keeps painting, but takes no input meanwhile. Returns the value
// given to EndDialog; 0 when the dialog was destroyed without it or an
// interrupting event was set (see ManualResetEvent); -1 for an unknown template.
int RunModalDialog(int templateId, Window owner, DialogProcedure procedure, LongParam initData = 0);

// Ends a modal dialog: RunModalDialog returns `result`.
void EndDialog(Window dialog, int result);

// Items of dialogs, by control identifier. They may be read and written from
// any thread without waiting for the main thread: the layer keeps their state
// and the widgets follow it.
bool SetItemText(Window dialog, int itemId, std::string_view text);
std::string ItemText(Window dialog, int itemId);
void SetItemUnsigned(Window dialog, int itemId, std::uint32_t value);
void SetItemSigned(Window dialog, int itemId, std::int32_t value);
// The item's text as a decimal number: blanks around it are allowed, anything
// else (or a value out of range) yields nothing. Unsigned reading takes no sign.
std::optional<std::uint32_t> ItemUnsigned(Window dialog, int itemId);
std::optional<std::int32_t> ItemSigned(Window dialog, int itemId);

// Up-down controls step their buddy edit between the two limits; `upper` is
// what the up arrow moves towards.
void SetSpinRange(Window dialog, int spinId, int lower, int upper);

// List boxes. Adding keeps a sorted box sorted (ignoring case); returns the
// index of the new line, or -1 when there is no such list box.
int AddListLine(Window dialog, int listId, std::string_view text);
// Selects a line and scrolls it into view; -1 clears the selection.
bool SelectListLine(Window dialog, int listId, int index);
std::vector<std::string> ListLines(Window dialog, int listId);
int SelectedListLine(Window dialog, int listId);

}  // namespace lumagrove::platform
