#pragma once

#include <string>
#include <string_view>

namespace lumagrove {

// The text with every control character shown as a backslash and three octal
// digits ("\033"), as `ls` shows them. File names are any bytes but '/' and
// null, and a name holding an escape sequence would otherwise clear the
// user's screen or retitle the terminal when a message quotes it. The C1
// controls (U+0080 to U+009F) are escaped in their UTF-8 form, since some
// terminals obey those too.
std::string WithControlsEscaped(std::string_view text);

}  // namespace lumagrove
