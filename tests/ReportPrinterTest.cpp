// The report engine against a recording surface: golden call logs for the
// page layouts, and the clipping search against the plain one it replaces.

#include "output/cReportPrinter.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "support/GoldenFile.h"
#include "support/GoldenReports.h"
#include "support/RecordingSurface.h"
#include "support/ScopedTimeZone.h"

namespace orvik {
namespace {

using test::NumberedRows;
using test::TableSource;

// Hands the recording surface to the printer and keeps a pointer to it, or cancels.
class Chooser final : public iPrinterChooser {
public:
    std::unique_ptr<iDrawingSurface> ChoosePrinter() override {
        if (cancel) return nullptr;
        auto surface = std::make_unique<test::RecordingSurface>();
        surface->metrics = metrics;
        made = surface.get();
        return surface;
    }
    cDeviceMetrics metrics = test::RecordingSurface().metrics;
    test::RecordingSurface* made = nullptr;
    bool cancel = false;
};

class ReportTest : public testing::Test {
protected:
    test::RecordingSurface& Print() {
        cReportPrinter printer;
        EXPECT_EQ(printer.SelectPrinter(chooser), 0);
        EXPECT_TRUE(printer.Print(source, test::kGoldenReportTime));
        surface = std::move(*chooser.made);
        return surface;
    }

    test::ScopedTimeZone tz{"UTC0"};
    TableSource source;
    Chooser chooser;
    test::RecordingSurface surface;
};

TEST_F(ReportTest, ACancelledPrintDialogIsNoPrinter) {
    chooser.cancel = true;
    EXPECT_EQ(cReportPrinter().SelectPrinter(chooser), -1);
}

// The layouts kept as golden logs (the cases say what each shows).
TEST_F(ReportTest, GoldenLayouts) {
    for (const test::cGoldenReport& report : test::GoldenReports()) {
        source = TableSource();
        report.fill(source);
        EXPECT_TRUE(test::MatchesGolden(Print().Bytes(), report.golden));
        EXPECT_EQ(surface.pages, report.pages) << report.golden;
    }
}

// Two columns of 350 pixels and the 30-pixel gap between them fill the body of
// a page 1000 pixels wide exactly (its margins take 270); one pixel less and
// the second column goes to a page of its own.
TEST_F(ReportTest, ColumnsThatJustFitTheBodyShareAPage) {
    source.titles = {u"A", u"B"};
    source.rows = {{std::u16string(25, u'x'), std::u16string(25, u'y')}};
    for (auto [width, pages] : {std::pair{1000, 1}, {999, 2}}) {
        chooser.metrics = cDeviceMetrics{width, 1400, 100, 140, 254};
        EXPECT_EQ(Print().pages, pages) << width;
    }
}

TEST_F(ReportTest, NoRowsIsOnePageAndRowsThatFillAPageExactlyGiveOneMore) {
    EXPECT_EQ(Print().pages, 1);
    EXPECT_NE(surface.log.find("\"Name\""), std::string::npos);  // the column titles all the same
    // How many rows the first page holds...
    source.rows = NumberedRows(500);
    Print();
    const std::size_t page2 = surface.log.find("StartPage", surface.log.find("EndPage"));
    std::size_t onPage1 = 0;
    for (std::size_t at = surface.log.find("\"user"); at < page2; at = surface.log.find("\"user", at + 1)) ++onPage1;
    // ...and a report of exactly that many: a second page with titles only.
    source.rows = NumberedRows(static_cast<int>(onPage1));
    Print();
    EXPECT_EQ(surface.pages, 2);
    const std::string second = surface.log.substr(surface.log.rfind("StartPage"));
    EXPECT_NE(second.find("\"Name\""), std::string::npos);
    EXPECT_EQ(second.find("\"user"), std::string::npos);
}

TEST_F(ReportTest, AFontTallerThanThePageStillEnds) {
    source.regularFont = u"-2000,0,0,0,400,0,0,0,0,3,2,1,34,Huge";
    source.rows = NumberedRows(3);
    Print();
    // Both columns are as wide as the body: each of the three rows takes a
    // page per column, and each column a page that finds no more rows.
    EXPECT_EQ(surface.pages, 8);
}

TEST_F(ReportTest, AFontOfHeightZeroIsDrawnAtTheSizeTheLayoutMeasures) {
    source.regularFont = u"0,0,0,0,400,0,0,0,0,3,2,1,34,Arial";
    cReportPrinter printer;
    ASSERT_EQ(printer.SelectPrinter(chooser), 0);
    printer.Print(source, 0);
    // The default -11 at 96 pixels per inch, on 254.
    EXPECT_NE(chooser.made->log.find("Font 2: -29,0,0,0,400,"), std::string::npos) << chooser.made->log;
    EXPECT_EQ(printer.Layout().regularFontHeight, 29);
}

TEST(FittingPrefix, AgreesWithDroppingOneCharacterAtATimeInFewMeasurements) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        const std::u16string text(rng() % 60, u'x');  // each character its own width
        std::vector<int> widths(text.size());
        for (int& w : widths) w = 1 + static_cast<int>(rng() % 9);
        long calls = 0;
        auto measure = [&](const std::u16string& t) {
            ++calls;
            return std::accumulate(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(t.size()), 0);
        };
        const std::int32_t width = static_cast<std::int32_t>(rng() % 300) - 5;
        std::u16string plain = text;  // the plain way: drop the last character until it fits
        while (!plain.empty() && measure(plain) > width) plain.pop_back();
        calls = 0;
        ASSERT_EQ(FittingPrefixLength(text, width, measure), plain.size()) << round;
        EXPECT_LE(calls, 8);  // log2(60) + 2
    }
    // A surrogate pair stays whole or goes: a cut inside it, and one just after it.
    const auto units = [](const std::u16string& t) { return static_cast<int>(t.size()); };
    for (auto [width, kept] : {std::pair{3, 2u}, {4, 4u}})
        EXPECT_EQ(FittingPrefixLength(u"ab\U0001F600c", width, units), kept) << width;
}

}  // namespace
}  // namespace orvik
