#pragma once
// An ordered table of text variables (a name between percent signs and its
// value), applied to a text in the order they were added.

#include <string>
#include <string_view>
#include <vector>

namespace orvik {

class cTextVariables {
public:
    void Clear();
    // 0; -1 for an empty name; -2 when the name (ignoring case) is there already.
    int Add(std::u16string_view name, std::u16string_view value);
    // 0; -1 for an empty name; -2 when no such name is there.
    int Remove(std::u16string_view name);
    // Replaces the value of the variable at `index` (in insertion order); -1 when there is none.
    int SetValue(std::size_t index, std::u16string_view value);
    // Index of the name (ignoring case), or -1.
    int Find(std::u16string_view name) const;
    std::size_t Size() const noexcept { return m_Names.size(); }

    // Replaces every occurrence of each name (matched with regard to case)
    // by its value, one variable after the other over the whole current
    // text. Each replacement goes on after the value it inserted, so a value
    // that holds its own variable's name keeps it as text and nothing loops;
    // later variables do see what earlier ones inserted.
    void Apply(std::u16string& text) const;

private:
    std::vector<std::u16string> m_Names;
    std::vector<std::u16string> m_Values;
    mutable std::u16string m_Scratch;
};

}  // namespace orvik
