#pragma once
// Passes the calls on and notes what each enumeration call asked for. For
// workers run on the test's thread: the notes are not locked.

#include <vector>

#include "platform/iNetApi.h"

namespace orvik::test {

class RecordingNetApi final : public iNetApi {
public:
    struct Call {
        std::u16string server;
        std::int32_t prefMaxLen;
        std::uint32_t resumeIn;
    };
    explicit RecordingNetApi(iNetApi& inner) : m_Inner(inner) {}

    std::int32_t NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                             std::int32_t prefMaxLen, std::vector<UserInfo2>& entries, std::uint32_t& read,
                             std::uint32_t& total, std::uint32_t& resume) override {
        calls.push_back({server, prefMaxLen, resume});
        return m_Inner.NetUserEnum(server, level, filter, prefMaxLen, entries, read, total, resume);
    }
    std::int32_t NetWkstaGetInfo(const std::u16string& server, std::uint32_t level, std::u16string& group) override {
        return m_Inner.NetWkstaGetInfo(server, level, group);
    }
    std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t type, std::int32_t pref,
                               std::vector<std::u16string>& names, std::uint32_t& read, std::uint32_t& total,
                               std::uint32_t& resume) override {
        return m_Inner.NetServerEnum(domain, level, type, pref, names, read, total, resume);
    }

    std::vector<Call> calls;

private:
    iNetApi& m_Inner;
};

}  // namespace orvik::test
