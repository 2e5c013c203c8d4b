// The dialogs on their own, driven headless: controls found by their ids,
// modal dialogs answered from inside their event loop.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "gui/WhenShown.h"
#include "platform/cSimulatedDirectory.h"
#include "ui/DialogLayout.h"
#include "ui/QtText.h"
#include "ui/cInputDialog.h"
#include "ui/cSelectDCDialog.h"

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
