#pragma once
// What the window says about the number of users: how many the user list
// shows of how many, and the question before a reset throws them away.

#include <cstddef>
#include <string>

namespace orvik {

// The user list as last filled: its rows, the users that matched the search
// text (every user without one), all merged users, and the search text.
struct cShownUsers {
    std::size_t shown = 0;
    std::size_t matching = 0;
    std::size_t total = 0;
    std::u16string filter;
};

// "500 of 3,405 users shown"; with a search text "12 of 40 users matching
// 'smith' shown, 3,405 users in all", or "No user matches 'xyz'".
std::u16string ShownUsersText(const cShownUsers& users, char16_t groupSeparator);

// The question before a reset discards `users` collected users; empty when
// there is nothing to lose.
std::u16string ResetQuestion(std::size_t users, char16_t groupSeparator);

}  // namespace orvik
