#pragma once
// The worker thread that enumerates one controller's normal accounts page by
// page and hands every page to the collector.

#include <cstdint>
#include <memory>
#include <string>

namespace orvik {

class cCollectionJob;
class cUserDataCollector;
class iClock;
class iNetApi;

// The largest page buffer the worker asks for. A controller that keeps
// answering "more data" with a zero resume handle gets its buffer doubled up
// to this size; beyond it the job ends with 234 as its error.
inline constexpr std::int32_t kMaxEnumBufferBytes = 256 * 1024 * 1024;

// The page buffer a job first asks for: the buffer-size setting in KB, at
// least 1 KB and at most the largest buffer, whatever the setting holds.
std::int32_t PageBufferBytes(std::int32_t bufferSizeKb) noexcept;

// The name passed to the network calls: empty stays empty (the local
// computer), a name starting with two backslashes is kept, any other gets them.
std::u16string ServerNameFor(const std::u16string& controllerName);

// The domain name of a server; returns the call's result code.
std::int32_t GetServerDomain(iNetApi& net, const std::u16string& server, std::u16string& domain);

// The thread body. Owns `job` (a copy of the listed job) and ends after the
// last page, a failure, or a stop request. Every run ends with one report of
// a finished job, whatever fails on the way, so the collector's running count
// always comes back down.
void CollectUserDataThread(std::unique_ptr<cCollectionJob> job, iNetApi& net, cUserDataCollector& collector,
                           iClock& clock);

}  // namespace orvik
