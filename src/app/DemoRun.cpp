#include "app/DemoRun.h"

#include <cstdint>
#include <memory>
#include <string>

#include "engine/TextCompare.h"
#include "engine/cMemoryListView.h"
#include "engine/cUserInfoBatch.h"
#include "engine/cUserInfoTable.h"
#include "settings/cSetupData.h"

namespace orvik {

namespace {

struct DemoController {
    const char* name;
    const char* domain;
    std::uint32_t seed;
};

constexpr DemoController kControllers[] = {
    {"DC1", "CORP", 11}, {"DC2", "CORP", 23}, {"DC3", "CORP", 37}, {"LAB-DC1", "LAB", 41}, {"LAB-DC2", "LAB", 53},
};

constexpr const char* kGiven[] = {"Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo", "Ida", "Jonas"};
constexpr const char* kFamily[] = {"Berg", "Dahl", "Falk", "Holm", "Lind", "Moe", "Nyberg", "Ek"};
constexpr const char* kDepartments[] = {"Sales", "Finance", "IT", "Research", "Support"};

}  // namespace

int RunDemo(std::ostream& out) {
    cSetupData setup;
    cUserInfoTable users;
    constexpr std::uint32_t kBase = 1764000000;  // late 2025
    for (const DemoController& dc : kControllers) {
        std::uint32_t state = dc.seed;
        auto next = [&state] { return state = state * 1103515245u + 12345u; };
        auto batch = std::make_unique<cUserInfoBatch>();
        for (int i = 0; i < 60; ++i) {
            const std::string given = kGiven[i % 10];
            const std::string family = kFamily[(i / 10) % 8];
            std::string name = given.substr(0, 1) + family;
            if (i % 7 == 0) name[0] = static_cast<char>(name[0] | 0x20);  // another spelling of the same account
            const std::uint32_t logon = (next() % 5 == 0) ? 0 : kBase + (next() % 2000000);
            batch->Emplace(Widen(name), Widen(given + " " + family), Widen(kDepartments[i % 5]), Widen(dc.domain),
                           logon);
        }
        out << dc.name << " (" << dc.domain << "): " << batch->Size() << " users\n";
        users.MergeBatch(std::move(batch));
    }
    users.Sort();
    cMemoryListView list;
    users.ShowUsers(list, u"", setup.m_UsersShown);
    out << "\n" << users.GetCount() << " users, most recent last logon first:\n";
    for (int r = 0; r < list.GetRowCount(); ++r) {
        out << ToUtf8(list.GetCellText(r, kColUserName)) << "\t" << ToUtf8(list.GetCellText(r, kColLastLogon)) << "\t"
            << ToUtf8(list.GetCellText(r, kColFullName)) << "\t" << ToUtf8(list.GetCellText(r, kColDescription))
            << "\t" << ToUtf8(list.GetCellText(r, kColDomain)) << "\n";
    }
    return 0;
}

}  // namespace orvik
