#include "ui/cQtDesktop.h"

#include "base/Vendor.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

namespace orvik {

namespace {

QSettings SystemSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::SystemScope, ToQt(kVendorName), ToQt(kProductName));
}

const QString kMarkerKey = QStringLiteral("UserInfo/Startup");

}  // namespace

void cQtDesktop::Beep() { QApplication::beep(); }

void cQtDesktop::OpenUrl(const std::u16string& url) { QDesktopServices::openUrl(QUrl(ToQt(url))); }

bool cQtStartupMarker::Read(std::uint32_t& value) {
    QSettings settings = SystemSettings();
    const QVariant v = settings.value(kMarkerKey);
    if (!v.isValid()) return false;
    bool ok = false;
    const qulonglong number = v.toULongLong(&ok);
    if (!ok || number > 0xFFFFFFFFull) return false;  // another type counts as unreadable
    value = static_cast<std::uint32_t>(number);
    return true;
}

void cQtStartupMarker::Write(std::uint32_t value) {
    QSettings settings = SystemSettings();
    settings.setValue(kMarkerKey, static_cast<qulonglong>(value));
    settings.sync();
}

void cQtMessageSink::ShowMessage(const std::u16string& text, const std::u16string& caption) {
    QMessageBox box(QMessageBox::Critical, ToQt(caption), ToQt(text), QMessageBox::Ok, m_Parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

}  // namespace orvik

namespace orvik {

bool cQtMessageSink::AskYesNo(const std::u16string& question, bool yesIsDefault) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Question"), ToQt(question),
                    QMessageBox::Yes | QMessageBox::No, m_Parent);
    box.setObjectName(QStringLiteral("Question"));
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace orvik
