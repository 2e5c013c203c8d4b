#pragma once
// Places a dialog's controls at positions in dialog units and names each
// control with an id "id<id>", so that tests and the dialog itself find them
// by name.

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "ui/DialogUnits.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace orvik {

class cDialogLayout {
public:
    // Sets the dialog's caption and fixed size.
    cDialogLayout(QDialog& dialog, const QString& caption, int width, int height);
    // Texts that grew past their place stop short of the control to their right.
    ~cDialogLayout();
    cDialogLayout(const cDialogLayout&) = delete;
    cDialogLayout& operator=(const cDialogLayout&) = delete;

    QLabel* Label(const QString& text, int x, int y, int width, int height, int id = 0);
    QGroupBox* Group(const QString& text, int x, int y, int width, int height);
    QLineEdit* Edit(int id, int x, int y, int width, int height);
    QPushButton* Button(int id, const QString& text, int x, int y, int width, int height);
    QCheckBox* Check(int id, const QString& text, int x, int y, int width, int height);
    QComboBox* Combo(int id, int x, int y, int width, int height);
    // A list of names: one column without a header, several rows selectable.
    QTreeWidget* NameList(int id, int x, int y, int width, int height);
    // OK (id 1) and Cancel (id 2) of the same size; OK is the default button
    // and runs `onOk` (which ends the dialog), or accepts when none is given.
    void OkCancel(int x, int okY, int cancelY, int width, int height, std::function<void()> onOk = {});

    const cDialogUnits& Units() const { return m_Units; }

private:
    QWidget* FitText(QWidget* control);

    QDialog& m_Dialog;
    cDialogUnits m_Units;
    std::vector<QWidget*> m_Grown;
};

// The control of `dialog` with the id `id`, or nullptr.
template <typename T>
T* Control(const QWidget& dialog, int id) {
    return dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
}

}  // namespace orvik
