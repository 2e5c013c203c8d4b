#pragma once
// Plain ways of doing a benchmark's work, timed in the same run, so that a
// figure can be read as a ratio on machines of different speed.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/TextCompare.h"
#include "engine/cUserInfo.h"
#include "platform/WriteAll.h"
#include "platform/cPosixFileSystem.h"
#include "settings/ConfigurationFile.h"

namespace orvik::bench {

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// User and system time of the whole process so far.
inline double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct cPlainUser {
    std::u16string name, fullName, description, domain;
    std::uint32_t lastLogon = 0;
};

// The merge as anyone would write it first: a std::unordered_map keyed by
// domain and folded user name keeping the latest logon, then one std::sort
// of the users by last logon. Seconds.
inline double MergeBaselineSeconds(const std::vector<cPlainUser>& reports) {
    const auto start = std::chrono::steady_clock::now();
    std::unordered_map<std::u16string, cPlainUser> merged;
    for (const cPlainUser& u : reports) {
        auto [it, fresh] = merged.try_emplace(u.domain + u'\\' + ToUpperAscii(u.name), u);
        if (!fresh && u.lastLogon > it->second.lastLogon) it->second.lastLogon = u.lastLogon;
    }
    std::vector<const cPlainUser*> order;
    order.reserve(merged.size());
    for (const auto& entry : merged) order.push_back(&entry.second);
    std::sort(order.begin(), order.end(), [](const cPlainUser* a, const cPlainUser* b) {
        return a->lastLogon != b->lastLogon ? a->lastLogon > b->lastLogon : a->name < b->name;
    });
    return SecondsSince(start);
}

// The display sort as anyone would write it first: one std::stable_sort of
// the records (in merge order) with the column's comparison. Seconds.
inline double CompareSortSeconds(const std::vector<cUserInfo*>& merged, int column, bool ascending) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<const cUserInfo*> order(merged.begin(), merged.end());
    std::stable_sort(order.begin(), order.end(),
                     [&](const cUserInfo* a, const cUserInfo* b) { return a->Compare(*b, column, ascending) < 0; });
    return SecondsSince(start);
}

// Writing `bytes` to a new file at `path` and closing it. Seconds.
inline double WriteBytesSeconds(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        WriteAll(fd, bytes.data(), bytes.size());
        ::close(fd);
    }
    const double seconds = SecondsSince(start);
    ::unlink(path.c_str());
    return seconds;
}

// Reading the whole file at `path` into memory. Seconds.
inline double ReadBytesSeconds(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> bytes;
    std::error_code why;
    SystemFileSystem().ReadWhole(path, bytes, why);
    return SecondsSince(start);
}

}  // namespace orvik::bench
