// The dialogs on their own, driven headless: controls found by their ids,
// modal dialogs answered from inside their event loop.

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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
#include "ui/DialogUnits.h"
#include "ui/FontMapping.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
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

    // The file dialog names each filter's patterns once; "*.*" is any file.
    void theFileDialogNamesEachFilterOnce() {
        QStringList filters;
        test::WhenShown(QStringLiteral("FileDialog"), [&](QDialog& d) {
            filters = static_cast<QFileDialog&>(d).nameFilters();
            d.reject();
        });
        cQtFileChooser files;
        std::u16string path;
        QCOMPARE(files.BrowseForFile(path, u"Export file filter (*.txt)|*.txt", u"All files (*.*)|*.*", u"txt", false),
                 -1);
        QCOMPARE(filters, QStringList({QStringLiteral("Export file filter (*.txt)"), QStringLiteral("All files (*)")}));
    }

    // Each dialog shown and painted (on a display, its picture is kept when asked for); no label or check box text
    // is wider than the place its description gives it, in this font (the same at 200%: the ctest DialogsAt200).
    void everyDialogIsPaintedAndItsTextsFit() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        AllForms forms;
        QStringList cut;
        for (cFormPresenter* presenter : forms.all) {
            cQtForm dialog(nullptr, *presenter);
            const cDialogUnits units(dialog.font());
            for (QWidget* w : dialog.findChildren<QWidget*>()) {
                auto* label = qobject_cast<QLabel*>(w);
                auto* check = qobject_cast<QCheckBox*>(w);
                const QString text = label != nullptr ? label->text() : check != nullptr ? check->text() : QString();
                if (text.isEmpty() || (label != nullptr && label->wordWrap())) continue;
                for (const cControl& c : presenter->Form().controls) {
                    const bool same =
                        c.id != 0 ? w->objectName() == QStringLiteral("id%1").arg(c.id) : ToQt(c.caption) == text;
                    if (same && w->sizeHint().width() > units.X(c.width))
                        cut << QStringLiteral("%1: %2 > %3").arg(text).arg(w->sizeHint().width()).arg(units.X(c.width));
                }
            }
            if (presenter == &forms.select)
                QTest::mouseClick(Control<QPushButton>(dialog, select_dc::kSearch), Qt::LeftButton);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTRY_VERIFY2(test::IsPainted(dialog, dialog.objectName()), qPrintable(dialog.objectName()));
            dialog.hide();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
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

    // Esc and Enter in an edit box, the arrow key in a spin control's box and its arrow button reach the presenter.
    void keysAndArrowsReachThePresenter() {
        cInputPresenter ask(u"Prompt:", u"kept");
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            test::WhenShown(QStringLiteral("id146"), [key](QDialog& d) {
                QVERIFY(Control<QLineEdit>(d, input::kValue)->hasFocus() || !d.isActiveWindow());
                Control<QLineEdit>(d, input::kValue)->setText(QStringLiteral(" smith "));
                QTest::keyClick(Control<QLineEdit>(d, input::kValue), key);
            });
            QCOMPARE(RunForm(nullptr, ask), key == Qt::Key_Return);
        }
        AllForms forms;
        cSetupData start;
        start.m_MaxThreads = 999;
        cSetupPresenter presenter(start, forms.files, forms.fonts, forms.runner);
        cQtForm setup(nullptr, presenter);
        auto* threads = Control<QLineEdit>(setup, setup::kMaxThreads);
        QTest::keyClick(threads, Qt::Key_Up);
        QTest::mouseClick(Control<QWidget>(setup, setup::kMaxThreadsSpin)->findChild<QWidget*>(QStringLiteral("up")),
                          Qt::LeftButton);
        QCOMPARE(threads->text(), QStringLiteral("1,000"));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
