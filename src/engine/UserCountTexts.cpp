#include "engine/UserCountTexts.h"

#include "base/TextCompare.h"

namespace orvik {

namespace {

std::u16string Users(std::size_t count, char16_t separator) {
    return GroupThousands(static_cast<long long>(count), separator) + (count == 1 ? u" user" : u" users");
}

}  // namespace

std::u16string ShownUsersText(const cShownUsers& users, char16_t groupSeparator) {
    const auto number = [groupSeparator](std::size_t n) {
        return GroupThousands(static_cast<long long>(n), groupSeparator);
    };
    if (users.filter.empty()) {
        if (users.total == 0) return u"No users collected yet";
        return number(users.shown) + u" of " + Users(users.total, groupSeparator) + u" shown";
    }
    const std::u16string quoted = u"'" + users.filter + u"'";
    if (users.matching == 0) return u"No user matches " + quoted;
    return number(users.shown) + u" of " + Users(users.matching, groupSeparator) + u" matching " + quoted +
           u" shown, " + Users(users.total, groupSeparator) + u" in all";
}

std::u16string ResetQuestion(std::size_t users, char16_t groupSeparator) {
    if (users == 0) return {};
    return u"Reset discards the " + GroupThousands(static_cast<long long>(users), groupSeparator) +
           (users == 1 ? u" collected user. Continue?" : u" collected users. Continue?");
}

}  // namespace orvik
