#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "resources/DialogTemplate.h"

namespace lumagrove::platform::backend {

struct ItemState {
    resources::ControlKind kind = resources::ControlKind::StaticText;
    unsigned style = 0;
    bool enabled = true;
    std::string text;
    // List boxes.
    std::vector<std::string> lines;
    int selection = -1;
    // Up-down controls.
    int buddyId = 0;
    int spinLower = 0;
    int spinUpper = 100;
    int spinPosition = 0;
};

// The state of a dialog's items. The dialog's thread reads and changes it
// without waiting for the main thread; the widgets show it and write back
// what the user types or selects.
class DialogItems {
public:
    explicit DialogItems(const resources::DialogTemplate& dialog);

    std::optional<ItemState> item(int id) const;
    bool setText(int id, std::string text);
    bool setEnabled(int id, bool enabled);
    int addLine(int id, std::string text);
    bool select(int id, int index);
    bool setSpinRange(int id, int lower, int upper);
    // One step of an up-down control: reads its buddy's number (or the last
    // position when the buddy holds none), moves it by one towards the upper
    // or the lower limit within the range, and writes it back. The buddy's id,
    // or 0 when `id` is no up-down control.
    int stepSpin(int id, bool towardsUpper);

private:
    ItemState* find(int id);

    mutable std::mutex mutex_;
    std::map<int, ItemState> items_;
};

// Reads a decimal number as a dialog item holds it: blanks around it, a minus
// sign only where a signed value is asked for, nothing else.
std::optional<long long> ParseItemNumber(const std::string& text, bool allowSign);

}  // namespace lumagrove::platform::backend
