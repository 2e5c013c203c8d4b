#pragma once
// A small general-purpose dialog that shows a prompt and one edit line.

#include <QDialog>
#include <string>

class QLineEdit;

namespace orvik {

class cInputDialog final : public QDialog {
public:
    // The edit line starts with `value`, the label shows `prompt`.
    cInputDialog(QWidget* parent, const std::u16string& prompt, const std::u16string& value);
    // The text typed, exactly as typed.
    std::u16string Value() const;

private:
    QLineEdit* m_Edit;
};

// Asks for a text: 0 when the user pressed OK, and then `value` holds the
// text exactly as typed; -1 on Cancel or Esc, and then `value` is unchanged.
int ShowInputDialog(QWidget* parent, const std::u16string& prompt, std::u16string& value);

}  // namespace orvik
