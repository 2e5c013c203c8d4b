// The dialogs on their own, driven headless: controls found by their ids,
// modal dialogs answered from inside their event loop.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTreeWidget>

#include "gui/Painted.h"
#include "gui/WhenShown.h"
#include "platform/cSimulatedDirectory.h"
#include "ui/DialogLayout.h"
#include "ui/FontMapping.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/cInputDialog.h"
#include "ui/cPrintSetupDialog.h"
#include "ui/cSelectDCDialog.h"
#include "ui/cSetupDialog.h"
#include "ui/cSpinControl.h"
#include "ui/iChoosers.h"

using namespace orvik;

namespace {

QStringList Rows(const QDialog& dialog, int id) {
    QStringList rows;
    auto* list = Control<QTreeWidget>(dialog, id);
    for (int r = 0; r < list->topLevelItemCount(); ++r) rows << list->topLevelItem(r)->text(0);
    return rows;
}

void Select(const QDialog& dialog, int id, std::initializer_list<int> rows) {
    auto* list = Control<QTreeWidget>(dialog, id);
    list->clearSelection();
    for (int r : rows) list->topLevelItem(r)->setSelected(true);
}

void Click(const QDialog& dialog, int id) { QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton); }

std::unique_ptr<cSimulatedDirectory> Domains() {
    std::string error;
    return cSimulatedDirectory::FromJson(R"({"controllers": [ { "name": "DC1", "domain": "CORP" },
        { "name": "DC2", "domain": "CORP" }, { "name": "LAB1", "domain": "LAB" } ]})",
                                         error);
}

// File and font dialogs that answer from what the test queued (Cancel when nothing is).
class FakeChoosers final : public iFileChooser, public iFontChooser {
public:
    int BrowseForFile(QWidget*, std::u16string& path, const std::u16string&, const std::u16string&,
                      const std::u16string&, bool) override {
        started.push_back(path);
        if (picks.empty()) return -1;
        path = picks.front();
        picks.erase(picks.begin());
        return 0;
    }
    bool ChooseFont(QWidget*, LogFont& font) override {
        offered.push_back(font);
        if (!fontAnswer) return false;
        font = *fontAnswer;
        return true;
    }
    std::vector<std::u16string> started, picks;
    std::vector<LogFont> offered;
    std::optional<LogFont> fontAnswer;
};

QLineEdit* Edit(const QDialog& d, int id) { return Control<QLineEdit>(d, id); }

constexpr int kSelected = 1004, kAdd = 1005, kRemove = 1006, kAvailable = 1007, kEdit = 1008, kSearch = 3;

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void selectionShowsTheControllersReversedAndOkGivesThemTopDown() {
        cSelectDCDialog dialog(nullptr, {u"C1", u"C2", u"C3"}, u"", nullptr);
        QCOMPARE(Rows(dialog, kSelected), (QStringList{"C3", "C2", "C1"}));
        QVERIFY(!Control<QPushButton>(dialog, kAdd)->isEnabled());
        QVERIFY(!Control<QPushButton>(dialog, kRemove)->isEnabled());
        QVERIFY(Control<QPushButton>(dialog, 1)->isDefault());
        Click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Names(), (std::vector<std::u16string>{u"C3", u"C2", u"C1"}));
    }

    void addTakesTheTrimmedNameOnceWhateverItsCase() {
        auto net = Domains();
        cSelectDCDialog dialog(nullptr, {u"DC1"}, u"CORP", net.get());
        Click(dialog, kSearch);
        QCOMPARE(Rows(dialog, kAvailable), (QStringList{"DC2", "DC1"}));
        auto* edit = Control<QLineEdit>(dialog, kEdit);
        edit->setText(QStringLiteral("   "));
        QVERIFY(!Control<QPushButton>(dialog, kAdd)->isEnabled());  // blanks only
        edit->setText(QStringLiteral(" dc1 "));
        Click(dialog, kAdd);  // already selected as DC1: nothing inserted, the text stays
        QCOMPARE(Rows(dialog, kSelected), (QStringList{"DC1"}));
        QCOMPARE(edit->text(), QStringLiteral(" dc1 "));
        QCOMPARE(Rows(dialog, kAvailable), (QStringList{"DC2"}));  // but the available row goes
        edit->setText(QStringLiteral(" dc9\t"));
        Click(dialog, kAdd);  // only the blank is trimmed
        QCOMPARE(Rows(dialog, kSelected), (QStringList{"dc9\t", "DC1"}));
        QVERIFY(edit->text().isEmpty());
    }

    void removeMovesTheTopmostMarkedNameOnce() {
        cSelectDCDialog dialog(nullptr, {u"A", u"B", u"C"}, u"", nullptr);
        Select(dialog, kSelected, {1, 2});  // B and A
        QVERIFY(Control<QPushButton>(dialog, kRemove)->isEnabled());
        Click(dialog, kRemove);
        QCOMPARE(Rows(dialog, kSelected), (QStringList{"C", "A"}));
        QCOMPARE(Rows(dialog, kAvailable), (QStringList{"B"}));
    }

    void removingANameTheAvailableListHasOnlyDeletesIt() {
        auto net = Domains();
        cSelectDCDialog dialog(nullptr, {u"DC1"}, u"CORP", net.get());
        Click(dialog, kSearch);  // a name may stand in both lists
        QCOMPARE(Rows(dialog, kAvailable), (QStringList{"DC2", "DC1"}));
        Select(dialog, kSelected, {0});
        Click(dialog, kRemove);
        QCOMPARE(Rows(dialog, kSelected), QStringList());
        QCOMPARE(Rows(dialog, kAvailable), (QStringList{"DC2", "DC1"}));
        QVERIFY(!Control<QPushButton>(dialog, kRemove)->isEnabled());
    }

    void choosingAnAvailableNameFillsTheEditBoxAndADoubleClickAddsIt() {
        auto net = Domains();
        cSelectDCDialog dialog(nullptr, {}, u"LAB", net.get());
        Click(dialog, kSearch);
        auto* available = Control<QTreeWidget>(dialog, kAvailable);
        available->topLevelItem(0)->setSelected(true);
        QCOMPARE(Control<QLineEdit>(dialog, kEdit)->text(), QStringLiteral("LAB1"));
        emit available->itemDoubleClicked(available->topLevelItem(0), 0);
        QCOMPARE(Rows(dialog, kSelected), (QStringList{"LAB1"}));
        QCOMPARE(Rows(dialog, kAvailable), QStringList());
    }

    void searchListsANameOnceAndAFailingDomainAddsNothing() {
        auto net = Domains();
        cSelectDCDialog twice(nullptr, {}, u"CORP,,corp,", net.get());
        Click(twice, kSearch);
        QCOMPARE(Rows(twice, kAvailable), (QStringList{"DC2", "DC1"}));
        cSelectDCDialog failing(nullptr, {}, u"LAB,NOPE", net.get());
        Click(failing, kSearch);
        QCOMPARE(Rows(failing, kAvailable), QStringList());
        cSelectDCDialog blank(nullptr, {}, u"LAB, CORP", net.get());  // " CORP" is no domain
        Click(blank, kSearch);
        QCOMPARE(Rows(blank, kAvailable), QStringList());
    }

    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void setupConfirmedUntouchedChangesNothing() {
        FakeChoosers choosers;
        cSetupDialog dialog(nullptr, choosers, choosers);
        dialog.m_Setup.m_UsersShown = 32767;
        const cSetupData before = dialog.m_Setup;
        dialog.Initialise();
        QCOMPARE(Edit(dialog, 1018)->text(), QStringLiteral("32,767"));  // the locale's separator
        Click(dialog, 1);
        QVERIFY(dialog.m_Setup == before);
    }

    void setupTakesATypedNumberOnlyWithinItsRange() {
        const struct {
            int buddy;
            const char* typed;
            int cSetupData::*field;
            int stored;
        } rows[] = {
            {1016, "5000", &cSetupData::m_MaxThreads, 4},     {1016, "1000", &cSetupData::m_MaxThreads, 1000},
            {1016, "1,000", &cSetupData::m_MaxThreads, 1000}, {1016, "ten", &cSetupData::m_MaxThreads, 4},
            {1023, "0", &cSetupData::m_RefreshPeriod, 0},     {1023, "-1", &cSetupData::m_RefreshPeriod, 10},
            {1018, "0", &cSetupData::m_UsersShown, 500},      {1014, "9", &cSetupData::m_BufferSize, 1000},
            {1014, " 12 ", &cSetupData::m_BufferSize, 12},
        };
        for (const auto& row : rows) {
            FakeChoosers choosers;
            cSetupDialog dialog(nullptr, choosers, choosers);
            dialog.Initialise();
            Edit(dialog, row.buddy)->setText(QString::fromLatin1(row.typed));
            Click(dialog, 1);
            QCOMPARE(dialog.m_Setup.*row.field, row.stored);
        }
    }

    void theArrowsStepWithinTheRange() {
        FakeChoosers choosers;
        cSetupDialog dialog(nullptr, choosers, choosers);
        dialog.m_Setup.m_MaxThreads = 999;
        dialog.Initialise();
        QTest::keyClick(Edit(dialog, 1016), Qt::Key_Up);
        QTest::keyClick(Edit(dialog, 1016), Qt::Key_Up);
        QCOMPARE(Edit(dialog, 1016)->text(), QStringLiteral("1,000"));
        Edit(dialog, 1016)->setText(QStringLiteral("nonsense"));
        QTest::keyClick(Edit(dialog, 1016), Qt::Key_Down);  // from the last valid position
        QCOMPARE(Edit(dialog, 1016)->text(), QStringLiteral("999"));
    }

    void insertPutsTheVariableAtTheCaretOrOverTheSelection() {
        FakeChoosers choosers;
        cSetupDialog dialog(nullptr, choosers, choosers);
        dialog.m_Setup.m_ExportFormat = u"%USER_NAME%,%FULL_NAME%";
        dialog.Initialise();
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* variables = Control<QComboBox>(dialog, 1012);
        QVERIFY(!Control<QPushButton>(dialog, 1013)->isEnabled());
        QCOMPARE(variables->itemText(0), QStringLiteral("%DESCRIPTION%"));  // sorted
        auto* format = Edit(dialog, 1011);
        format->setFocus();
        format->setCursorPosition(12);  // after "%USER_NAME%,"
        variables->setCurrentText(QStringLiteral("%DOMAIN%"));
        QVERIFY(Control<QPushButton>(dialog, 1013)->isEnabled());
        Control<QPushButton>(dialog, 1013)->setFocus();
        Click(dialog, 1013);
        QCOMPARE(format->text(), QStringLiteral("%USER_NAME%,%DOMAIN%%FULL_NAME%"));
        format->setFocus();
        format->setSelection(0, 11);  // "%USER_NAME%"
        Control<QPushButton>(dialog, 1013)->setFocus();
        Click(dialog, 1013);
        QCOMPARE(format->text(), QStringLiteral("%DOMAIN%,%DOMAIN%%FULL_NAME%"));
    }

    void browseStartsFromTheStoredPathAndShowsThePick() {
        FakeChoosers choosers;
        cSetupDialog dialog(nullptr, choosers, choosers);
        dialog.m_Setup.m_ExportFile = u"/srv/old.txt";
        dialog.Initialise();
        Edit(dialog, 1009)->setText(QStringLiteral("/typed/new.txt"));
        Click(dialog, 1010);  // cancelled: nothing changes
        QCOMPARE(choosers.started.back(), std::u16string(u"/srv/old.txt"));
        QCOMPARE(Edit(dialog, 1009)->text(), QStringLiteral("/typed/new.txt"));
        choosers.picks = {u"/srv/picked.txt"};
        Click(dialog, 1022);
        QCOMPARE(choosers.started.back(), std::u16string(u"LastLogonSummary.txt"));
        QCOMPARE(Edit(dialog, 1021)->text(), QStringLiteral("/srv/picked.txt"));
        Edit(dialog, 1009)->clear();
        Click(dialog, 1);
        QCOMPARE(dialog.m_Setup.m_SummaryFile, std::u16string(u"/srv/picked.txt"));
        QCOMPARE(dialog.m_Setup.m_ExportFile, std::u16string());  // an empty box is an empty name
    }

    void printSetupFontsAndTexts() {
        FakeChoosers choosers;
        cPrintSetupDialog dialog(nullptr, choosers);
        dialog.m_Setup.m_StrongFont = u"broken";
        dialog.Initialise();
        QCOMPARE(Edit(dialog, 1030)->text(), QStringLiteral("Ambrel data"));
        Click(dialog, 1035);  // cancelled, but the broken string became the default
        QCOMPARE(dialog.m_Setup.m_StrongFont, DefaultFontString(Strong));
        QCOMPARE(choosers.offered.back().lfWeight, 700);
        Click(dialog, 1033);  // cancelled: a valid string stays
        QCOMPARE(dialog.m_Setup.m_RegularFont, DefaultFontString(Regular));
        LogFont chosen = choosers.offered.back();
        chosen.lfHeight = -15;
        chosen.lfFaceName = u"DejaVu Sans";
        choosers.fontAnswer = chosen;
        Click(dialog, 1034);
        QCOMPARE(dialog.m_Setup.m_HeaderFooterFont, std::u16string(u"-15,0,0,0,400,0,0,0,0,3,2,1,34,DejaVu Sans"));
        Edit(dialog, 1031)->setText(QStringLiteral("Printed %DATE%"));
        Click(dialog, 1);
        QCOMPARE(dialog.m_Setup.m_FooterLeft, std::u16string(u"Printed %DATE%"));
    }

    // The platform's font dialog confirmed without a change: the string stays
    // byte for byte, Arial bold (drawn as its substitute) included.
    void theFontDialogConfirmedUnchangedKeepsTheString() {
        cQtFontChooser fonts;
        cPrintSetupDialog dialog(nullptr, fonts);
        const std::u16string strong = u" -11,0,0,0,700,0,0,0,0,3,2,1,34,Arial";
        dialog.m_Setup.m_StrongFont = strong;
        dialog.Initialise();
        test::WhenShown(QString(), [](QDialog& d) { d.accept(); });
        Click(dialog, 1035);
        QCOMPARE(dialog.m_Setup.m_StrongFont, strong);
    }

    // Each dialog shown and painted; on a display, its picture is kept when asked for.
    void everyDialogIsPainted() {
        FakeChoosers choosers;
        auto net = Domains();
        std::vector<std::unique_ptr<QDialog>> dialogs;
        dialogs.push_back(std::make_unique<cSelectDCDialog>(nullptr, std::vector<std::u16string>{u"DC1", u"DC2"},
                                                            u"CORP", net.get()));
        Click(*dialogs.back(), kSearch);
        auto setup = std::make_unique<cSetupDialog>(nullptr, choosers, choosers);
        setup->Initialise();
        dialogs.push_back(std::move(setup));
        auto print = std::make_unique<cPrintSetupDialog>(nullptr, choosers);
        print->Initialise();
        dialogs.push_back(std::move(print));
        dialogs.push_back(std::make_unique<cInputDialog>(nullptr, u"Specify text in name to search for:", u"smith"));
        for (auto& dialog : dialogs) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            QTRY_VERIFY2(test::IsPainted(*dialog, dialog->objectName()), qPrintable(dialog->objectName()));
            dialog->hide();
        }
    }

    // Run once more with QT_SCALE_FACTOR=2: the pictures keep their size on
    // the screen and get twice the pixels.
    void picturesHaveAsManyPixelsAsTheScreen() {
        const qreal ratio = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        QCOMPARE(qApp->devicePixelRatio(), ratio);
        for (const QPixmap& picture :
             {ControllerPicture(2), UserPicture(), ButtonPicture(QStringLiteral("Start"), 50, 14)}) {
            QCOMPARE(picture.devicePixelRatio(), ratio);
            QCOMPARE(picture.width(), qRound(picture.deviceIndependentSize().width() * ratio));
        }
        QCOMPARE(ControllerPicture(0).deviceIndependentSize(), QSizeF(20, 16));
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

    void theInputDialogGivesTheTextAsTypedOrLeavesTheValue() {
        std::u16string value = u"kept";
        test::WhenShown(QStringLiteral("id146"), [](QDialog& d) {
            QCOMPARE(Control<QLabel>(d, 1036)->text(), QStringLiteral("Prompt:"));
            QCOMPARE(Control<QLineEdit>(d, 1035)->text(), QStringLiteral("kept"));
            Control<QLineEdit>(d, 1035)->setText(QStringLiteral(" smith "));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QCOMPARE(ShowInputDialog(nullptr, u"Prompt:", value), -1);
        QCOMPARE(value, std::u16string(u"kept"));
        test::WhenShown(QStringLiteral("id146"), [](QDialog& d) {
            QVERIFY(Control<QLineEdit>(d, 1035)->hasFocus() || !d.isActiveWindow());
            Control<QLineEdit>(d, 1035)->setText(QStringLiteral(" smith "));
            QTest::keyClick(Control<QLineEdit>(d, 1035), Qt::Key_Return);
        });
        QCOMPARE(ShowInputDialog(nullptr, u"Prompt:", value), 0);
        QCOMPARE(value, std::u16string(u" smith "));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
