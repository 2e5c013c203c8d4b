#pragma once
// The real file system with faults on demand: a file that cannot be opened,
// and files whose writes fail after a number of bytes, as on a full disk.

#include <algorithm>
#include <limits>

#include "platform/SystemFileSystem.h"

namespace orvik::test {

// A sink that passes the first N bytes on and then fails.
class FailingSink final : public iWriteSink {
public:
    FailingSink(iWriteSink& inner, std::size_t allowed) : m_Inner(inner), m_Left(allowed) {}
    bool Write(const void* data, std::size_t size) override {
        const std::size_t n = std::min(size, m_Left);
        if (n > 0 && !m_Inner.Write(data, n)) return false;
        m_Left -= n;
        return n == size;
    }

private:
    iWriteSink& m_Inner;
    std::size_t m_Left;
};

class FlakyFileSystem final : public iFileSystem {
public:
    std::string refused;  // the file that Create and Append cannot open
    std::size_t createAllows = kAll, appendAllows = kAll, replaceAllows = kAll;

    bool Exists(const std::string& path) override { return m_Real.Exists(path); }
    bool IsRegularFile(const std::string& path) override { return m_Real.IsRegularFile(path); }
    eReadResult ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes, std::error_code& why) override {
        return m_Real.ReadWhole(path, bytes, why);
    }
    std::string ResolveLinks(const std::string& path) override { return m_Real.ResolveLinks(path); }
    tResult<> ReplaceAtomically(const std::string& path, const std::function<bool(iWriteSink&)>& produce,
                                bool createFolder) override {
        return m_Real.ReplaceAtomically(
            path,
            [&](iWriteSink& file) {
                FailingSink limited(file, replaceAllows);
                return produce(limited);
            },
            createFolder);
    }
    tResult<> MoveAside(const std::string& from, const std::string& to) override { return m_Real.MoveAside(from, to); }
    std::unique_ptr<iOutputFile> Create(const std::string& path, std::error_code& why) override {
        return path == refused ? Refuse(why) : Limit(m_Real.Create(path, why), createAllows);
    }
    std::unique_ptr<iOutputFile> Append(const std::string& path, std::error_code& why) override {
        return path == refused ? Refuse(why) : Limit(m_Real.Append(path, why), appendAllows);
    }

private:
    static constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();
    class LimitedFile final : public iOutputFile {
    public:
        LimitedFile(std::unique_ptr<iOutputFile> file, std::size_t allows)
            : m_File(std::move(file)), m_Sink(*m_File, allows) {}
        bool Write(const void* data, std::size_t size) override { return m_Sink.Write(data, size); }
        std::error_code LastError() const override { return std::make_error_code(std::errc::no_space_on_device); }
        bool Close() override { return m_File->Close(); }
        std::uint64_t Size() override { return m_File->Size(); }
        bool CutTo(std::uint64_t size) override { return m_File->CutTo(size); }

    private:
        std::unique_ptr<iOutputFile> m_File;
        FailingSink m_Sink;
    };
    static std::unique_ptr<iOutputFile> Limit(std::unique_ptr<iOutputFile> file, std::size_t allows) {
        return file ? std::make_unique<LimitedFile>(std::move(file), allows) : nullptr;
    }
    static std::unique_ptr<iOutputFile> Refuse(std::error_code& why) {
        why = std::make_error_code(std::errc::permission_denied);
        return nullptr;
    }

    iFileSystem& m_Real = SystemFileSystem();
};

}  // namespace orvik::test
