#include "operations/OperationTable.h"

#include <algorithm>

namespace lumagrove {

// Each operation's file hands out its rows: the operation, or a small family
// of them, with everything about it in one place.
namespace rows {
std::span<const OperationEntry> FileMenu();
std::span<const OperationEntry> Negate();
std::span<const OperationEntry> Binarize();
std::span<const OperationEntry> UniformSmoothing();
std::span<const OperationEntry> Median();
std::span<const OperationEntry> GaussianSmoothing();
std::span<const OperationEntry> Equalization();
std::span<const OperationEntry> FourierSpectrum();
std::span<const OperationEntry> FrequencyFilters();
std::span<const OperationEntry> EdgeDetection();
std::span<const OperationEntry> LineHough();
std::span<const OperationEntry> CircleHough();
std::span<const OperationEntry> ConvertTo3D();
std::span<const OperationEntry> SettingsMenu();
}  // namespace rows

namespace {

// The files of rows in menu order, one line each.
// clang-format off
constexpr std::span<const OperationEntry> (*kRowFiles[])() = {
    rows::FileMenu,
    rows::Negate,
    rows::Binarize,
    rows::UniformSmoothing,
    rows::Median,
    rows::GaussianSmoothing,
    rows::Equalization,
    rows::FourierSpectrum,
    rows::FrequencyFilters,
    rows::EdgeDetection,
    rows::LineHough,
    rows::CircleHough,
    rows::ConvertTo3D,
    rows::SettingsMenu,
};
// clang-format on

const std::vector<OperationEntry>& Entries() {
    static const std::vector<OperationEntry> entries = [] {
        std::vector<OperationEntry> all;
        for (const auto rowsOf : kRowFiles) {
            const std::span<const OperationEntry> some = rowsOf();
            all.insert(all.end(), some.begin(), some.end());
        }
        return all;
    }();
    return entries;
}

}  // namespace

std::span<const OperationEntry> OperationTable() { return Entries(); }

const OperationEntry* FindOperationByMenuId(std::uint16_t menuId) {
    for (const OperationEntry& entry : Entries()) {
        if (entry.menuId == menuId) return &entry;
    }
    return nullptr;
}

const OperationEntry* FindOperationByCommand(std::string_view command) {
    for (const OperationEntry& entry : Entries()) {
        if (entry.command != nullptr && command == entry.command) return &entry;
    }
    return nullptr;
}

const OperationEntry* FindOperationByMenuPath(std::string_view path) {
    for (const OperationEntry& entry : Entries()) {
        if (PlainMenuPath(entry) == path) return &entry;
    }
    return nullptr;
}

std::string PlainMenuPath(const OperationEntry& entry) {
    std::string path(entry.menuPath);
    std::erase(path, '&');
    return path;
}

const OptionDescriptor* FindOption(const OperationEntry& entry, std::string_view flag) {
    for (const OptionDescriptor* option : entry.options) {
        if (flag == option->flag) return option;
    }
    return nullptr;
}

std::vector<const OptionDescriptor*> AllOptions() {
    std::vector<const OptionDescriptor*> options;
    for (const OperationEntry& entry : Entries()) {
        for (const OptionDescriptor* option : entry.options) {
            if (std::find(options.begin(), options.end(), option) == options.end()) options.push_back(option);
        }
    }
    return options;
}

}  // namespace lumagrove
