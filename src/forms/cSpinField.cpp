#include "forms/cSpinField.h"

#include <algorithm>
#include <charconv>

#include "base/TextCompare.h"
#include "forms/iFormView.h"

namespace orvik {

void cSpinField::SetRange(int lowest, int highest) {
    m_Lowest = lowest;
    m_Highest = highest;
    m_Valid = std::clamp(m_Valid, m_Lowest, m_Highest);
}

void cSpinField::Show(iFormView& view, int value) {
    m_Valid = std::clamp(value, m_Lowest, m_Highest);
    view.SetText(m_Edit, GroupThousands(m_Valid, view.GroupSeparator()));
}

int cSpinField::Value(const iFormView& view) {
    // Blanks around the number and the group separators within it are no part of it.
    const std::u16string typed = view.Text(m_Edit);
    const char16_t separator = view.GroupSeparator();
    std::string text;
    for (char16_t c : typed) {
        if (c == separator) continue;
        if (c > 0x7F) return m_Valid;
        text += static_cast<char>(c);
    }
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return m_Valid;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    long long value = 0;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size() && value >= m_Lowest && value <= m_Highest)
        m_Valid = static_cast<int>(value);
    return m_Valid;
}

}  // namespace orvik
