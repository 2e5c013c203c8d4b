#include "output/cTextVariables.h"

#include "base/TextCompare.h"

namespace orvik {

void cTextVariables::Clear() {
    m_Names.clear();
    m_Values.clear();
}

int cTextVariables::Add(std::u16string_view name, std::u16string_view value) {
    if (name.empty()) return -1;
    if (Find(name) >= 0) return -2;
    m_Names.emplace_back(name);
    m_Values.emplace_back(value);
    return 0;
}

int cTextVariables::SetValue(std::size_t index, std::u16string_view value) {
    if (index >= m_Values.size()) return -1;
    m_Values[index].assign(value);
    return 0;
}

int cTextVariables::Remove(std::u16string_view name) {
    if (name.empty()) return -1;
    const int i = Find(name);
    if (i < 0) return -2;
    m_Names.erase(m_Names.begin() + i);
    m_Values.erase(m_Values.begin() + i);
    return 0;
}

int cTextVariables::Find(std::u16string_view name) const {
    for (std::size_t i = 0; i < m_Names.size(); ++i) {
        if (EqualNoCase(m_Names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

void cTextVariables::Apply(std::u16string& text) const {
    for (std::size_t v = 0; v < m_Names.size(); ++v) {
        const std::u16string& name = m_Names[v];
        std::size_t at = text.find(name);
        if (at == std::u16string::npos) continue;
        m_Scratch.clear();
        std::size_t from = 0;
        while (at != std::u16string::npos) {
            m_Scratch.append(text, from, at - from);
            m_Scratch.append(m_Values[v]);
            from = at + name.size();
            at = text.find(name, from);
        }
        m_Scratch.append(text, from, std::u16string::npos);
        text.swap(m_Scratch);
    }
}

}  // namespace orvik
