#include "forms/cSetupPresenter.h"

#include <algorithm>

#include "forms/Forms.h"
#include "forms/cPrintSetupPresenter.h"
#include "forms/iChoosers.h"

namespace orvik {
namespace {

using namespace setup;

// Each spin field's edit box and range; a stored value outside it is shown at its nearest end.
struct cSpinRange {
    int edit, spin, lowest, highest;
    int cSetupData::*field;
};
constexpr cSpinRange kSpinRanges[] = {
    {kRefreshPeriod, kRefreshPeriodSpin, 0, 1800, &cSetupData::m_RefreshPeriod},
    {kUsersShown, kUsersShownSpin, 1, 32767, &cSetupData::m_UsersShown},
    {kBufferSize, kBufferSizeSpin, 10, 32767, &cSetupData::m_BufferSize},
    {kMaxThreads, kMaxThreadsSpin, 1, 1000, &cSetupData::m_MaxThreads},
};

}  // namespace

cSetupPresenter::cSetupPresenter(const cSetupData& setup, iFileChooser& files, iFontChooser& fonts, iFormRunner& runner)
    : m_Setup(setup),
      m_Files(files),
      m_Fonts(fonts),
      m_Runner(runner),
      m_Spins{cSpinField(kRefreshPeriod), cSpinField(kUsersShown), cSpinField(kBufferSize), cSpinField(kMaxThreads)} {}

const cForm& cSetupPresenter::Form() const { return SetupForm(); }

cSpinField* cSetupPresenter::SpinOf(int id) {
    for (std::size_t i = 0; i < m_Spins.size(); ++i) {
        if (kSpinRanges[i].edit == id || kSpinRanges[i].spin == id) return &m_Spins[i];
    }
    return nullptr;
}

void cSetupPresenter::Initialise(iFormView& view) {
    view.SetText(kExportFile, m_Setup.m_ExportFile);
    view.SetText(kFormat, m_Setup.m_ExportFormat);
    view.SetSelection(kFormat, {static_cast<int>(m_Setup.m_ExportFormat.size()), 0});
    view.SetText(kDefaultDomains, m_Setup.m_DefaultDomains);
    view.SetText(kSummaryFile, m_Setup.m_SummaryFile);
    for (std::size_t i = 0; i < m_Spins.size(); ++i) {
        m_Spins[i].SetRange(kSpinRanges[i].lowest, kSpinRanges[i].highest);
        m_Spins[i].Show(view, m_Setup.*kSpinRanges[i].field);
    }
    view.SetChecked(kAutoRefresh, m_Setup.m_AutoRefresh != 0);
    std::vector<std::u16string> variables{u"%USER_NAME%",       u"%FULL_NAME%",
                                          u"%LAST_LOGON_TIME%", u"%LAST_LOGON_TIME_NUMBER_VALUE%",
                                          u"%DESCRIPTION%",     u"%DOMAIN%"};
    std::sort(variables.begin(), variables.end());
    view.SetChoices(kVariables, variables);
    view.Enable(kInsert, false);  // until a variable is chosen
    view.Focus(kExportFile);
}

void cSetupPresenter::OnEvent(iFormView& view, int id, eFormEvent event) {
    if (event == eFormEvent::kStepUp || event == eFormEvent::kStepDown) {
        if (cSpinField* spin = SpinOf(id)) spin->Step(view, event == eFormEvent::kStepUp ? 1 : -1);
        return;
    }
    switch (id) {
        case kVariables: view.Enable(kInsert, view.Choice(kVariables) >= 0); break;
        case kInsert: InsertVariable(view); break;
        case kBrowseExport: Browse(view, m_Setup.m_ExportFile, kExportFile); break;
        case kBrowseSummary: Browse(view, m_Setup.m_SummaryFile, kSummaryFile); break;
        case kPrintSetup: {
            cPrintSetupPresenter print(m_Setup, m_Fonts);
            if (m_Runner.Run(print)) m_Setup = print.Setup();
            break;
        }
        case kIdOk:
            TakeAll(view);
            view.End(true);
            break;
        default: cFormPresenter::OnEvent(view, id, event);
    }
}

void cSetupPresenter::InsertVariable(iFormView& view) {
    if (view.Choice(kVariables) < 0) return;
    const std::u16string variable = view.ChoiceText(kVariables);
    std::u16string text = view.Text(kFormat);
    const cTextRange at = view.Selection(kFormat);
    const std::size_t start = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(at.start, 0)), 0, text.size());
    const std::size_t length =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(at.length, 0)), 0, text.size() - start);
    text.replace(start, length, variable);
    view.SetText(kFormat, text);
    view.SetSelection(kFormat, {static_cast<int>(start + variable.size()), 0});
}

void cSetupPresenter::Browse(iFormView& view, std::u16string& field, int editId) {
    // From the stored value, not from what the box shows now.
    std::u16string path = field;
    if (m_Files.BrowseForFile(path, u"Export file filter (*.txt)|*.txt", u"All files (*.*)|*.*", u"txt", false) != 0)
        return;
    field = path;
    view.SetText(editId, path);
}

void cSetupPresenter::TakeAll(iFormView& view) {
    m_Setup.m_ExportFile = view.Text(kExportFile);
    m_Setup.m_ExportFormat = view.Text(kFormat);
    m_Setup.m_DefaultDomains = view.Text(kDefaultDomains);
    m_Setup.m_SummaryFile = view.Text(kSummaryFile);
    for (std::size_t i = 0; i < m_Spins.size(); ++i) m_Setup.*kSpinRanges[i].field = m_Spins[i].Value(view);
    m_Setup.m_AutoRefresh = view.Checked(kAutoRefresh) ? 1 : 0;
}

}  // namespace orvik
