#include "ui/DialogLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/Pictures.h"

namespace orvik {
namespace {

template <typename T>
T* Place(T* control, int id, const QRect& area) {
    if (id != 0) control->setObjectName(QStringLiteral("id%1").arg(id));
    control->setGeometry(area);
    return control;
}

}  // namespace

cDialogLayout::cDialogLayout(QDialog& dialog, const QString& caption, int width, int height)
    : m_Dialog(dialog), m_Units(dialog.font()) {
    dialog.setWindowTitle(caption);
    dialog.setWindowIcon(ProgramIcon());
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFixedSize(m_Units.X(width), m_Units.Y(height));
}

cDialogLayout::~cDialogLayout() {
    for (QWidget* grown : m_Grown) {
        const QRect area = grown->geometry();
        int right = area.right();
        for (QWidget* other : m_Dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other == grown || qobject_cast<QGroupBox*>(other) != nullptr) continue;
            const QRect o = other->geometry();
            const bool sameRow = o.top() <= area.bottom() && o.bottom() >= area.top();
            if (sameRow && o.left() > area.left() && o.left() <= right) right = o.left() - 2;
        }
        grown->resize(std::max(1, right - area.left() + 1), area.height());
        if (grown->width() < grown->sizeHint().width()) {
            // Still cut: the whole text is at hand when the mouse rests on it.
            if (auto* label = qobject_cast<QLabel*>(grown)) grown->setToolTip(label->text());
            if (auto* check = qobject_cast<QCheckBox*>(grown)) grown->setToolTip(check->text());
        }
    }
}

// A text wider in this font than in the one its place was measured for grows
// to the right instead of being cut, up to the next control.
QWidget* cDialogLayout::FitText(QWidget* control) {
    if (control->sizeHint().width() > control->width()) {
        control->resize(control->sizeHint().width(), control->height());
        m_Grown.push_back(control);
    }
    return control;
}

QLabel* cDialogLayout::Label(const QString& text, int x, int y, int width, int height, int id) {
    auto* label = Place(new QLabel(text, &m_Dialog), id, m_Units.Rect(x, y, width, height));
    FitText(label);
    return label;
}

QGroupBox* cDialogLayout::Group(const QString& text, int x, int y, int width, int height) {
    auto* group = Place(new QGroupBox(text, &m_Dialog), 0, m_Units.Rect(x, y, width, height));
    group->lower();  // behind the controls it frames
    return group;
}

QLineEdit* cDialogLayout::Edit(int id, int x, int y, int width, int height) {
    return Place(new QLineEdit(&m_Dialog), id, m_Units.Rect(x, y, width, height));
}

QPushButton* cDialogLayout::Button(int id, const QString& text, int x, int y, int width, int height) {
    auto* button = Place(new QPushButton(text, &m_Dialog), id, m_Units.Rect(x, y, width, height));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* cDialogLayout::Check(int id, const QString& text, int x, int y, int width, int height) {
    auto* check = Place(new QCheckBox(text, &m_Dialog), id, m_Units.Rect(x, y, width, height));
    FitText(check);
    return check;
}

QComboBox* cDialogLayout::Combo(int id, int x, int y, int width, int height) {
    // A drop-down list's height is that of its open list; closed it is one line.
    auto* combo = Place(new QComboBox(&m_Dialog), id, m_Units.Rect(x, y, width, 13));
    combo->setMaxVisibleItems(std::max(1, height / 10));
    return combo;
}

QTreeWidget* cDialogLayout::NameList(int id, int x, int y, int width, int height) {
    auto* list = Place(new QTreeWidget(&m_Dialog), id, m_Units.Rect(x, y, width, height));
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setIconSize(QSize(20, 16));
    list->setColumnCount(1);
    list->setColumnWidth(0, 175);
    return list;
}

void cDialogLayout::OkCancel(int x, int okY, int cancelY, int width, int height, std::function<void()> onOk) {
    QPushButton* ok = Button(1, QStringLiteral("OK"), x, okY, width, height);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    if (onOk)
        QObject::connect(ok, &QPushButton::clicked, &m_Dialog, std::move(onOk));
    else
        QObject::connect(ok, &QPushButton::clicked, &m_Dialog, &QDialog::accept);
    QPushButton* cancel = Button(2, QStringLiteral("Cancel"), x, cancelY, width, height);
    QObject::connect(cancel, &QPushButton::clicked, &m_Dialog, &QDialog::reject);
}

}  // namespace orvik
