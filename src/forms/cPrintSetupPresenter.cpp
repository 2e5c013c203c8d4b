#include "forms/cPrintSetupPresenter.h"

#include "forms/Forms.h"
#include "forms/iChoosers.h"
#include "settings/FontString.h"

namespace orvik {
namespace {

using namespace print_setup;

struct cTextField {
    int edit;
    std::u16string cSetupData::*field;
};
constexpr cTextField kTexts[] = {
    {kHeaderLeft, &cSetupData::m_HeaderLeft},
    {kHeaderRight, &cSetupData::m_HeaderRight},
    {kFooterLeft, &cSetupData::m_FooterLeft},
    {kFooterRight, &cSetupData::m_FooterRight},
};

}  // namespace

cPrintSetupPresenter::cPrintSetupPresenter(const cSetupData& setup, iFontChooser& fonts)
    : m_Setup(setup), m_Fonts(fonts) {}

const cForm& cPrintSetupPresenter::Form() const { return PrintSetupForm(); }

void cPrintSetupPresenter::Initialise(iFormView& view) {
    for (const cTextField& t : kTexts) view.SetText(t.edit, m_Setup.*t.field);
    view.Focus(kHeaderLeft);
}

void cPrintSetupPresenter::OnEvent(iFormView& view, int id, eFormEvent event) {
    switch (id) {
        case kRegularFont: ChooseFont(Regular); break;
        case kHeaderFooterFont: ChooseFont(HeaderFooter); break;
        case kStrongFont: ChooseFont(Strong); break;
        case kIdOk:
            for (const cTextField& t : kTexts) m_Setup.*t.field = view.Text(t.edit);
            view.End(true);
            break;
        default: cFormPresenter::OnEvent(view, id, event);
    }
}

void cPrintSetupPresenter::ChooseFont(int kind) {
    std::u16string& field = FontField(m_Setup, kind);
    // A field that does not parse becomes the default, even if the user cancels.
    LogFont font = RepairFontOfKind(field, kind);
    const LogFont offered = font;
    // Confirming the dialog without a change keeps the font string as it was, byte for byte.
    if (m_Fonts.ChooseFont(font) && !(font == offered)) field = FormatFontString(font);
}

}  // namespace orvik
