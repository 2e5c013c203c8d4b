#include "app/NetworkSetup.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <fstream>

#include "app/CommandLine.h"
#include "base/TextCompare.h"
#include "platform/cLdapDirectory.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

namespace orvik {
namespace {

// A simple bind needs a password that is not empty (an open password file is warned of, and once a password is
// given the process writes no core dump); verification is off only by its own argument; timeouts are sensible.
TEST(NetworkSetup, LdapOptionsFromTheArguments) {
    test::TempFolder folder;
    const std::string empty = folder.File("empty"), open = folder.File("open");
    std::ofstream(empty) << "\nsecond line\n";
    std::ofstream(open) << "s3cret\n";
    ::chmod(empty.c_str(), 0600);
    ::chmod(open.c_str(), 0644);
    const struct {
        std::vector<std::u16string> arguments;
        const char* typed;  // the password typed when asked for; nullptr: nobody to ask
        bool ok, verify, warned;
    } rows[] = {
        {{u"/USER:admin"}, nullptr, false, true, false},
        {{u"/USER:admin"}, "", false, true, false},
        {{u"/USER:admin"}, "s3cret", true, true, false},
        {{u"/USER:admin", u"/PWFILE:" + FromUtf8(empty)}, nullptr, false, true, false},
        {{u"/USER:admin", u"/PWFILE:", u"/NETTIMEOUT:1"}, nullptr, false, true, false},
        {{u"/USER:admin", u"/PWFILE:" + FromUtf8(open)}, nullptr, true, true, true},
        {{u"/CAFILE:/etc/TLSNOVERIFY/ca.pem"}, nullptr, true, true, false},
        {{u"/TLSNOVERIFY"}, nullptr, true, false, false},
        {{u"/NETTIMEOUT:0"}, nullptr, false, true, false},
        {{u"/OPTIMEOUT:abc"}, nullptr, false, true, false},
        {{u"/NETTIMEOUT:5", u"/OPTIMEOUT:30"}, nullptr, true, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(cCommandLine(row.arguments).Text()));
        test::RecordingMessages messages;
        cLdapOptions options;
        tPasswordPrompt prompt;
        if (row.typed != nullptr) prompt = [&](const std::string&) { return std::optional<std::string>(row.typed); };
        ASSERT_EQ(ReadLdapOptions(cCommandLine(row.arguments), messages, prompt, options), row.ok);
        if (!row.ok) continue;
        EXPECT_EQ(options.verifyCertificate, row.verify);
        EXPECT_EQ(options.password, row.warned || row.typed ? "s3cret" : "");
        EXPECT_EQ(messages.texts,
                  row.warned ? std::vector<std::u16string>{u"Warning: the password file " + FromUtf8(open) +
                                                           u" can be read by others than its owner (chmod 600 it)."}
                             : std::vector<std::u16string>{});
    }
    rlimit core{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &core), 0);
    EXPECT_EQ(core.rlim_cur, 0u);
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE), 0);
}

}  // namespace
}  // namespace orvik
