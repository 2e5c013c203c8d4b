#pragma once
// A fresh folder under the system's temporary folder, removed afterwards.

#include <filesystem>
#include <random>
#include <string>

namespace orvik::test {

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && m_Path.empty(); ++attempt) {
            const std::filesystem::path folder = base / ("orvik-test-" + std::to_string(random()));
            std::error_code ec;
            if (std::filesystem::create_directory(folder, ec)) m_Path = folder.string();
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_Path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_Path; }
    std::string File(const std::string& name) const { return m_Path + "/" + name; }

private:
    std::string m_Path;
};

}  // namespace orvik::test
