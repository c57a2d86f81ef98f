#include "shell/ParameterDialogs.h"

#include "platform/Dialog.h"
#include "platform/MessageBox.h"
#include "resources/ControlIds.h"
#include "shell/DialogNumbers.h"
#include "shell/SharedSettings.h"

namespace lumagrove::shell {
namespace {

using namespace platform;
namespace control = resources::control;

constexpr int kSmallestWindow = 3;
constexpr int kLargestWindow = 15;

void ShowParameters(Window dialog) {
    const Settings settings = TheSettings().snapshot();
    SetSpinRange(dialog, control::WindowSizeSpin, kSmallestWindow, kLargestWindow);
    SetItemUnsigned(dialog, control::WindowSize, static_cast<std::uint32_t>(settings.windowSize));
    SetItemText(dialog, control::Sigma, FormatSigma(settings.sigma));
    SetItemUnsigned(dialog, control::Threshold, static_cast<std::uint32_t>(settings.threshold));
}

// An even size (text that is no number reads as 0, which is even too) is
// refused and the dialog stays open for a correction.
void StoreParameters(Window dialog) {
    const std::uint32_t windowSize = ItemUnsigned(dialog, control::WindowSize).value_or(0);
    if (windowSize % 2 == 0) {
        ShowMessageBox(dialog, "Window size must be an odd number", "Error");
        return;
    }
    const std::uint32_t threshold = ItemUnsigned(dialog, control::Threshold).value_or(0);
    const double sigma = ReadLeadingNumber(ItemText(dialog, control::Sigma));
    TheSettings().setParameters(static_cast<std::int32_t>(windowSize), sigma, static_cast<std::int32_t>(threshold));
    EndDialog(dialog, 1);
}

void ShowEdgeParameters(Window dialog) {
    const Settings settings = TheSettings().snapshot();
    SetItemUnsigned(dialog, control::GradientThreshold, static_cast<std::uint32_t>(settings.gradientThreshold));
    SetItemSigned(dialog, control::GradientDirection, settings.gradientDirection);
}

void StoreEdgeParameters(Window dialog) {
    const std::uint32_t threshold = ItemUnsigned(dialog, control::GradientThreshold).value_or(0);
    const std::int32_t direction = ItemSigned(dialog, control::GradientDirection).value_or(0);
    TheSettings().setEdgeParameters(static_cast<std::int32_t>(threshold), direction);
    EndDialog(dialog, 1);
}

// Both dialogs: fill on opening, store on OK, nothing on Cancel.
bool RunParameterDialog(Window dialog, Msg message, WordParam word, void (*show)(Window), void (*store)(Window)) {
    if (message == Msg::InitDialog) {
        show(dialog);
        return true;
    }
    if (message != Msg::Command) return false;
    switch (static_cast<int>(LowWord(word))) {
        case control::Ok: store(dialog); return true;
        case control::Cancel: EndDialog(dialog, 0); return true;
        default: return false;
    }
}

}  // namespace

bool ParametersDialogProc(Window dialog, Msg message, WordParam word, LongParam) {
    return RunParameterDialog(dialog, message, word, ShowParameters, StoreParameters);
}

bool EdgeParametersDialogProc(Window dialog, Msg message, WordParam word, LongParam) {
    return RunParameterDialog(dialog, message, word, ShowEdgeParameters, StoreEdgeParameters);
}

bool ShowParameterDialog(Window owner, ParameterDialog dialog) {
    switch (dialog) {
        case ParameterDialog::None: return true;
        case ParameterDialog::Parameters:
            return RunModalDialog(resources::ParametersDialog, owner, ParametersDialogProc) == 1;
        case ParameterDialog::EdgeParameters:
            return RunModalDialog(resources::EdgeParametersDialog, owner, EdgeParametersDialogProc) == 1;
    }
    return false;
}

}  // namespace lumagrove::shell
