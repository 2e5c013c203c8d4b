#include "ui/cQtForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/DialogUnits.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/cSpinControl.h"

namespace orvik {

namespace {

// A line of text in vertical dialog units.
constexpr int kLineUnits = 8;

}  // namespace

cQtForm::cQtForm(QWidget* parent, cFormPresenter& presenter, bool initialise)
    : QDialog(parent), m_Presenter(presenter) {
    const cForm& form = presenter.Form();
    setObjectName(QStringLiteral("id%1").arg(form.id));
    setWindowTitle(ToQt(form.caption));
    setWindowIcon(ProgramIcon());
    const cDialogUnits units(font());
    const QSize size(units.X(form.width), units.Y(form.height));
    if (form.resizable) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
        m_BaseSize = size;
        setMinimumSize(size);
        resize(size);
    } else {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        setFixedSize(size);
    }
    for (const cControl& control : form.controls) {
        QWidget* widget = Make(control);
        if (widget == nullptr) continue;
        if (control.id != 0) widget->setObjectName(QStringLiteral("id%1").arg(control.id));
        if (form.resizable) m_BasePlaces.emplace_back(widget, widget->geometry());
    }
    FitGrownTexts();
    if (initialise) presenter.Initialise(*this);
}

void cQtForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_BasePlaces.empty()) return;
    const int dx = std::max(0, width() - m_BaseSize.width());
    const int dy = std::max(0, height() - m_BaseSize.height());
    const auto& controls = m_Presenter.Form().controls;
    std::size_t placed = 0;
    for (const cControl& c : controls) {
        if (placed == m_BasePlaces.size()) break;
        const auto& [widget, base] = m_BasePlaces[placed];
        if (widget->objectName() != QStringLiteral("id%1").arg(c.id) && c.id != 0) continue;
        ++placed;
        const cResize& r = c.resize;
        if (r.movesRight) {
            widget->setGeometry(base.translated(dx, 0));
            continue;
        }
        const int top = base.top() + dy * r.topThirds / 3;
        const int bottom = base.bottom() + dy * (r.topThirds + r.heightThirds) / 3;
        widget->setGeometry(QRect(QPoint(base.left(), top), QPoint(base.right() + dx, bottom)));
    }
}

QWidget* cQtForm::MakeList(const cControl& c, const QRect& area) {
    const int id = c.id;
    auto* list = new QTreeWidget(this);
    list->setGeometry(area);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setIconSize(QSize(20, 16));
    std::vector<QPixmap> pictures;
    if (c.caption == u"user") {
        pictures = {UserPicture()};
    } else {
        for (int image = 0; image < (c.caption == u"controller" ? 4 : 1); ++image)
            pictures.push_back(ControllerPicture(image));
    }
    if (c.kind == eControlKind::kNameList) {
        list->setHeaderHidden(true);
        list->setColumnCount(1);
        list->setColumnWidth(0, 175);
        connect(list, &QTreeWidget::itemDoubleClicked, this,
                [this, id] { m_Presenter.OnEvent(*this, id, eFormEvent::kDoubleClicked); });
    } else {
        QStringList titles;
        for (const cColumn& column : c.columns) titles << ToQt(column.title);
        list->setAllColumnsShowFocus(true);
        list->setColumnCount(static_cast<int>(titles.size()));
        list->setHeaderLabels(titles);
        list->header()->setSectionsClickable(true);
        list->header()->setStretchLastSection(false);
        list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        for (std::size_t i = 0; i < c.columns.size(); ++i)
            list->setColumnWidth(static_cast<int>(i), c.columns[i].width);
        connect(list->header(), &QHeaderView::sectionClicked, this,
                [this, id](int column) { m_Presenter.OnColumnClicked(*this, id, column); });
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, id] { m_Presenter.OnContextMenu(*this, id); });
    }
    m_Lists[id] = std::make_unique<cQtListView>(*list, std::move(pictures), c.sorted);
    connect(list, &QTreeWidget::itemSelectionChanged, this,
            [this, id] { m_Presenter.OnEvent(*this, id, eFormEvent::kSelectionChanged); });
    return list;
}

cQtForm::~cQtForm() {
    while (m_Busy > 0) SetBusy(false);
}

QWidget* cQtForm::Make(const cControl& c) {
    const cDialogUnits units(font());
    const QRect area = units.Rect(c.x, c.y, c.width, c.height);
    const int id = c.id;
    auto tell = [this, id](eFormEvent event) { m_Presenter.OnEvent(*this, id, event); };
    // A text wider in this font than in the one its place was measured for
    // grows to the right instead of being cut, up to the next control.
    auto fit = [this](QWidget* w) {
        if (w->sizeHint().width() > w->width()) {
            w->resize(w->sizeHint().width(), w->height());
            m_Grown.push_back(w);
        }
        return w;
    };
    switch (c.kind) {
        case eControlKind::kLabel: {
            // As a static text: from the top of its place, over several lines when the place is that high.
            auto* label = new QLabel(ToQt(c.caption), this);
            label->setGeometry(area);
            label->setAlignment(Qt::AlignLeft | (c.middle ? Qt::AlignVCenter : Qt::AlignTop));
            if (c.height < 2 * kLineUnits) return fit(label);
            label->setWordWrap(true);
            return label;
        }
        case eControlKind::kIcon: {
            auto* label = new QLabel(this);
            label->setGeometry(area);
            label->setPixmap(ProgramIcon().pixmap(32, 32));
            return label;
        }
        case eControlKind::kGroup: {
            auto* group = new QGroupBox(ToQt(c.caption), this);
            group->setGeometry(area);
            group->lower();  // behind the controls it frames
            return group;
        }
        case eControlKind::kEdit: {
            auto* edit = new QLineEdit(this);
            edit->setGeometry(area);
            edit->installEventFilter(this);  // for Enter
            m_EditIds[edit] = id;
            connect(edit, &QLineEdit::textChanged, this, [tell] { tell(eFormEvent::kTextChanged); });
            // The caret and selection outlive the focus, so that a button can act where the user left them.
            auto remember = [this, edit, id] {
                if (!edit->hasFocus()) return;
                m_Selections[id] = edit->hasSelectedText() ? cTextRange{edit->selectionStart(),
                                                                        static_cast<int>(edit->selectedText().size())}
                                                           : cTextRange{edit->cursorPosition(), 0};
            };
            connect(edit, &QLineEdit::cursorPositionChanged, this, remember);
            connect(edit, &QLineEdit::selectionChanged, this, remember);
            return edit;
        }
        case eControlKind::kButton:
        case eControlKind::kDefaultButton: {
            auto* button = new QPushButton(this);
            button->setGeometry(area);
            const bool isDefault = c.kind == eControlKind::kDefaultButton;
            button->setDefault(isDefault);
            if (c.pictureWidth > 0) {
                const QString name = ToQt(c.caption);
                button->setIcon(QIcon(ButtonPicture(name, c.pictureWidth, c.pictureHeight)));
                button->setIconSize(QSize(c.pictureWidth, c.pictureHeight));
                button->setToolTip(name);
                button->setAccessibleName(name);
                button->setAutoDefault(false);
            } else {
                button->setText(ToQt(c.caption));
                button->setAutoDefault(isDefault);
            }
            connect(button, &QPushButton::clicked, this, [tell] { tell(eFormEvent::kClicked); });
            return button;
        }
        case eControlKind::kCheck: {
            auto* check = new QCheckBox(ToQt(c.caption), this);
            check->setGeometry(area);
            connect(check, &QCheckBox::clicked, this, [tell] { tell(eFormEvent::kClicked); });
            return fit(check);
        }
        case eControlKind::kDropDownList: {
            // Closed it is one line high; its height is that of the open list.
            auto* combo = new QComboBox(this);
            combo->setGeometry(units.Rect(c.x, c.y, c.width, 13));
            combo->setMaxVisibleItems(std::max(1, c.height / 10));
            connect(combo, &QComboBox::currentIndexChanged, this, [tell] { tell(eFormEvent::kSelectionChanged); });
            return combo;
        }
        case eControlKind::kNameList:
        case eControlKind::kReportList: return MakeList(c, area);
        case eControlKind::kSpin: {
            auto* buddy = qobject_cast<QLineEdit*>(Widget(c.buddy));
            if (buddy == nullptr) return nullptr;
            // At the buddy's right edge, which keeps room for it.
            const QRect edit = buddy->geometry();
            const int width = units.X(c.width), height = units.Y(c.height);
            const QRect place(edit.right() + 1 - width, edit.top() + (edit.height() - height) / 2, width, height);
            buddy->setTextMargins(0, 0, width, 0);
            buddy->installEventFilter(this);
            m_SpinOfBuddy[buddy] = id;
            return new cSpinControl(this, place,
                                    [tell](int by) { tell(by > 0 ? eFormEvent::kStepUp : eFormEvent::kStepDown); });
        }
    }
    return nullptr;
}

// Texts that grew past their place stop short of the control to their right;
// one still cut shows its whole text when the mouse rests on it.
void cQtForm::FitGrownTexts() {
    for (QWidget* grown : m_Grown) {
        const QRect area = grown->geometry();
        int right = area.right();
        for (QWidget* other : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other == grown || qobject_cast<QGroupBox*>(other) != nullptr) continue;
            const QRect o = other->geometry();
            const bool sameRow = o.top() <= area.bottom() && o.bottom() >= area.top();
            if (sameRow && o.left() > area.left() && o.left() <= right) right = o.left() - 2;
        }
        grown->resize(std::max(1, right - area.left() + 1), area.height());
        if (grown->width() < grown->sizeHint().width()) {
            if (auto* label = qobject_cast<QLabel*>(grown)) grown->setToolTip(label->text());
            if (auto* check = qobject_cast<QCheckBox*>(grown)) grown->setToolTip(check->text());
        }
    }
    m_Grown.clear();
}

bool cQtForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter in an edit box is the presenter's to handle (by default it presses the default button).
        auto edit = m_EditIds.find(qobject_cast<QLineEdit*>(watched));
        if (edit != m_EditIds.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            m_Presenter.OnEvent(*this, edit->second, eFormEvent::kEnter);
            return true;
        }
        auto it = m_SpinOfBuddy.find(qobject_cast<QLineEdit*>(watched));
        if (it != m_SpinOfBuddy.end() && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            m_Presenter.OnEvent(*this, it->second, key == Qt::Key_Up ? eFormEvent::kStepUp : eFormEvent::kStepDown);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* cQtForm::Widget(int id) const { return findChild<QWidget*>(QStringLiteral("id%1").arg(id)); }

std::u16string cQtForm::Text(int id) const {
    QWidget* w = Widget(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return FromQt(edit->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return FromQt(label->text());
    return {};
}

void cQtForm::SetText(int id, std::u16string_view text) {
    QWidget* w = Widget(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(ToQt(text));
        m_Selections[id] = {static_cast<int>(edit->text().size()), 0};
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(ToQt(text));
    }
}

cTextRange cQtForm::Selection(int id) const {
    auto it = m_Selections.find(id);
    return it != m_Selections.end() ? it->second : cTextRange{};
}

void cQtForm::SetSelection(int id, cTextRange range) {
    m_Selections[id] = range;
    if (auto* edit = qobject_cast<QLineEdit*>(Widget(id))) {
        if (range.length > 0)
            edit->setSelection(range.start, range.length);
        else
            edit->setCursorPosition(range.start);
    }
}

bool cQtForm::Checked(int id) const {
    auto* check = qobject_cast<QCheckBox*>(Widget(id));
    return check != nullptr && check->isChecked();
}

void cQtForm::SetChecked(int id, bool checked) {
    if (auto* check = qobject_cast<QCheckBox*>(Widget(id))) check->setChecked(checked);
}

void cQtForm::Enable(int id, bool enabled) {
    if (QWidget* w = Widget(id)) w->setEnabled(enabled);
}

iListView& cQtForm::List(int id) { return *m_Lists.at(id); }

void cQtForm::SetChoices(int id, const std::vector<std::u16string>& choices) {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    if (combo == nullptr) return;
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const auto& choice : choices) combo->addItem(ToQt(choice));
    combo->setCurrentIndex(-1);
}

int cQtForm::Choice(int id) const {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    return combo != nullptr ? combo->currentIndex() : -1;
}

std::u16string cQtForm::ChoiceText(int id) const {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    return combo != nullptr && combo->currentIndex() >= 0 ? FromQt(combo->currentText()) : std::u16string();
}

void cQtForm::Focus(int id) {
    if (QWidget* w = Widget(id)) w->setFocus();
}

char16_t cQtForm::GroupSeparator() const { return orvik::GroupSeparator(); }

void cQtForm::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_Busy;
    } else if (m_Busy > 0) {
        QApplication::restoreOverrideCursor();
        --m_Busy;
    }
}

void cQtForm::End(bool ok) { done(ok ? QDialog::Accepted : QDialog::Rejected); }

bool RunForm(QWidget* parent, cFormPresenter& presenter) {
    QWidget* over = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : parent;
    cQtForm form(over, presenter);
    return form.exec() == QDialog::Accepted;
}

}  // namespace orvik
