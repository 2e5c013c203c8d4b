#pragma once
// The real file system with faults on demand: files that cannot be opened,
// and files whose writes fail after a number of bytes.

#include <limits>

#include "platform/SystemFileSystem.h"
#include "support/FailingSink.h"

namespace orvik::test {

class FlakyFileSystem final : public iFileSystem {
public:
    bool failCreate = false;
    bool failAppend = false;
    std::size_t createAllows = std::numeric_limits<std::size_t>::max();
    std::size_t appendAllows = std::numeric_limits<std::size_t>::max();
    std::size_t replaceAllows = std::numeric_limits<std::size_t>::max();

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
        if (failCreate) {
            why = std::make_error_code(std::errc::permission_denied);
            return nullptr;
        }
        return Wrap(m_Real.Create(path, why), createAllows);
    }
    std::unique_ptr<iOutputFile> Append(const std::string& path, std::error_code& why) override {
        if (failAppend) {
            why = std::make_error_code(std::errc::permission_denied);
            return nullptr;
        }
        return Wrap(m_Real.Append(path, why), appendAllows);
    }

private:
    class LimitedFile final : public iOutputFile {
    public:
        LimitedFile(std::unique_ptr<iOutputFile> file, std::size_t allows)
            : m_File(std::move(file)), m_Sink(*m_File, allows) {}
        // Past its allowance the disk is full.
        bool Write(const void* data, std::size_t size) override { return m_Sink.Write(data, size); }
        std::error_code LastError() const override { return std::make_error_code(std::errc::no_space_on_device); }
        bool Close() override { return m_File->Close(); }
        std::uint64_t Size() override { return m_File->Size(); }
        bool CutTo(std::uint64_t size) override { return m_File->CutTo(size); }

    private:
        std::unique_ptr<iOutputFile> m_File;
        FailingSink m_Sink;
    };
    static std::unique_ptr<iOutputFile> Wrap(std::unique_ptr<iOutputFile> file, std::size_t allows) {
        if (!file) return nullptr;
        return std::make_unique<LimitedFile>(std::move(file), allows);
    }

    iFileSystem& m_Real = SystemFileSystem();
};

}  // namespace orvik::test
