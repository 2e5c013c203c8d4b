#pragma once
// "Select domain controllers": the selected list on the left, typed names and
// names found by a Search of the network on the right.

#include <string>
#include <vector>

#include "forms/cFormPresenter.h"

namespace orvik {

class iNetApi;

class cSelectDcPresenter final : public cFormPresenter {
public:
    // `names`: the current controllers in collection order, shown reversed
    // (each goes in at the top). `net` answers Search; without it Search
    // finds nothing.
    cSelectDcPresenter(std::vector<std::u16string> names, std::u16string defaultDomains, iNetApi* net);

    const cForm& Form() const override;
    void Initialise(iFormView& view) override;
    void OnEvent(iFormView& view, int id, eFormEvent event) override;

    // After OK: the names of the selected list, top to bottom.
    const std::vector<std::u16string>& Names() const { return m_Names; }

private:
    void UpdateButtons(iFormView& view);
    void Add(iFormView& view);
    void Remove(iFormView& view);
    void Search(iFormView& view);

    std::vector<std::u16string> m_Names;
    std::u16string m_DefaultDomains;
    iNetApi* m_Net;
};

}  // namespace orvik
