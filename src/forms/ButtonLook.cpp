#include "forms/ButtonLook.h"

namespace orvik {

cButtonLook ButtonLook(std::u16string_view name) {
    static constexpr struct {
        std::u16string_view name;
        cButtonLook look;
    } kLooks[] = {
        {u"Start", {46, 139, 87, u"Start"}},     {u"Add DC", {52, 101, 164, u"+ DC"}},
        {u"Remove DC", {52, 101, 164, u"- DC"}}, {u"Setup", {85, 87, 83, u"Setup"}},
        {u"Reset", {196, 120, 0, u"Reset"}},     {u"Show results", {196, 120, 0, u"Show"}},
        {u"Search", {196, 120, 0, u"Search"}},   {u"Save results", {196, 120, 0, u"Save"}},
        {u"Print", {196, 120, 0, u"Print"}},     {u"Help", {85, 87, 83, u"Help"}},
        {u"About", {85, 87, 83, u"About"}},      {u"Web", {85, 87, 83, u"Web"}},
        {u"Mail", {85, 87, 83, u"Mail"}},        {u"Close", {164, 0, 0, u"Close"}},
    };
    for (const auto& look : kLooks)
        if (look.name == name) return look.look;
    return {85, 87, 83, name};
}

}  // namespace orvik
