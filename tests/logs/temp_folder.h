#pragma once
#include <filesystem>
#include <string>

namespace kvx::logs::testing {

// A fresh folder under the system's temporary folder, removed with all its
// content when the object goes (permissions are restored first).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program holds it: with a trailing "/".
    std::string programFolder() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kvx::logs::testing
