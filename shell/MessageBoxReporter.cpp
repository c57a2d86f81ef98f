#include "shell/MessageBoxReporter.h"

#include "base/PrintableText.h"
#include "platform/MessageBox.h"

namespace lumagrove::shell {

Reporter MessageBoxReporter() {
    return [](const Message& message) {
        const auto icon = message.icon == MessageIcon::Error ? platform::BoxIcon::Error : platform::BoxIcon::None;
        platform::ShowMessageBox(platform::Window{}, WithControlsEscaped(message.text), message.caption, icon);
    };
}

}  // namespace lumagrove::shell
