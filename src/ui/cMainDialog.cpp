#include "ui/cMainDialog.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>

#include "base/TextCompare.h"
#include "forms/Forms.h"
#include "forms/HelpPage.h"
#include "platform/NetErrorText.h"
#include "ui/HelpPage.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/cProgressDialog.h"

namespace orvik {

cMainDialog::cMainDialog(cMainPresenter& presenter, cMainDialogOptions options)
    : cQtForm(nullptr, presenter, false),
      m_Presenter(presenter),
      m_Boxes(this),
      m_PrintDialog(this),
      m_Runner(this),
      m_Messages(options.messages != nullptr ? *options.messages : m_Boxes),
      m_Questions(options.questions != nullptr ? *options.questions : m_Boxes),
      m_FileChooser(options.fileChooser != nullptr ? *options.fileChooser : m_FileDialog),
      m_FontChooser(options.fontChooser != nullptr ? *options.fontChooser : m_FontDialog),
      m_PrinterChooser(options.printerChooser != nullptr ? *options.printerChooser : m_PrintDialog) {
    // The error cell says what its code means.
    QtList(main_window::kControllerList).SetToolTips(kColErrorCode, [](const std::u16string& code) {
        if (code.empty()) return QString();
        const long value = std::strtol(ToUtf8(code).c_str(), nullptr, 10);
        return ToQt(NetErrorText(static_cast<std::int32_t>(value)));
    });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { ShowHelp(); });
    connect(&m_Timer, &QTimer::timeout, this, [this] { m_Presenter.OnTimer(); });
    m_Presenter.Open(*this, *this);
}

cMainDialog::~cMainDialog() { m_Presenter.Close(); }

void cMainDialog::SetTitle(const std::u16string& title) { setWindowTitle(ToQt(title)); }

void cMainDialog::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

std::unique_ptr<iProgressWindow> cMainDialog::ShowProgress() { return std::make_unique<cProgressDialog>(this); }

int cMainDialog::PopUpMenu(const std::vector<cMenuItem>& items) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ControllerMenu"));
    for (const cMenuItem& item : items) {
        QAction* action = menu.addAction(ToQt(item.caption));
        action->setObjectName(QStringLiteral("id%1").arg(item.id));
        action->setEnabled(item.enabled);
        action->setData(item.id);
    }
    QAction* chosen = menu.exec(QCursor::pos());
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

void cMainDialog::ShowHelp() {
    if (m_Help == nullptr) m_Help = new cHelpWindow(this);
    m_Help->ShowTopic(kHelpContextOverview);
}

void cMainDialog::ShowAbout(const std::u16string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("About Ambrel"), ToQt(text), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("id%1").arg(main_window::kAboutBox));
    box.setIconPixmap(ProgramIcon().pixmap(48, 48));
    box.exec();
}

void cMainDialog::HoldDrawing(int listId, bool hold) {
    if (QWidget* list = Widget(listId)) list->setUpdatesEnabled(!hold);
}

int cMainDialog::TopRow(int listId) const {
    auto* list = qobject_cast<QTreeWidget*>(Widget(listId));
    return list != nullptr ? list->verticalScrollBar()->value() : 0;
}

void cMainDialog::ScrollTo(int listId, int topRow) {
    if (auto* list = qobject_cast<QTreeWidget*>(Widget(listId))) list->verticalScrollBar()->setValue(topRow);
}

}  // namespace orvik
