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

// The GDI surface with a recording surface beside it that writes every call
// down; the page and the measurements are the recording's (its fixed page
// and character widths, as in the golden logs) or, with `gdiMeasures`, the
// metafile's and its fonts'. A metafile has no pages: their ends go into it
// as comments.
class cBeside final : public iDrawingSurface {
public:
    cBeside(HDC dc, test::RecordingSurface& recording, bool gdiMeasures)
        : m_Dc(dc),
          m_Gdi(dc, false),
          m_Rec(recording),
          m_Measured(gdiMeasures ? static_cast<iDrawingSurface*>(&m_Gdi) : &m_Rec) {}

    cDeviceMetrics Metrics() override { return m_Measured->Metrics(); }
    std::int32_t ScreenPixelsPerInchY() override { return m_Measured->ScreenPixelsPerInchY(); }
    void StartDoc(const std::u16string& name, const std::u16string& title) override {
        Both([&](iDrawingSurface& s) { s.StartDoc(name, title); });
    }
    void EndDoc() override {
        Both([](iDrawingSurface& s) { s.EndDoc(); });
    }
    void StartPage() override {
        Both([](iDrawingSurface& s) { s.StartPage(); });
        ::GdiComment(m_Dc, 9, reinterpret_cast<const BYTE*>("StartPage"));
    }
    void EndPage() override {
        Both([](iDrawingSurface& s) { s.EndPage(); });
        ::GdiComment(m_Dc, 7, reinterpret_cast<const BYTE*>("EndPage"));
    }
    int CreateFont(const LogFont& font) override {
        m_Rec.CreateFont(font);
        return m_Gdi.CreateFont(font);
    }
    void SelectFont(int font) override {
        Both([=](iDrawingSurface& s) { s.SelectFont(font); });
    }
    void SetTextAlign(int align) override {
        Both([=](iDrawingSurface& s) { s.SetTextAlign(align); });
    }
    void TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) override {
        Both([&](iDrawingSurface& s) { s.TextOut(x, y, text); });
    }
    std::int32_t TextWidth(const std::u16string& text) override { return m_Measured->TextWidth(text); }
    void MoveTo(std::int32_t x, std::int32_t y) override {
        Both([=](iDrawingSurface& s) { s.MoveTo(x, y); });
    }
    void LineTo(std::int32_t x, std::int32_t y) override {
        Both([=](iDrawingSurface& s) { s.LineTo(x, y); });
    }

private:
    template <typename Call>
    void Both(Call call) {
        call(m_Rec);
        call(m_Gdi);
    }

    HDC m_Dc;
    cGdiSurface m_Gdi;
    test::RecordingSurface& m_Rec;
    iDrawingSurface* m_Measured;
};

class cBesideChooser final : public iPrinterChooser {
public:
    cBesideChooser(HDC dc, test::RecordingSurface& recording, bool gdiMeasures)
        : m_Dc(dc), m_Rec(recording), m_GdiMeasures(gdiMeasures) {}
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override {
        return std::make_unique<cBeside>(m_Dc, m_Rec, m_GdiMeasures);
    }

private:
    HDC m_Dc;
    test::RecordingSurface& m_Rec;
    bool m_GdiMeasures;
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

// Prints `report` onto a new metafile; the recording surface beside it writes the calls down.
std::string DrawOnMetafile(const test::cGoldenReport& report, test::RecordingSurface& recording, bool gdiMeasures) {
    test::TableSource source;
    report.fill(source);
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    {
        cBesideChooser chooser(dc, recording, gdiMeasures);
        cReportPrinter printer;
        EXPECT_EQ(printer.SelectPrinter(chooser), 0);
        EXPECT_TRUE(printer.Print(source, test::kGoldenReportTime));
    }
    HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
    std::string drawn = DrawnOfMetafile(metafile);
    ::DeleteEnhMetaFile(metafile);
    return drawn;
}

// Laid out with the recording surface's page and widths, every golden report
// reaches the metafile exactly as its golden log says.
TEST(GdiSurface, DrawsTheGoldenReportsAsTheirLogsSay) {
    test::ScopedTimeZone tz{"UTC0"};
    for (const test::cGoldenReport& report : test::GoldenReports()) {
        test::RecordingSurface recording;
        const std::vector<std::uint8_t> golden = test::ReadGolden(report.golden);
        EXPECT_EQ(DrawOnMetafile(report, recording, false), DrawnOfLog(std::string(golden.begin(), golden.end())))
            << report.golden;
    }
}

// Laid out with GDI's own page and fonts, the places differ from the golden
// log's, and the metafile holds what the printer computed from them.
TEST(GdiSurface, DrawsWhatItsOwnMeasurementsLaidOut) {
    test::ScopedTimeZone tz{"UTC0"};
    const test::cGoldenReport report = test::GoldenReports()[0];
    test::RecordingSurface recording;
    const std::string drawn = DrawOnMetafile(report, recording, true);
    EXPECT_EQ(drawn, DrawnOfLog(recording.log));
    const std::vector<std::uint8_t> golden = test::ReadGolden(report.golden);
    EXPECT_NE(drawn, DrawnOfLog(std::string(golden.begin(), golden.end())));
}

}  // namespace
}  // namespace orvik
