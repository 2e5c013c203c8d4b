#pragma once
// Lookups through the system's own resolver, against a name server the test
// runs: the test's body runs in a process with a network of its own (only
// loopback), where /etc/resolv.conf names 127.0.0.1 as the one name server,
// /etc/hosts is empty and hosts are looked up in files, then DNS. Meant for
// a death test whose child starts afresh (no thread of the test's process
// copied into it), as ORVIK_EXPECT_ISOLATED([&] { ... }) runs it.

#include <gtest/gtest.h>
#include <net/if.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace orvik::test {

inline bool WriteFile(const std::string& path, const std::string& text) {
    return static_cast<bool>(std::ofstream(path) << text << std::flush);
}

// A file of `text` mounted over `path`, seen in this mount namespace only.
inline bool Cover(const char* path, const std::string& text) {
    char name[] = "/tmp/orvik-isolated-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return false;
    close(fd);
    const bool ok = WriteFile(name, text) && mount(name, path, nullptr, MS_BIND, nullptr) == 0;
    unlink(name);
    return ok;
}

inline const char* Isolate() {
    const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET | CLONE_NEWNS) == 0) {
        WriteFile("/proc/self/setgroups", "deny");
        if (!WriteFile("/proc/self/uid_map", "0 " + uid + " 1") || !WriteFile("/proc/self/gid_map", "0 " + gid + " 1"))
            return "mapping the user";
    } else if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) {
        return "unshare (no user or network namespaces here)";
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return "making the mounts private";
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq loopback{};
    std::strcpy(loopback.ifr_name, "lo");
    loopback.ifr_flags = IFF_UP;
    const bool up = ioctl(s, SIOCSIFFLAGS, &loopback) == 0;
    close(s);
    if (!up) return "bringing loopback up";
    if (!Cover("/etc/resolv.conf", "nameserver 127.0.0.1\n") || !Cover("/etc/hosts", "") ||
        !Cover("/etc/nsswitch.conf", "hosts: files dns\n")) {
        return "covering the resolver's files";
    }
    unsetenv("RES_OPTIONS");
    unsetenv("LOCALDOMAIN");
    return nullptr;
}

// Exits 0 when every expectation of `body` held, 1 when one failed, 2 when
// the process could not be isolated.
[[noreturn]] inline void RunIsolated(const std::function<void()>& body) {
    if (const char* failed = Isolate()) {
        std::fprintf(stderr, "isolating the network failed: %s: %s\n", failed, std::strerror(errno));
        std::_Exit(2);
    }
    body();
    // A death test's parent shows what the child wrote to stderr.
    const ::testing::TestResult* result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < result->total_part_count(); ++i) {
        const ::testing::TestPartResult& part = result->GetTestPartResult(i);
        if (part.failed()) std::fprintf(stderr, "%s:%d: %s\n", part.file_name(), part.line_number(), part.message());
    }
    std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace orvik::test

// The test fails when an expectation of the lambda failed in its process.
#define ORVIK_EXPECT_ISOLATED(...)                                                              \
    do {                                                                                        \
        const std::string style = GTEST_FLAG_GET(death_test_style);                             \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                         \
        EXPECT_EXIT(::orvik::test::RunIsolated(__VA_ARGS__), ::testing::ExitedWithCode(0), ""); \
        GTEST_FLAG_SET(death_test_style, style);                                                \
    } while (false)
