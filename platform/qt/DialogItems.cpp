#include "platform/qt/DialogItems.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

#include "resources/ControlIds.h"

namespace lumagrove::platform::backend {

using resources::ControlKind;

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

DialogItems::DialogItems(const resources::DialogTemplate& dialog) {
    int previousId = 0;
    for (const resources::ControlTemplate& control : dialog.controls) {
        if (control.id != resources::NoControlId) {
            ItemState state;
            state.kind = control.kind;
            state.style = control.style;
            state.enabled = !control.has(resources::style::Disabled);
            state.text = control.kind == ControlKind::UpDown ? std::string() : control.text;
            if (control.has(resources::style::AttachToPrevious)) state.buddyId = previousId;
            items_[control.id] = std::move(state);
        }
        previousId = control.id;
    }
}

ItemState* DialogItems::find(int id) {
    const auto found = items_.find(id);
    return found == items_.end() ? nullptr : &found->second;
}

std::optional<ItemState> DialogItems::item(int id) const {
    std::lock_guard lock(mutex_);
    const auto found = items_.find(id);
    if (found == items_.end()) return std::nullopt;
    return found->second;
}

bool DialogItems::setText(int id, std::string text) {
    std::lock_guard lock(mutex_);
    ItemState* state = find(id);
    if (state == nullptr) return false;
    state->text = std::move(text);
    return true;
}

bool DialogItems::setEnabled(int id, bool enabled) {
    std::lock_guard lock(mutex_);
    ItemState* state = find(id);
    if (state == nullptr) return false;
    state->enabled = enabled;
    return true;
}

int DialogItems::addLine(int id, std::string text) {
    std::lock_guard lock(mutex_);
    ItemState* state = find(id);
    if (state == nullptr || state->kind != ControlKind::ListBox) return -1;
    auto at = state->lines.end();
    if ((state->style & resources::style::Sorted) != 0) {
        at = std::upper_bound(state->lines.begin(), state->lines.end(), text, LessIgnoringCase);
    }
    const auto index = static_cast<int>(at - state->lines.begin());
    state->lines.insert(at, std::move(text));
    // A line inserted above the selection moves it down with its line.
    if (state->selection >= index) ++state->selection;
    return index;
}

bool DialogItems::select(int id, int index) {
    std::lock_guard lock(mutex_);
    ItemState* state = find(id);
    if (state == nullptr || state->kind != ControlKind::ListBox) return false;
    if (index < -1 || index >= static_cast<int>(state->lines.size())) return false;
    state->selection = index;
    return true;
}

bool DialogItems::setSpinRange(int id, int lower, int upper) {
    std::lock_guard lock(mutex_);
    ItemState* state = find(id);
    if (state == nullptr || state->kind != ControlKind::UpDown) return false;
    state->spinLower = lower;
    state->spinUpper = upper;
    return true;
}

int DialogItems::stepSpin(int id, bool towardsUpper) {
    std::lock_guard lock(mutex_);
    ItemState* spin = find(id);
    if (spin == nullptr || spin->kind != ControlKind::UpDown) return 0;
    ItemState* buddy = find(spin->buddyId);
    if (buddy == nullptr) return 0;
    const auto typed = ParseItemNumber(buddy->text, true);
    long long position = typed ? *typed : spin->spinPosition;
    const int step = (spin->spinUpper >= spin->spinLower) == towardsUpper ? 1 : -1;
    const int low = std::min(spin->spinLower, spin->spinUpper);
    const int high = std::max(spin->spinLower, spin->spinUpper);
    position = std::clamp<long long>(position + step, low, high);
    spin->spinPosition = static_cast<int>(position);
    buddy->text = std::to_string(position);
    return spin->buddyId;
}

std::optional<long long> ParseItemNumber(const std::string& text, bool allowSign) {
    const auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    auto begin = std::find_if_not(text.begin(), text.end(), isBlank);
    auto end = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(begin), isBlank).base();
    bool negative = false;
    if (allowSign && begin != end && *begin == '-') {
        negative = true;
        ++begin;
    }
    if (begin == end) return std::nullopt;
    long long value = 0;
    constexpr long long limit = std::numeric_limits<std::uint32_t>::max();
    for (auto it = begin; it != end; ++it) {
        if (!std::isdigit(static_cast<unsigned char>(*it))) return std::nullopt;
        value = value * 10 + (*it - '0');
        if (value > limit) return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace lumagrove::platform::backend
