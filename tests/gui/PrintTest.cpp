// The results report drawn with Qt into PDF files and read back with
// pdftotext: what the report holds, and how its file is written.

#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "app/ProgramStart.h"
#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "platform/DemoDirectory.h"
#include "platform/cSimulatedDirectory.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"
#include "ui/QtText.h"
#include "ui/cQtPdfReportWriter.h"
#include "ui/cQtSurface.h"

using namespace orvik;

namespace {

QString PdfText(const std::string& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000)) return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

    test::TempFolder folder;
    test::TestClock clock{1765000000};
    std::unique_ptr<cSimulatedDirectory> directory;
    std::unique_ptr<cUserDataCollector> collector;
    std::unique_ptr<cDomainControllerCollection> collection;
    cMemoryCollectionView view;

private slots:
    // The demo directory collected once, its users shown as the window shows them.
    void initTestCase() {
        std::string error;
        directory = cSimulatedDirectory::FromJson(DemoDirectoryJson(), error);
        QVERIFY(directory != nullptr);
        collector = std::make_unique<cUserDataCollector>(*directory, clock);
        collection = std::make_unique<cDomainControllerCollection>(*collector, clock);
        collection->SetMainWindow(&view);
        for (const auto& name : directory->ControllerNames()) collection->AddDomainController(view.Controllers(), name);
        collection->StartAll();
        bool complete = false;
        QTRY_VERIFY_WITH_TIMEOUT((collection->Poll(complete), complete), 60000);
        collection->SortUsers();
        collection->ShowUsers(u"");
    }

    void cleanupTestCase() { QVERIFY(collection->StopForExit(30000)); }

    void theDemoReportHoldsTheSummaryTheTitlesAndTheRowsInOrder() {
        cResultsReport report(*collection, view.Users(), clock);
        report.CopyTexts();
        cQtPdfReportWriter writer;
        std::u16string reason;
        const std::string path = folder.File("report.pdf");
        QCOMPARE(writer.WritePdf(report, path, clock.Now(), reason), 0);
        const QString text = PdfText(path);
        QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
        for (const char* line :
             {"Report:", "Real user last logon data", "Total number of users:", "3405",
              "Number of users in report:", "500", "Domain controllers:", "CORP-DC3:", "1000 users, Error (1722)",
              "Username", "Logon time", "Full name", "Description", "Domain", "Ambrel data", "Page 1", "Page 2"})
            QVERIFY2(text.contains(QString::fromLatin1(line)), line);
        // The rows in the list's order: each one's name after the one before it.
        qsizetype at = text.indexOf(QStringLiteral("Username"));
        for (int row = 0; row < 60; ++row) {
            const QString name = ToQt(view.Users().GetCellText(row, 0));
            const qsizetype next = text.indexOf(
                QRegularExpression(QStringLiteral("\\n\\s*%1\\s").arg(QRegularExpression::escape(name))), at);
            QVERIFY2(next > at, qPrintable(name));
            at = next;
        }
    }

    void aLinkInTheReportsPlaceIsReplacedNotFollowed() {
        const std::string target = folder.File("elsewhere.txt"), path = folder.File("linked.pdf");
        std::ofstream(target) << "keep";
        std::filesystem::create_symlink(target, path);
        cResultsReport report(*collection, view.Users(), clock);
        cQtPdfReportWriter writer;
        std::u16string reason;
        QCOMPARE(writer.WritePdf(report, path, clock.Now(), reason), 0);
        QVERIFY(!std::filesystem::is_symlink(path));
        std::ifstream kept(target);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(kept), {}), std::string("keep"));
    }

    void aFolderThatCannotBeWrittenGivesTheReason() {
        cResultsReport report(*collection, view.Users(), clock);
        cQtPdfReportWriter writer;
        std::u16string reason;
        QCOMPARE(writer.WritePdf(report, folder.File("missing/report.pdf"), clock.Now(), reason), -1);
        QCOMPARE(ToQt(reason), QStringLiteral("No such file or directory"));
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
