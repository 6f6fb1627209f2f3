#include "store/file_io.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/runtime_error.h"

namespace velmor {

namespace {

RuntimeError errorFromErrno(int e, bool reading) {
    switch (e) {
    case ENOENT:
        return RuntimeError(reading ? err::FileNotFound : err::PathNotFound);
    case ENOTDIR:
        return RuntimeError(err::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
        return RuntimeError(err::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return RuntimeError(err::DiskFull);
    case EIO:
        return RuntimeError(err::DeviceIO);
    default:
        return RuntimeError(err::PathFileAccess);
    }
}

// Closes the descriptor on every path out of a function.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // close() reports write-back errors on some file systems, so it is checked once.
    int release() {
        int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

  private:
    int fd_;
};

void readAll(int fd, std::string& out) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw errorFromErrno(errno, true);
    if (S_ISDIR(st.st_mode)) throw RuntimeError(err::PathFileAccess);
    std::size_t used = out.size();
    out.resize(used + (st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0) + 1);
    for (;;) {
        if (used == out.size()) out.resize(out.size() * 2 + 4096);
        ssize_t n = ::read(fd, out.data() + used, out.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw errorFromErrno(errno, true);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    out.resize(used);
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            throw errorFromErrno(errno, false);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Temporary files are named "." + the target's name + ".velmor-" + digits. One that a
// killed save left behind is removed by the next save in its folder, once it is older than
// this process (so that a save under way in another process is never touched).
const std::time_t kProcessStart = std::time(nullptr);
constexpr std::string_view kTempMark = ".velmor-";

bool isTemporaryName(std::string_view name) {
    const std::size_t mark = name.rfind(kTempMark);
    if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark < 2)
        return false;
    const std::string_view digits = name.substr(mark + kTempMark.size());
    return !digits.empty() && digits.size() <= 20 &&
           digits.find_first_not_of("0123456789") == std::string_view::npos;
}

void removeLeftovers(const std::filesystem::path& folder) {
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return; // the save itself reports a folder it cannot use
    const int dfd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        if (!isTemporaryName(e->d_name)) continue;
        struct stat st {};
        if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime < kProcessStart)
            ::unlinkat(dfd, e->d_name, 0);
    }
    ::closedir(d);
}

std::string temporaryName(const std::filesystem::path& target, std::mt19937_64& gen) {
    return (target.parent_path() / ("." + target.filename().string() + std::string(kTempMark) +
                                    std::to_string(gen() % 1000000000ULL)))
        .string();
}

std::mt19937_64 seededGenerator() {
    std::random_device rd;
    return std::mt19937_64((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
}

// The new content is written to a file without a name where the file system allows it, so a
// save killed while writing leaves nothing behind; the name is given just before the rename.
int createUnnamed(const std::filesystem::path& target) {
    if (::access("/proc/self/fd", X_OK) != 0) return -1;
    const std::filesystem::path folder = target.parent_path();
    return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// Gives the unnamed file `fd` a temporary name beside `target`.
void nameUnnamed(int fd, const std::filesystem::path& target, std::string& tempPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    auto gen = seededGenerator();
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = temporaryName(target, gen);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return;
        if (errno != EEXIST) {
            tempPath.clear();
            throw errorFromErrno(errno, false);
        }
    }
    tempPath.clear();
    throw RuntimeError(err::PathFileAccess);
}

// Creates a new named file beside `target` that no one else can have opened.
int createTemporary(const std::filesystem::path& target, std::string& tempPath) {
    auto gen = seededGenerator();
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = temporaryName(target, gen);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            tempPath.clear();
            throw errorFromErrno(errno, false);
        }
    }
    tempPath.clear();
    throw RuntimeError(err::PathFileAccess);
}

// The file a chain of symbolic links ends at, whether it exists or not: a save onto a
// dangling link creates the file the link names.
std::filesystem::path followLinks(std::filesystem::path p) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(p, ec); ++hops) {
        std::filesystem::path next = std::filesystem::read_symlink(p, ec);
        if (ec) break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // the rename is done; a folder that cannot be synced is not an error
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::string readFileBytes(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw errorFromErrno(errno, true);
    std::string bytes;
    readAll(fd.get(), bytes);
    return bytes;
}

void writeFileSafely(const std::string& path, std::string_view bytes, bool append) {
    namespace fs = std::filesystem;
    fs::path target = followLinks(fs::path(path));
    if (target.filename().empty()) throw RuntimeError(err::PathFileAccess);

    std::string old;
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    // Devices, pipes and folders are never replaced; a read-only file stays read-only.
    if (exists && !S_ISREG(st.st_mode)) throw RuntimeError(err::PathFileAccess);
    if (exists && ::access(target.c_str(), W_OK) != 0) throw errorFromErrno(errno, false);
    if (append && exists) old = readFileBytes(target.string());

    removeLeftovers(target.parent_path());
    std::string tempPath;
    const int unnamed = createUnnamed(target);
    Fd fd(unnamed >= 0 ? unnamed : createTemporary(target, tempPath));
    try {
        if (exists) ::fchmod(fd.get(), st.st_mode & 07777);
        writeAll(fd.get(), old);
        if (!old.empty() && old.back() != '\r' && old.back() != '\n') writeAll(fd.get(), "\r\n");
        writeAll(fd.get(), bytes);
        if (::fsync(fd.get()) != 0) throw errorFromErrno(errno, false);
        if (unnamed >= 0) nameUnnamed(fd.get(), target, tempPath);
        if (fd.release() != 0) throw errorFromErrno(errno, false);
        if (::rename(tempPath.c_str(), target.c_str()) != 0) throw errorFromErrno(errno, false);
    } catch (...) {
        if (!tempPath.empty()) ::unlink(tempPath.c_str());
        throw;
    }
    syncFolder(target.parent_path());
}

} // namespace velmor
