// The dialogs on their own, driven headless: controls found by their ids,
// modal dialogs answered from inside their event loop.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>

#include "forms/Forms.h"
#include "forms/cInputPresenter.h"
#include "forms/cPrintSetupPresenter.h"
#include "forms/cSelectDcPresenter.h"
#include "forms/cSetupPresenter.h"
#include "gui/Painted.h"
#include "gui/WhenShown.h"
#include "platform/cSimulatedDirectory.h"
#include "ui/FontMapping.h"
#include "ui/cQtChoosers.h"
#include "ui/cQtForm.h"

using namespace orvik;

namespace {

// A presenter of every dialog, over the platform's choosers.
struct AllForms {
    cQtFileChooser files;
    cQtFontChooser fonts;
    cQtFormRunner runner{nullptr};
    std::string error;
    std::unique_ptr<cSimulatedDirectory> net = cSimulatedDirectory::FromJson(
        R"({"controllers": [ { "name": "DC1", "domain": "CORP" }, { "name": "DC2", "domain": "CORP" } ]})", error);
    cSelectDcPresenter select{{u"DC1", u"DC2"}, u"CORP", net.get()};
    cSetupPresenter setup{cSetupData{}, files, fonts, runner};
    cPrintSetupPresenter print{cSetupData{}, fonts};
    cInputPresenter input{u"Specify text in name to search for:", u"smith"};
    std::array<cFormPresenter*, 4> all{&select, &setup, &print, &input};
};

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // The platform's font dialog confirmed without a change: the string stays
    // byte for byte, Arial bold (drawn as its substitute) included.
    void theFontDialogConfirmedUnchangedKeepsTheString() {
        cQtFontChooser fonts;
        cSetupData start;
        const std::u16string strong = u" -11,0,0,0,700,0,0,0,0,3,2,1,34,Arial";
        start.m_StrongFont = strong;
        cPrintSetupPresenter print(start, fonts);
        cQtForm dialog(nullptr, print);
        test::WhenShown(QString(), [](QDialog& d) { d.accept(); });
        QTest::mouseClick(Control<QPushButton>(dialog, print_setup::kStrongFont), Qt::LeftButton);
        QCOMPARE(print.Setup().m_StrongFont, strong);
    }

    // Each dialog shown and painted (on a display, its picture is kept when asked for).
    void everyDialogIsPainted() {
        AllForms forms;
        for (cFormPresenter* presenter : forms.all) {
            cQtForm dialog(nullptr, *presenter);
            if (presenter == &forms.select)
                QTest::mouseClick(Control<QPushButton>(dialog, select_dc::kSearch), Qt::LeftButton);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTRY_VERIFY2(test::IsPainted(dialog, dialog.objectName()), qPrintable(dialog.objectName()));
            dialog.hide();
        }
    }

    // Enter in the name box reaches the presenter: it adds the typed name, and with the box empty it is OK.
    void enterReachesThePresenter() {
        cSelectDcPresenter select({}, u"", nullptr);
        test::WhenShown(QStringLiteral("id129"), [](QDialog& d) {
            auto* name = Control<QLineEdit>(d, select_dc::kName);
            name->setText(QStringLiteral("DC9"));
            QTest::keyClick(name, Qt::Key_Return);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QVERIFY(RunForm(nullptr, select));
        QCOMPARE(select.Names(), std::vector<std::u16string>{u"DC9"});
    }

    void aFontStringBecomesAQFontAndBack() {
        LogFont f;
        QCOMPARE(ParseFontString(u"-15,0,0,0,700,255,1,1,0,3,2,1,34,DejaVu Sans", f), 0);
        const QFont font = ToQFont(f);
        QCOMPARE(font.pixelSize(), 15);
        QCOMPARE(font.weight(), QFont::Bold);
        QVERIFY(font.italic() && font.underline() && font.strikeOut());
        QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(FormatFontString(FromQFont(font, f)), std::u16string(u"-15,0,0,0,700,255,1,1,0,3,2,1,34,DejaVu Sans"));
        f.lfHeight = 30;  // a cell height: the characters are smaller
        QVERIFY(ToQFont(f).pixelSize() < 30);
        QFont points(QStringLiteral("DejaVu Sans"));
        points.setPointSize(12);  // a font dialog may answer in points
        QVERIFY(FromQFont(points, f).lfHeight < 0);
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
