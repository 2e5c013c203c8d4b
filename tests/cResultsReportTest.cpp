#include "output/cResultsReport.h"

#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "engine/cDomainControllerCollection.h"
#include "engine/cMemoryCollectionView.h"
#include "engine/cUserDataCollector.h"
#include "platform/cSimulatedDirectory.h"
#include "support/ScopedTimeZone.h"
#include "support/TestClock.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

class ResultsReportTest : public testing::Test {
protected:
    ResultsReportTest() { collection.SetMainWindow(&view); }
    std::vector<std::u16string> Lines() {
        std::vector<std::u16string> lines;
        std::u16string key, value;
        for (int cursor = 0; report.GetSummaryLine(key, value, cursor) == 0;) lines.push_back(key + u"|" + value);
        return lines;
    }

    test::ScopedTimeZone tz{"UTC0"};
    cSimulatedDirectory directory{{}};
    test::TestClock clock{981212709};
    cUserDataCollector collector{directory, clock};
    cDomainControllerCollection collection{collector, clock};
    cMemoryCollectionView view;
    cMemoryListView& users = view.Users();
    cResultsReport report{collection, users, clock};
};

TEST_F(ResultsReportTest, TheSummaryCountsTheRowsItHoldsSaysTheSearchAndListsEveryController) {
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"Report|Real user last logon data",
                                                    u"Generation date|15:05:09 02/03/01", u"Total number of users|0",
                                                    u"Number of users in report|0", u"Domain controllers|0:"}));
    collection.AddDomainController(view.Controllers(), u"DC1");
    collection.Controllers()[0]->SetPersisted(u"DC1", 120, 0, 0);
    auto batch = std::make_unique<cUserInfoBatch>();
    for (int i = 0; i < 600; ++i) batch->Append(test::MakeUser(u"u" + FormatLong(i), 1));
    collection.Users().MergeBatch(std::move(batch));
    collection.SortUsers();
    collection.ShowUsers(u"u1");  // u1, u10 to u19, u100 to u199
    const auto lines = Lines();
    EXPECT_EQ(std::vector(lines.begin() + 2, lines.end()),
              (std::vector<std::u16string>{u"Total number of users|600", u"Number of users in report|111",
                                           u"Search text|u1", u"Domain controllers|1:", u"  DC1|120 users, Idle (0)"}));
    collection.Settings().m_UsersShown = -7;  // damaged: the default number of rows is shown, and counted
    collection.ShowUsers(u"");
    EXPECT_EQ(Lines().at(3), u"Number of users in report|500");
    EXPECT_EQ(Lines().size(), 6u);
}

}  // namespace
}  // namespace orvik
