#pragma once
// The one bridge between the program's UTF-16 text and Qt's.

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

namespace orvik {

inline QString ToQt(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQt(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// The character that groups the thousands of a number in the user's language (none: 0).
inline char16_t GroupSeparator() {
    const QString separator = QLocale().groupSeparator();
    return separator.size() == 1 ? static_cast<char16_t>(separator.at(0).unicode()) : u'\0';
}

}  // namespace orvik
