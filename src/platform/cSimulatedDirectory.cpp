#include "platform/cSimulatedDirectory.h"

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "base/TextCompare.h"
#include "platform/NetApiCodes.h"

namespace orvik {

namespace {

using nlohmann::json;

std::u16string StripBackslashes(const std::u16string& name) {
    return name.size() >= 2 && name[0] == u'\\' && name[1] == u'\\' ? name.substr(2) : name;
}

// Reads an optional integer member within [lo, hi].
template <typename T>
bool ReadInt(const json& object, const char* key, T& out, std::int64_t lo, std::int64_t hi, std::string& error,
             const std::string& where) {
    auto it = object.find(key);
    if (it == object.end()) return true;
    if (!it->is_number_integer()) {
        error = where + ": \"" + key + "\" must be an integer";
        return false;
    }
    const std::int64_t v =
        it->is_number_unsigned()
            ? static_cast<std::int64_t>(std::min<std::uint64_t>(it->get<std::uint64_t>(), std::uint64_t{1} << 62))
            : it->get<std::int64_t>();
    if (v < lo || v > hi) {
        error = where + ": \"" + key + "\" is out of range";
        return false;
    }
    out = static_cast<T>(v);
    return true;
}

bool ReadText(const json& object, const char* key, std::u16string& out, std::string& error, const std::string& where) {
    auto it = object.find(key);
    if (it == object.end()) return true;
    if (!it->is_string()) {
        error = where + ": \"" + key + "\" must be a string";
        return false;
    }
    out = FromUtf8(it->get<std::string>());
    return true;
}

constexpr std::int64_t kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kU32Max = std::numeric_limits<std::uint32_t>::max();

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

}  // namespace

std::unique_ptr<cSimulatedDirectory> cSimulatedDirectory::FromJson(std::string_view text, std::string& error) {
    json root;
    try {
        root = json::parse(text.begin(), text.end(), nullptr, true, /*ignore_comments=*/true);
    } catch (const json::exception& e) {
        error = std::string("not valid JSON: ") + e.what();
        return nullptr;
    }
    if (!root.is_object() || !root.contains("controllers") || !root["controllers"].is_array()) {
        error = "the description needs a \"controllers\" array";
        return nullptr;
    }
    std::u16string primary;
    if (!ReadText(root, "primaryDomain", primary, error, "the description")) return nullptr;
    std::vector<Controller> controllers;
    for (const json& item : root["controllers"]) {
        const std::string where = "controller " + std::to_string(controllers.size() + 1);
        if (!item.is_object()) {
            error = where + " is not an object";
            return nullptr;
        }
        Controller c;
        if (!ReadText(item, "name", c.name, error, where) || !ReadText(item, "domain", c.domain, error, where) ||
            !ReadInt(item, "domainError", c.domainError, -kI32Max - 1, kI32Max, error, where) ||
            !ReadInt(item, "failCode", c.failCode, -kI32Max - 1, kI32Max, error, where) ||
            !ReadInt(item, "failAtCall", c.failAtCall, 1, kU32Max, error, where) ||
            !ReadInt(item, "delayMs", c.delayMs, 0, 600000, error, where) ||
            !ReadInt(item, "pageSize", c.pageSize, 0, kU32Max, error, where) ||
            !ReadInt(item, "moreDataZeroResume", c.moreDataZeroResume, 0, 1000000, error, where)) {
            return nullptr;
        }
        if (c.name.empty()) {
            error = where + " has no \"name\"";
            return nullptr;
        }
        if (c.failCode == kErrorMoreData) {
            error = where + ": \"failCode\" cannot be 234, which means more data";
            return nullptr;
        }
        if (auto users = item.find("users"); users != item.end()) {
            if (!users->is_array()) {
                error = where + ": \"users\" must be an array";
                return nullptr;
            }
            for (const json& u : *users) {
                const std::string uwhere = where + ", user " + std::to_string(c.users.size() + 1);
                if (!u.is_object()) {
                    error = uwhere + " is not an object";
                    return nullptr;
                }
                UserInfo2 entry;
                if (!ReadText(u, "name", entry.name, error, uwhere) ||
                    !ReadText(u, "fullName", entry.fullName, error, uwhere) ||
                    !ReadText(u, "description", entry.comment, error, uwhere) ||
                    !ReadInt(u, "lastLogon", entry.lastLogon, 0, kU32Max, error, uwhere)) {
                    return nullptr;
                }
                c.users.push_back(std::move(entry));
            }
        }
        if (auto gen = item.find("generate"); gen != item.end()) {
            if (!gen->is_object()) {
                error = where + ": \"generate\" must be an object";
                return nullptr;
            }
            const std::string gwhere = where + ", generate";
            if (!ReadInt(*gen, "count", c.generate.count, 0, 100000000, error, gwhere) ||
                !ReadInt(*gen, "seed", c.generate.seed, 0, kU32Max, error, gwhere) ||
                !ReadInt(*gen, "first", c.generate.first, 0, kU32Max, error, gwhere) ||
                !ReadText(*gen, "prefix", c.generate.prefix, error, gwhere)) {
                return nullptr;
            }
        }
        controllers.push_back(std::move(c));
    }
    return std::make_unique<cSimulatedDirectory>(std::move(controllers), std::move(primary));
}

std::unique_ptr<cSimulatedDirectory> cSimulatedDirectory::FromFile(const std::string& path, std::string& error) {
    // Only a regular file of a sane size: a device or a pipe would be read without end.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = "cannot open " + path;
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + " is not a regular file";
        return nullptr;
    }
    if (st.st_size > kMaxFileBytes) {
        error = path + " is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB";
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return nullptr;
    }
    try {
        std::ostringstream text;
        text << in.rdbuf();
        auto directory = FromJson(text.str(), error);
        if (!directory) error = path + ": " + error;
        return directory;
    } catch (const std::bad_alloc&) {
        error = path + ": not enough memory to read it";
        return nullptr;
    }
}

cSimulatedDirectory::cSimulatedDirectory(std::vector<Controller> controllers, std::u16string primaryDomain)
    : m_Controllers(std::move(controllers)), m_PrimaryDomain(std::move(primaryDomain)), m_States(m_Controllers.size()) {
    if (m_PrimaryDomain.empty() && !m_Controllers.empty()) m_PrimaryDomain = m_Controllers.front().domain;
}

std::vector<std::u16string> cSimulatedDirectory::ControllerNames() const {
    std::vector<std::u16string> names;
    for (const Controller& c : m_Controllers) names.push_back(c.name);
    return names;
}

void cSimulatedDirectory::SetCallHook(std::function<void(const std::u16string&, std::uint32_t)> hook) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Hook = std::move(hook);
}

int cSimulatedDirectory::Find(const std::u16string& server) const {
    const std::u16string name = StripBackslashes(server);
    for (std::size_t i = 0; i < m_Controllers.size(); ++i) {
        if (EqualNoCase(StripBackslashes(m_Controllers[i].name), name)) return static_cast<int>(i);
    }
    return -1;
}

std::uint32_t cSimulatedDirectory::EntryCount(const Controller& c) {
    const std::uint64_t n = std::uint64_t{c.users.size()} + c.generate.count;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(n, kU32Max));
}

UserInfo2 cSimulatedDirectory::EntryAt(const Controller& c, std::uint32_t index) {
    if (index < c.users.size()) return c.users[index];
    static const char16_t* const kDepartments[] = {u"Sales",    u"Finance",          u"IT Operations",
                                                   u"Research", u"Customer Support", u""};
    const std::uint32_t number = c.generate.first + (index - static_cast<std::uint32_t>(c.users.size()));
    const std::uint64_t r = Mix((std::uint64_t{c.generate.seed} << 32) ^ number);
    UserInfo2 e;
    e.name = c.generate.prefix + FormatLong(number);
    e.fullName = u"Generated User " + FormatLong(number);
    e.comment = kDepartments[number % 6];
    // About one in twenty never logged on at this controller; the others
    // between late 2020 and early 2024, differing from controller to controller.
    e.lastLogon = (r % 20 == 0) ? 0u : static_cast<std::uint32_t>(1600000000u + (r >> 8) % 100000000u);
    return e;
}

std::int32_t cSimulatedDirectory::NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t,
                                              std::int32_t prefMaxLen, std::vector<UserInfo2>& entries,
                                              std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                                              std::uint32_t& resumeHandle) {
    entries.clear();
    entriesRead = 0;
    totalEntries = 0;
    const int index = Find(server);
    if (index < 0) return kErrorBadNetPath;
    const Controller& c = m_Controllers[static_cast<std::size_t>(index)];
    std::uint32_t call = 0;
    std::function<void(const std::u16string&, std::uint32_t)> hook;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        State& s = m_States[static_cast<std::size_t>(index)];
        // A zero resume handle after a page, or one that does not ask for a
        // larger buffer than the call before, begins a new enumeration.
        if (resumeHandle == 0 && (s.pageHandedOut || (s.callNumber > 0 && prefMaxLen <= s.lastPrefMaxLen))) {
            s = State{};
        }
        call = ++s.callNumber;
        s.lastPrefMaxLen = prefMaxLen;
        hook = m_Hook;
    }
    if (hook) hook(c.name, call);
    if (c.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(c.delayMs));

    auto endEnumeration = [&] {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_States[static_cast<std::size_t>(index)] = State{};
    };
    if (level != 2) {
        endEnumeration();
        return kErrorInvalidLevel;
    }
    if (c.failCode != 0 && call == c.failAtCall) {
        endEnumeration();
        return c.failCode;
    }
    const std::uint32_t total = EntryCount(c);
    if (call <= c.moreDataZeroResume) {
        totalEntries = total;
        resumeHandle = 0;
        return kErrorMoreData;
    }
    const std::uint32_t start = resumeHandle;
    if (start > total) {
        endEnumeration();
        return kErrorInvalidParameter;
    }
    std::uint32_t perPage = c.pageSize;
    if (perPage == 0) {
        perPage = prefMaxLen < 0 ? total : static_cast<std::uint32_t>(std::max(1, prefMaxLen / kBytesPerEntry));
    }
    const std::uint32_t end =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(total, std::uint64_t{start} + perPage));
    entries.reserve(end - start);
    for (std::uint32_t i = start; i < end; ++i) entries.push_back(EntryAt(c, i));
    entriesRead = end - start;
    totalEntries = total;
    if (end < total) {
        resumeHandle = end;
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_States[static_cast<std::size_t>(index)].pageHandedOut = true;
        return kErrorMoreData;
    }
    resumeHandle = 0;
    endEnumeration();
    return kNerrSuccess;
}

std::int32_t cSimulatedDirectory::NetWkstaGetInfo(const std::u16string& server, std::uint32_t level,
                                                  std::u16string& langroup) {
    const int index = Find(server);
    if (index < 0) return kErrorBadNetPath;
    if (level != 100) return kErrorInvalidLevel;
    const Controller& c = m_Controllers[static_cast<std::size_t>(index)];
    if (c.domainError != 0) return c.domainError;
    langroup = c.domain;
    return kNerrSuccess;
}

std::int32_t cSimulatedDirectory::NetServerEnum(const std::u16string& domain, std::uint32_t level,
                                                std::uint32_t serverType, std::int32_t prefMaxLen,
                                                std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                                                std::uint32_t& totalEntries, std::uint32_t& resumeHandle) {
    constexpr std::int32_t kNoBrowserServersFound = 6118;
    names.clear();
    entriesRead = 0;
    totalEntries = 0;
    if (level != 100) return kErrorInvalidLevel;
    if ((serverType & (kSvTypeDomainCtrl | kSvTypeDomainBakCtrl)) == 0) return kNerrSuccess;
    const std::u16string& wanted = domain.empty() ? m_PrimaryDomain : domain;
    std::vector<std::u16string> all;
    for (const Controller& c : m_Controllers) {
        if (EqualNoCase(c.domain, wanted)) all.push_back(StripBackslashes(c.name));
    }
    if (all.empty()) return kNoBrowserServersFound;
    const std::uint32_t perPage = prefMaxLen < 0 ? static_cast<std::uint32_t>(all.size())
                                                 : static_cast<std::uint32_t>(std::max(1, prefMaxLen / 64));
    const std::uint32_t start = std::min<std::uint32_t>(resumeHandle, static_cast<std::uint32_t>(all.size()));
    const std::uint32_t end = std::min<std::uint32_t>(static_cast<std::uint32_t>(all.size()), start + perPage);
    names.assign(all.begin() + start, all.begin() + end);
    entriesRead = end - start;
    totalEntries = static_cast<std::uint32_t>(all.size());
    if (end < all.size()) {
        resumeHandle = end;
        return kErrorMoreData;
    }
    resumeHandle = 0;
    return kNerrSuccess;
}

}  // namespace orvik
