#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kvtx::testing {

// A new, empty folder on the real file system for one test, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("kvtx-test-" + std::to_string(stamp) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& Path() const { return path_; }
    // The path of a file in the folder, in the form the file system interface takes.
    std::u16string File(const std::filesystem::path& name) const {
        return (path_ / name).u16string();
    }
    // Files and folders in it: a temporary file left behind shows here.
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

// A file's bytes, read back outside the file system interface under test.
inline std::vector<std::byte> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::byte> bytes(std::filesystem::file_size(path));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

} // namespace kvtx::testing
