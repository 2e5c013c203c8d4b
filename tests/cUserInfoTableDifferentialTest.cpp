// The fast merge and sort checked against the plain one-record-at-a-time
// procedures on seeded random data full of the awkward cases: case variants
// of names, domains that differ only in case, "?" domains, last logons 0 and
// 4294967295, duplicates within and across batches.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/TextCompare.h"
#include "engine/cUserInfoTable.h"
#include "support/LiteralUserTable.h"
#include "support/UserFactory.h"

namespace orvik {
namespace {

struct Report {
    std::u16string name, full, description, domain;
    std::uint32_t logon;
};

struct RandomReports {
    explicit RandomReports(std::uint32_t seed, bool oneDomain = false) : m_Rng(seed), m_OneDomain(oneDomain) {}

    Report Next() {
        static const std::u16string kDomains[] = {u"CORP", u"corp", u"Corp", u"?", u"LAB", u""};
        static const std::u16string kFirst[] = {u"adm", u"Jdoe", u"svc", u"a", u"Z_", u"\u00e4b", u"x-1"};
        Report r;
        r.domain = m_OneDomain ? kDomains[0] : kDomains[Pick(6)];
        r.name = kFirst[Pick(7)] + FormatLong(Pick(40));
        // Case variants of the same account.
        for (char16_t& c : r.name) {
            if (Pick(3) == 0) c = Pick(2) ? UpperAscii(c) : FoldAscii(c);
        }
        r.full = u"Full " + FormatLong(Pick(5));
        r.description = Pick(4) == 0 ? u"" : u"Desc " + FormatLong(Pick(3));
        switch (Pick(6)) {
            case 0: r.logon = 0; break;
            case 1: r.logon = 4294967295u; break;
            case 2: r.logon = 2147483648u; break;
            default: r.logon = static_cast<std::uint32_t>(m_Rng()) % 50; break;  // many ties
        }
        return r;
    }

    std::uint32_t Pick(std::uint32_t n) { return static_cast<std::uint32_t>(m_Rng() % n); }

    std::mt19937 m_Rng;
    bool m_OneDomain;
};

std::unique_ptr<cUserInfoBatch> ToBatch(const std::vector<Report>& reports) {
    auto batch = std::make_unique<cUserInfoBatch>();
    for (const Report& r : reports) batch->Append(test::MakeUser(r.name, r.logon, r.domain, r.full, r.description));
    return batch;
}

TEST(UserTableDifferential, MergeGivesTheSameTableAsOneRecordAtATime) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        RandomReports random(seed);
        cUserInfoTable fast;
        test::LiteralUserTable literal;
        const std::uint32_t batches = 1 + random.Pick(30);
        for (std::uint32_t b = 0; b < batches; ++b) {
            std::vector<Report> reports;
            const std::uint32_t size = random.Pick(4) == 0 ? 0 : random.Pick(200);
            for (std::uint32_t i = 0; i < size; ++i) reports.push_back(random.Next());
            fast.MergeBatch(ToBatch(reports));
            literal.MergeBatch(ToBatch(reports));
            ASSERT_EQ(test::Rows(fast.Merged()), test::Rows(literal.merged));
        }
    }
}

TEST(UserTableDifferential, SortAgreesWhereverTheComparisonDecides) {
    for (std::uint32_t seed = 100; seed < 112; ++seed) {
        SCOPED_TRACE(seed);
        RandomReports random(seed, seed % 3 == 0);
        cUserInfoTable fast;
        test::LiteralUserTable literal;
        for (int b = 0; b < 8; ++b) {
            std::vector<Report> reports;
            for (int i = 0; i < 150; ++i) reports.push_back(random.Next());
            fast.MergeBatch(ToBatch(reports));
            literal.MergeBatch(ToBatch(reports));
        }
        for (int column = 0; column <= 4; ++column) {
            for (bool ascending : {false, true}) {
                SCOPED_TRACE(testing::Message() << "column " << column << " ascending " << ascending);
                // Reach each column and direction through header clicks.
                while (fast.GetSortColumn() != column || fast.IsAscending() != ascending) fast.SetSortColumn(column);
                fast.Sort();
                literal.Sort(column, ascending);
                const auto& f = fast.Display();
                const auto& l = literal.display;
                ASSERT_EQ(f.size(), l.size());
                for (std::size_t i = 0; i < f.size(); ++i) {
                    ASSERT_EQ(f[i]->Compare(*l[i], column, ascending), 0) << i;
                }
                // Where the comparison cannot decide, the records stay in merge order.
                for (std::size_t i = 1; i < f.size(); ++i) {
                    const int c = f[i - 1]->Compare(*f[i], column, ascending);
                    ASSERT_LE(c, 0) << i;
                    if (c == 0) {
                        ASSERT_LT(f[i - 1]->CompareKey(*f[i]), 0) << i;
                    }
                }
            }
        }
    }
}

TEST(UserTableDifferential, LargeTablesWithScatteredInsertsStayInOrder) {
    std::mt19937 rng(7);
    cUserInfoTable fast;
    test::LiteralUserTable literal;
    for (int b = 0; b < 20; ++b) {
        std::vector<Report> reports;
        for (int i = 0; i < 1000; ++i) {
            const std::uint32_t id = rng() % 6000;
            reports.push_back({u"user" + FormatLong(id), u"", u"", id % 2 ? u"CORP" : u"LAB",
                               static_cast<std::uint32_t>(rng() % 1000)});
        }
        fast.MergeBatch(ToBatch(reports));
        literal.MergeBatch(ToBatch(reports));
    }
    ASSERT_EQ(test::Rows(fast.Merged()), test::Rows(literal.merged));
}

}  // namespace
}  // namespace orvik
