#include "platform/cNetApi32Directory.h"

#include "platform/NetApiCodes.h"

namespace orvik {

namespace {

// An empty name asks the local computer.
const char16_t* NameOrLocal(const std::u16string& name) { return name.empty() ? nullptr : name.c_str(); }

std::u16string Text(const char16_t* s) { return s == nullptr ? std::u16string() : std::u16string(s); }

// Frees what a call returned, whatever its result.
class cNetBuffer {
public:
    explicit cNetBuffer(const std::function<std::uint32_t(void*)>& free) : m_Free(free) {}
    ~cNetBuffer() {
        if (m_Data != nullptr) m_Free(m_Data);
    }
    cNetBuffer(const cNetBuffer&) = delete;
    cNetBuffer& operator=(const cNetBuffer&) = delete;
    std::uint8_t** Out() { return &m_Data; }
    template <typename T>
    const T* As() const {
        return reinterpret_cast<const T*>(m_Data);
    }

private:
    const std::function<std::uint32_t(void*)>& m_Free;
    std::uint8_t* m_Data = nullptr;
};

bool HasEntries(std::uint32_t status) {
    return status == static_cast<std::uint32_t>(kNerrSuccess) || status == static_cast<std::uint32_t>(kErrorMoreData);
}

}  // namespace

bool cNetApi32Directory::Cancelled(const std::u16string& server) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Cancelled.count(server) != 0;
}

void cNetApi32Directory::CancelCalls(const std::u16string& server, bool cancel) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (cancel) {
        m_Cancelled.insert(server);
    } else {
        m_Cancelled.erase(server);
    }
}

std::int32_t cNetApi32Directory::NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                                             std::int32_t prefMaxLen, std::vector<UserInfo2>& entries,
                                             std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                                             std::uint32_t& resumeHandle) {
    entries.clear();
    entriesRead = 0;
    totalEntries = 0;
    if (level != 2) return kErrorInvalidLevel;
    if (Cancelled(server)) return kErrorBadNetPath;
    cNetBuffer buffer(m_Calls.bufferFree);
    std::uint32_t read = 0;
    std::uint32_t total = 0;
    const std::uint32_t status = m_Calls.userEnum(NameOrLocal(server), level, filter, buffer.Out(),
                                                  static_cast<std::uint32_t>(prefMaxLen), &read, &total, &resumeHandle);
    if (!HasEntries(status)) return static_cast<std::int32_t>(status);
    if (const auto* users = buffer.As<cNetUserInfo2>()) {
        entries.reserve(read);
        for (std::uint32_t i = 0; i < read; ++i) {
            entries.push_back(
                {Text(users[i].name), Text(users[i].fullName), Text(users[i].comment), users[i].lastLogon});
        }
    }
    entriesRead = static_cast<std::uint32_t>(entries.size());
    totalEntries = total;
    return static_cast<std::int32_t>(status);
}

std::int32_t cNetApi32Directory::NetWkstaGetInfo(const std::u16string& server, std::uint32_t level,
                                                 std::u16string& langroup) {
    langroup.clear();
    if (level != 100) return kErrorInvalidLevel;
    if (Cancelled(server)) return kErrorBadNetPath;
    cNetBuffer buffer(m_Calls.bufferFree);
    const std::uint32_t status = m_Calls.wkstaGetInfo(NameOrLocal(server), level, buffer.Out());
    if (status == static_cast<std::uint32_t>(kNerrSuccess)) {
        if (const auto* info = buffer.As<cNetWkstaInfo100>()) langroup = Text(info->langroup);
    }
    return static_cast<std::int32_t>(status);
}

std::int32_t cNetApi32Directory::NetServerEnum(const std::u16string& domain, std::uint32_t level,
                                               std::uint32_t serverType, std::int32_t prefMaxLen,
                                               std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                                               std::uint32_t& totalEntries, std::uint32_t& resumeHandle) {
    names.clear();
    entriesRead = 0;
    totalEntries = 0;
    if (level != 100) return kErrorInvalidLevel;
    cNetBuffer buffer(m_Calls.bufferFree);
    std::uint32_t read = 0;
    std::uint32_t total = 0;
    const std::uint32_t status =
        m_Calls.serverEnum(nullptr, level, buffer.Out(), static_cast<std::uint32_t>(prefMaxLen), &read, &total,
                           serverType, NameOrLocal(domain), &resumeHandle);
    if (!HasEntries(status)) return static_cast<std::int32_t>(status);
    if (const auto* servers = buffer.As<cNetServerInfo100>()) {
        names.reserve(read);
        for (std::uint32_t i = 0; i < read; ++i) names.push_back(Text(servers[i].name));
    }
    entriesRead = static_cast<std::uint32_t>(names.size());
    totalEntries = total;
    return static_cast<std::int32_t>(status);
}

}  // namespace orvik
