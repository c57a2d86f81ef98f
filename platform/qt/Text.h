#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace lumagrove::platform::backend {

// The program's texts and file names are 8-bit strings in the locale's
// encoding; the toolkit speaks Unicode.
inline QString ToQt(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace lumagrove::platform::backend
