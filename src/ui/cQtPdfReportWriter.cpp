#include "ui/cQtPdfReportWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/TextCompare.h"
#include "base/Vendor.h"
#include "output/cReportPrinter.h"
#include "ui/QtText.h"
#include "ui/cQtSurface.h"

namespace orvik {
namespace {

// Hands over a surface made beforehand.
class cGivenSurface final : public iPrinterChooser {
public:
    explicit cGivenSurface(std::unique_ptr<iDrawingSurface> surface) : m_Surface(std::move(surface)) {}
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override { return std::move(m_Surface); }

private:
    std::unique_ptr<iDrawingSurface> m_Surface;
};

std::u16string Reason(int error) { return FromUtf8(std::strerror(error)); }

}  // namespace

int cQtPdfReportWriter::WritePdf(cReportSource& report, const std::string& path, std::int64_t now,
                                 std::u16string& reason) {
    const std::filesystem::path target(path);
    std::string temporary =
        (target.parent_path().empty() ? std::string(".") : target.parent_path().string()) + "/.orvik-report-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        reason = Reason(errno);
        return -1;
    }
    ::fchmod(fd, 0644);
    bool written = false;
    {
        QFile file;
        if (file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            auto writer = std::make_unique<QPdfWriter>(&file);
            writer->setResolution(300);
            writer->setPageSize(QPageSize(QPageSize::A4));
            writer->setCreator(ToQt(kProgramName));
            writer->setTitle(QStringLiteral("Real user last logon data"));
            auto surface = std::make_unique<cQtSurface>(std::move(writer));
            cQtSurface* drawn = surface.get();
            cGivenSurface given(std::move(surface));
            cReportPrinter printer;
            if (printer.SelectPrinter(given) == 0) {
                printer.Print(report, now);
                written = drawn->Ok() && file.flush() && file.error() == QFileDevice::NoError;
            }
            // The printer owns the surface and the writer; both are done with here.
        }
    }
    const int error = written ? (::fsync(fd) == 0 ? 0 : errno) : EIO;
    ::close(fd);
    if (error != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = Reason(error != 0 ? error : errno);
        ::unlink(temporary.c_str());
        return -1;
    }
    return 0;
}

}  // namespace orvik
