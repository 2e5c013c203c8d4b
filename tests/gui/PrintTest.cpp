// The results report drawn with Qt into PDF files and read back with
// pdftotext: what the report holds, and how its file is written.

#include <sys/stat.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "output/cResultsReport.h"
#include "platform/cSimulatedDirectory.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"
#include "ui/QtText.h"
#include "ui/cQtPdfReportWriter.h"

using namespace orvik;

namespace {

// What a poppler tool prints.
QString Poppler(const char* tool, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromLatin1(tool), arguments);
    return process.waitForFinished(30000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

    test::TempFolder folder;
    test::TestClock clock{1765000000};
    cSimulatedDirectory directory{{}};
    cUserDataCollector collector{directory, clock};
    cDomainControllerCollection collection{collector, clock};
    cMemoryCollectionView view;
    cResultsReport report{collection, view.Users(), clock};
    cQtPdfReportWriter writer;
    std::u16string reason;

private slots:
    // A list of 200 users.
    void initTestCase() {
        collection.AddDomainController(view.Controllers(), u"DC1");
        for (int row = 0; row < 200; ++row) view.Users().InsertRow(row, u"user" + FormatLong(row), 0);
        report.CopyTexts();
    }

    // The drawn texts reach the PDF, the rows one below the other over its pages (what the report holds and
    // where it goes is the printer's, checked against a recording surface).
    void theDrawnTextsReachThePdf() {
        const std::string path = folder.File("report.pdf");
        QCOMPARE(writer.WritePdf(report, path, clock.Now(), reason), 0);
        const QString text =
            Poppler("pdftotext", {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
        for (const char* line : {"Real user last logon data", "DC1:", "Username", "Ambrel data", "Page 2", "user199"})
            QVERIFY2(text.contains(QString::fromLatin1(line)), line);
        QString rows;  // the list's first rows, each on a line of its own
        for (int row = 0; row < 3; ++row)
            rows += QStringLiteral("\\n\\s*%1\\b.*").arg(ToQt(view.Users().GetCellText(row, 0)));
        QVERIFY2(text.contains(QRegularExpression(rows)), qPrintable(rows));
    }

    // A new report is as private as the umask makes new files, a private report stays private, and a link in the
    // report's place is replaced, not followed.
    void theReportIsNoMoreReadableThanTheUmaskAndTheReportItReplaces() {
        const std::string fresh = folder.File("fresh.pdf"), replaced = folder.File("replaced.pdf");
        const std::string target = folder.File("elsewhere.txt"), linked = folder.File("linked.pdf");
        std::ofstream(replaced) << "old";
        std::ofstream(target) << "keep";
        std::filesystem::create_symlink(target, linked);
        const auto ownerOnly = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
        std::filesystem::permissions(replaced, ownerOnly);
        const mode_t was = ::umask(077);
        QCOMPARE(writer.WritePdf(report, fresh, clock.Now(), reason), 0);
        ::umask(022);
        QCOMPARE(writer.WritePdf(report, replaced, clock.Now(), reason), 0);
        QCOMPARE(writer.WritePdf(report, linked, clock.Now(), reason), 0);
        ::umask(was);
        for (const std::string& path : {fresh, replaced})
            QCOMPARE(std::filesystem::status(path).permissions() & std::filesystem::perms::all, ownerOnly);
        QVERIFY(!std::filesystem::is_symlink(linked));
        std::ifstream kept(target);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(kept), {}), std::string("keep"));
    }

    void aFileThatCannotBeWrittenGivesTheReason() {
        QCOMPARE(writer.WritePdf(report, folder.File("missing/report.pdf"), clock.Now(), reason), -1);
        QCOMPARE(ToQt(reason), QStringLiteral("No such file or directory"));
        QFile full(QStringLiteral("/dev/full"));
        QVERIFY(full.open(QIODevice::WriteOnly));
        QCOMPARE(DrawPdfReport(report, full, clock.Now(), reason), -1);
        QCOMPARE(ToQt(reason), QStringLiteral("No space left on device"));
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
