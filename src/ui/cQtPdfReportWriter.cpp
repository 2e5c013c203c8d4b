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
#include <random>

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

// A new file of its own beside `target`, made as any new file is (0666 less
// the umask, as the export is) and never through a link; its name in `name`.
int CreateBeside(const std::filesystem::path& target, std::string& name) {
    const std::string folder = target.parent_path().empty() ? std::string(".") : target.parent_path().string();
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%08x%08x", entropy(), entropy());
        name = folder + "/.orvik-report-" + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

int DrawPdfReport(cReportSource& report, QIODevice& device, std::int64_t now, std::u16string& reason) {
    auto writer = std::make_unique<QPdfWriter>(&device);
    writer->setResolution(300);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setCreator(ToQt(kProgramName));
    auto surface = std::make_unique<cQtSurface>(std::move(writer));
    cQtSurface* drawn = surface.get();
    cGivenSurface given(std::move(surface));
    cReportPrinter printer;
    bool drawnWhole = false;
    if (printer.SelectPrinter(given) == 0) {
        drawnWhole = printer.Print(report, now) && drawn->Ok();
        // The printer owns the surface and the writer; both are done with here.
    }
    auto* file = qobject_cast<QFileDevice*>(&device);
    const bool stored = file == nullptr || (file->flush() && file->error() == QFileDevice::NoError);
    if (drawnWhole && stored) return 0;
    // The file's own reason ("No space left on device") when it has one.
    reason = stored ? Reason(EIO) : FromQt(file->errorString());
    return -1;
}

int cQtPdfReportWriter::WritePdf(cReportSource& report, const std::string& path, std::int64_t now,
                                 std::u16string& reason) {
    const std::filesystem::path target(path);
    std::string temporary;
    const int fd = CreateBeside(target, temporary);
    if (fd < 0) {
        reason = Reason(errno);
        return -1;
    }
    // A report replacing a private one stays as private.
    struct stat replaced = {};
    struct stat created = {};
    if (::lstat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode) && ::fstat(fd, &created) == 0)
        ::fchmod(fd, created.st_mode & replaced.st_mode & 0666);
    bool written = false;
    {
        QFile file;
        if (file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            written = DrawPdfReport(report, file, now, reason) == 0;
        else
            reason = FromQt(file.errorString());
    }
    int error = written && ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && written && error == 0) error = errno;
    if (written && error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (!written || error != 0) {
        if (error != 0) reason = Reason(error);
        ::unlink(temporary.c_str());
        return -1;
    }
    return 0;
}

}  // namespace orvik
