#include "platform/file_system.h"
#include "platform/utf.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kvtx::platform {
namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::span<const std::byte> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// The bytes in a new file beside the target, on disk before anything refers to them, so that a
// power loss never leaves a complete-looking but empty file.
bool WriteTemporary(const std::string& temporary, std::span<const std::byte> bytes) {
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid()) {
        return false;
    }
    const bool written = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!fd.Close() || !written) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void SyncDirectoryOf(const std::string& path) {
    FileDescriptor directory(::open(DirectoryOf(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (directory.valid()) {
        ::fsync(directory.get());
    }
}

class PosixFileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::byte>> ReadFile(const std::u16string& path,
                                                   std::size_t maxBytes) const override {
        FileDescriptor fd(::open(Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid()) {
            return std::nullopt;
        }
        std::vector<std::byte> bytes;
        std::byte chunk[65536];
        while (bytes.size() < maxBytes) {
            const std::size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
            const ssize_t n = ::read(fd.get(), chunk, want);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return std::nullopt;
            }
            if (n == 0) {
                break;
            }
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

    bool WriteFile(const std::u16string& path, std::span<const std::byte> bytes) override {
        const std::string target = Utf16ToUtf8(path);
        const std::string temporary = target + ".kvtxtmp";
        if (!WriteTemporary(temporary, bytes)) {
            return false;
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            ::unlink(temporary.c_str());
            return false;
        }
        SyncDirectoryOf(target);
        return true;
    }

    NewFile WriteNewFile(const std::u16string& path, std::span<const std::byte> bytes) override {
        const std::string target = Utf16ToUtf8(path);
        const std::string temporary = target + ".kvtxtmp";
        if (!WriteTemporary(temporary, bytes)) {
            return NewFile::Failed;
        }
        // A link, unlike a rename, refuses a name that is taken.
        const int linked = ::link(temporary.c_str(), target.c_str());
        const int error = errno;
        ::unlink(temporary.c_str());
        if (linked != 0) {
            return error == EEXIST ? NewFile::Exists : NewFile::Failed;
        }
        SyncDirectoryOf(target);
        return NewFile::Written;
    }

    std::optional<FileStamp> Stamp(const std::u16string& path) const override {
        struct stat info {};
        if (::stat(Utf16ToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return std::nullopt;
        }
        return FileStamp{.size = static_cast<std::uint64_t>(info.st_size),
                         .modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                                     info.st_mtim.tv_nsec,
                         .readOnly = (info.st_mode & S_IWUSR) == 0};
    }

    std::optional<std::vector<std::u16string>>
    FileNames(const std::u16string& folder) const override {
        const std::string path = Utf16ToUtf8(folder);
        DIR* directory = ::opendir(path.c_str());
        if (directory == nullptr) {
            return std::nullopt;
        }
        std::vector<std::u16string> names;
        while (const dirent* entry = ::readdir(directory)) {
            struct stat info {};
            if (::stat((path + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
                names.push_back(Utf8ToUtf16(entry->d_name));
            }
        }
        ::closedir(directory);
        return names;
    }

    bool MayCreateFilesIn(const std::u16string& folder) const override {
        std::string probe = Utf16ToUtf8(folder) + ".kvtx-XXXXXX";
        FileDescriptor fd(::mkstemp(probe.data()));
        if (fd.valid()) {
            ::unlink(probe.c_str());
            return true;
        }
        return errno != EACCES && errno != EPERM && errno != EROFS;
    }

    bool Exists(const std::u16string& path) const override {
        struct stat info {};
        return ::stat(Utf16ToUtf8(path).c_str(), &info) == 0;
    }

    bool Remove(const std::u16string& path) override {
        return ::unlink(Utf16ToUtf8(path).c_str()) == 0;
    }
};

} // namespace

FileSystem& NativeFileSystem() {
    static PosixFileSystem files;
    return files;
}

std::u16string ExecutableDirectory() {
    char buffer[PATH_MAX + 1] = {};
    const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0) {
        return u"./";
    }
    return Utf8ToUtf16(DirectoryOf(std::string(buffer, static_cast<std::size_t>(n))));
}

} // namespace kvtx::platform
