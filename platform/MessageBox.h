#pragma once

#include <string_view>

#include "platform/Message.h"

namespace lumagrove::platform {

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, YesNo };

// What a box returns: the button pressed, or Dismissed when the box went
// without an answer (its owner went, or an interrupting event was set).
enum BoxAnswer : int { Dismissed = 0, AnswerOk = 1, AnswerYes = 6, AnswerNo = 7 };

// Shows a message box modal to `owner` (to nothing when it is empty) and waits
// for the answer in a message loop of the calling thread.
int ShowMessageBox(Window owner, std::string_view text, std::string_view caption, BoxIcon icon = BoxIcon::None,
                   BoxButtons buttons = BoxButtons::Ok);

}  // namespace lumagrove::platform
