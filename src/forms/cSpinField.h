#pragma once
// The number behind an up-down control and its edit box: the box shows it
// with the thousands grouped and takes any typed text; the number is the
// box's when that is a whole number within the range, otherwise the last
// valid one. The arrows step it within the range.

#include <string>

namespace orvik {

class iFormView;

class cSpinField {
public:
    explicit cSpinField(int editId) : m_Edit(editId) {}

    void SetRange(int lowest, int highest);
    // Shows `value`, brought within the range.
    void Show(iFormView& view, int value);
    int Value(const iFormView& view);
    void Step(iFormView& view, int by) { Show(view, Value(view) + by); }

    int EditId() const { return m_Edit; }

private:
    int m_Edit;
    int m_Lowest = 0;
    int m_Highest = 100;
    int m_Valid = 0;
};

}  // namespace orvik
