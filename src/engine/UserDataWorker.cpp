#include "engine/UserDataWorker.h"

#include <algorithm>
#include <new>
#include <vector>

#include "engine/cCollectionJob.h"
#include "engine/cUserDataCollector.h"
#include "engine/cUserInfoBatch.h"
#include "platform/NetApiCodes.h"
#include "platform/iClock.h"
#include "platform/iNetApi.h"

namespace orvik {

namespace {
constexpr std::int32_t kErrorInternal = 1359;  // ERROR_INTERNAL_ERROR: the backend failed unexpectedly
}

std::int32_t PageBufferBytes(std::int32_t bufferSizeKb) noexcept {
    const std::int64_t bytes = std::int64_t{bufferSizeKb} * 1024;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(bytes, 1024, kMaxEnumBufferBytes));
}

std::u16string ServerNameFor(const std::u16string& controllerName) {
    if (controllerName.empty()) return {};
    if (controllerName.size() >= 2 && controllerName[0] == u'\\' && controllerName[1] == u'\\') return controllerName;
    return u"\\\\" + controllerName;
}

std::int32_t GetServerDomain(iNetApi& net, const std::u16string& server, std::u16string& domain) {
    std::u16string langroup;
    const std::int32_t rc = net.NetWkstaGetInfo(server, 100, langroup);
    if (rc == kNerrSuccess) domain = std::move(langroup);
    return rc;
}

void CollectUserDataThread(std::unique_ptr<cCollectionJob> job, iNetApi& net, cUserDataCollector& collector,
                           iClock& clock) {
    const std::u16string server = ServerNameFor(job->name);
    std::u16string domain;
    std::int32_t domainResult = kErrorInternal;
    try {
        domainResult = GetServerDomain(net, server, domain);
    } catch (...) {}
    if (domainResult != kNerrSuccess) domain = std::u16string(1, u'?');

    job->endTime = 0;
    std::int32_t buffer = job->bufferSize;
    std::uint32_t resume = 0;
    for (;;) {
        job->userCount = 0;
        job->totalHint = 0;
        job->lastCallTime = clock.Now();
        std::vector<UserInfo2> entries;
        std::uint32_t read = 0, total = 0;
        std::int32_t rc;
        try {
            rc = net.NetUserEnum(server, 2, kFilterNormalAccount, buffer, entries, read, total, resume);
        } catch (const std::bad_alloc&) {
            rc = kErrorNotEnoughMemory;
        } catch (...) {
            rc = kErrorInternal;
        }
        job->lastCallTime = clock.Now();
        job->resultCode = rc;
        bool more = false;
        if (rc == kErrorMoreData && resume == 0) {
            // The page did not fit: ask again with twice the buffer, up to a limit.
            if (buffer <= kMaxEnumBufferBytes / 2) {
                buffer *= 2;
                continue;
            }
        } else if (rc == kErrorMoreData) {
            more = true;
        }
        std::unique_ptr<cUserInfoBatch> batch;
        if (rc == kNerrSuccess || more) {
            try {
                batch = std::make_unique<cUserInfoBatch>();
                batch->Records().reserve(entries.size());
                for (const UserInfo2& e : entries) batch->Append(std::make_unique<cUserInfo>(domain, e));
                job->totalHint = static_cast<std::int32_t>(total);
                job->userCount = static_cast<std::int32_t>(batch->Size());
            } catch (const std::bad_alloc&) {
                // A page that cannot be held ends the job as a failure; the
                // pages before it were delivered.
                batch.reset();
                job->resultCode = kErrorNotEnoughMemory;
                job->userCount = 0;
                more = false;
            }
        }
        job->state = more ? kJobRunning : kJobFinished;
        collector.ReportJob(*job, std::move(batch));
        if (job->stopFlag || !more) break;
    }
}

}  // namespace orvik
