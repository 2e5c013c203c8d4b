#pragma once
// A drawing surface that writes down what is drawn on it, one line per call,
// with fixed metrics: a page of 1000 by 1400 pixels on 100 by 140 mm (10
// pixels per mm, 254 per inch) and a screen of 96 pixels per inch. A
// character is half its font's height wide, one more when bold. Measuring is
// not written down.

#include <cstdlib>
#include <string>
#include <vector>

#include "base/TextCompare.h"
#include "output/iDrawingSurface.h"

namespace orvik::test {

class RecordingSurface final : public iDrawingSurface {
public:
    RecordingSurface() = default;
    // The log is left in `keep` when the surface goes (with the printer that owned it).
    explicit RecordingSurface(std::string* keep) : m_Keep(keep) {}
    ~RecordingSurface() override {
        if (m_Keep != nullptr) *m_Keep = log;
    }
    cDeviceMetrics Metrics() override { return metrics; }
    std::int32_t ScreenPixelsPerInchY() override { return 96; }
    void StartDoc(const std::u16string& name, const std::u16string& title) override {
        Log("StartDoc " + ToUtf8(name) + (title.empty() ? "" : " titled " + ToUtf8(title)));
    }
    void EndDoc() override { Log("EndDoc"); }
    void StartPage() override {
        ++pages;
        Log("StartPage");
    }
    void EndPage() override { Log("EndPage"); }
    int CreateFont(const LogFont& font) override {
        fonts.push_back(font);
        Log("Font " + std::to_string(fonts.size()) + ": " + ToUtf8(FormatFontString(font)));
        return static_cast<int>(fonts.size());
    }
    void SelectFont(int font) override {
        selected = font;
        Log("Select " + std::to_string(font));
    }
    void SetTextAlign(int align) override { Log("Align " + std::to_string(align)); }
    void TextOut(std::int32_t x, std::int32_t y, const std::u16string& text) override {
        Log("Text " + std::to_string(x) + "," + std::to_string(y) + " \"" + ToUtf8(text) + "\"");
    }
    std::int32_t TextWidth(const std::u16string& text) override {
        const LogFont& f = fonts.at(static_cast<std::size_t>(selected - 1));
        return static_cast<std::int32_t>(text.size()) * (std::abs(f.lfHeight) / 2 + (f.lfWeight >= 700 ? 1 : 0));
    }
    void MoveTo(std::int32_t x, std::int32_t y) override { Log("Move " + std::to_string(x) + "," + std::to_string(y)); }
    void LineTo(std::int32_t x, std::int32_t y) override { Log("Line " + std::to_string(x) + "," + std::to_string(y)); }

    std::vector<std::uint8_t> Bytes() const { return std::vector<std::uint8_t>(log.begin(), log.end()); }

    cDeviceMetrics metrics{1000, 1400, 100, 140, 254};
    std::string log;
    int pages = 0;

private:
    void Log(const std::string& line) { log += line + "\n"; }
    std::vector<LogFont> fonts;
    int selected = 0;
    std::string* m_Keep = nullptr;
};

}  // namespace orvik::test
