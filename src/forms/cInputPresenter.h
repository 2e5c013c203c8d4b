#pragma once
// A small dialog that asks for one line of text under a prompt.

#include <string>

#include "forms/cFormPresenter.h"

namespace orvik {

class cInputPresenter final : public cFormPresenter {
public:
    cInputPresenter(std::u16string prompt, std::u16string value)
        : m_Prompt(std::move(prompt)), m_Value(std::move(value)) {}

    const cForm& Form() const override;
    void Initialise(iFormView& view) override;
    void OnEvent(iFormView& view, int id, eFormEvent event) override;

    // After OK: the text exactly as typed; otherwise the value it started with.
    const std::u16string& Value() const { return m_Value; }

private:
    std::u16string m_Prompt;
    std::u16string m_Value;
};

}  // namespace orvik
