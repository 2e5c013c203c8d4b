// The GDI surface under the report printer, drawing into an enhanced
// metafile: what the metafile holds (pages, texts with their fonts,
// alignments and places, rules) is what the printer asked for. Both sides
// are read as "drawn" lines, each text carrying its font and alignment, so
// that how often a font was selected does not count.

#include "win32/cGdiSurface.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "output/cReportPrinter.h"
#include "support/GoldenFile.h"
#include "support/GoldenReports.h"
#include "support/RecordingSurface.h"
#include "support/ScopedTimeZone.h"
#include "win32/cWin32Choosers.h"

namespace orvik {
namespace {

// The GDI surface, measuring with a recording surface beside it (its fixed
// page and character widths, as in the golden logs). A metafile has no
// pages: their ends go into it as comments.
class cBeside final : public iDrawingSurface {
public:
    explicit cBeside(HDC dc) : m_Dc(dc), m_Gdi(dc, false) {}

    cDeviceMetrics Metrics() override { return m_Rec.Metrics(); }
    std::int32_t ScreenPixelsPerInchY() override { return m_Rec.ScreenPixelsPerInchY(); }
    std::int32_t TextWidth(const std::u16string& text) override { return m_Rec.TextWidth(text); }
    int CreateFont(const LogFont& font) override {
        m_Rec.CreateFont(font);
        return m_Gdi.CreateFont(font);
    }
    void SelectFont(int font) override {
        m_Rec.SelectFont(font);
        m_Gdi.SelectFont(font);
    }
    void StartPage() override {
        m_Gdi.StartPage();
        ::GdiComment(m_Dc, 9, reinterpret_cast<const BYTE*>("StartPage"));
    }
    void EndPage() override {
        m_Gdi.EndPage();
        ::GdiComment(m_Dc, 7, reinterpret_cast<const BYTE*>("EndPage"));
    }
    void StartDoc(const std::u16string& name, const std::u16string& title) override { m_Gdi.StartDoc(name, title); }
    void EndDoc() override { m_Gdi.EndDoc(); }
    void SetTextAlign(int align) override { m_Gdi.SetTextAlign(align); }
    void TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) override { m_Gdi.TextOut(x, y, text); }
    void MoveTo(std::int32_t x, std::int32_t y) override { m_Gdi.MoveTo(x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override { m_Gdi.LineTo(x, y); }

private:
    HDC m_Dc;
    cGdiSurface m_Gdi;
    test::RecordingSurface m_Rec;
};

struct cBesideChooser final : iPrinterChooser {
    explicit cBesideChooser(HDC dc) : dc(dc) {}
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override { return std::make_unique<cBeside>(dc); }
    HDC dc;
};

// The drawn lines of a recording surface's log.
std::string DrawnOfLog(const std::string& log) {
    std::map<std::string, std::string> fonts;
    std::string font, align, drawn, line;
    std::istringstream in(log);
    while (std::getline(in, line)) {
        const std::size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (word == "Font") {
            fonts[rest.substr(0, rest.find(':'))] = rest.substr(rest.find(": ") + 2);
        } else if (word == "Select") {
            font = fonts[rest];
        } else if (word == "Align") {
            align = rest;
        } else if (word == "Text") {
            drawn += line + " in " + font + " align " + align + "\n";
        } else if (word != "StartDoc" && word != "EndDoc") {
            drawn += line + "\n";
        }
    }
    return drawn;
}

// The drawn lines of a metafile, in the same form.
std::string DrawnOfMetafile(HENHMETAFILE metafile) {
    struct cReading {
        std::map<DWORD, std::string> fonts;
        std::string font, align, drawn;
    } reading;
    auto record = [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) -> int {
        auto& m = *reinterpret_cast<cReading*>(data);
        const auto at = [](const POINTL& p) { return std::to_string(p.x) + "," + std::to_string(p.y); };
        switch (r->iType) {
            case EMR_EXTCREATEFONTINDIRECTW: {
                const auto& f = *reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(r);
                m.fonts[f.ihFont] = ToUtf8(FormatFontString(FromLogFontW(f.elfw.elfLogFont)));
                break;
            }
            case EMR_SELECTOBJECT: {
                const DWORD object = reinterpret_cast<const EMRSELECTOBJECT*>(r)->ihObject;
                if (m.fonts.count(object) != 0) m.font = m.fonts[object];
                break;
            }
            case EMR_SETTEXTALIGN: m.align = std::to_string(reinterpret_cast<const EMRSETTEXTALIGN*>(r)->iMode); break;
            case EMR_EXTTEXTOUTW: {
                const auto& t = *reinterpret_cast<const EMREXTTEXTOUTW*>(r);
                const auto* chars =
                    reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(r) + t.emrtext.offString);
                m.drawn += "Text " + at(t.emrtext.ptlReference) + " \"" +
                           ToUtf8(std::u16string(chars, t.emrtext.nChars)) + "\" in " + m.font + " align " + m.align +
                           "\n";
                break;
            }
            case EMR_MOVETOEX: m.drawn += "Move " + at(reinterpret_cast<const EMRMOVETOEX*>(r)->ptl) + "\n"; break;
            case EMR_LINETO: m.drawn += "Line " + at(reinterpret_cast<const EMRLINETO*>(r)->ptl) + "\n"; break;
            case EMR_GDICOMMENT: {
                const auto& c = *reinterpret_cast<const EMRGDICOMMENT*>(r);
                m.drawn += std::string(reinterpret_cast<const char*>(c.Data), c.cbData) + "\n";
                break;
            }
        }
        return 1;
    };
    ::EnumEnhMetaFile(nullptr, metafile, record, &reading, nullptr);
    return reading.drawn;
}

// Laid out with the recording surface's page and widths, every golden report
// reaches the metafile exactly as its golden log says.
TEST(GdiSurface, DrawsTheGoldenReportsAsTheirLogsSay) {
    test::ScopedTimeZone tz{"UTC0"};
    for (const test::cGoldenReport& report : test::GoldenReports()) {
        test::TableSource source;
        report.fill(source);
        HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        {
            cBesideChooser chooser(dc);
            cReportPrinter printer;
            EXPECT_EQ(printer.SelectPrinter(chooser), 0);
            EXPECT_TRUE(printer.Print(source, test::kGoldenReportTime));
        }
        HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
        const std::vector<std::uint8_t> golden = test::ReadGolden(report.golden);
        EXPECT_EQ(DrawnOfMetafile(metafile), DrawnOfLog(std::string(golden.begin(), golden.end()))) << report.golden;
        ::DeleteEnhMetaFile(metafile);
    }
}

}  // namespace
}  // namespace orvik
