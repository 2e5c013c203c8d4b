#pragma once
// The file interface over POSIX calls.

#include "base/iFileSystem.h"
#include "platform/SystemFileSystem.h"

namespace orvik {

class cPosixFileSystem final : public iFileSystem {
public:
    bool Exists(const std::string& path) override;
    bool IsRegularFile(const std::string& path) override;
    std::unique_ptr<iOutputFile> Create(const std::string& path, std::error_code& why) override;
    std::unique_ptr<iOutputFile> Append(const std::string& path, std::error_code& why) override;
    eReadResult ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes, std::error_code& why) override;
    std::string ResolveLinks(const std::string& path) override;
    tResult<> ReplaceAtomically(const std::string& path, const std::function<bool(iWriteSink&)>& produce,
                                bool createFolder) override;
    tResult<> MoveAside(const std::string& from, const std::string& to) override;
};

}  // namespace orvik
