#include "store/file_io.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

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

// Creates a new file beside `target` that no one else can have opened.
int createTemporary(const std::filesystem::path& target, std::string& tempPath) {
    std::random_device rd;
    std::mt19937_64 gen((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = (target.parent_path() / ("." + target.filename().string() + ".velmor-" +
                                            std::to_string(gen() % 1000000000ULL)))
                       .string();
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) throw errorFromErrno(errno, false);
    }
    throw RuntimeError(err::PathFileAccess);
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
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (target.filename().empty()) throw RuntimeError(err::PathFileAccess);

    std::string old;
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    // Devices, pipes and folders are never replaced; a read-only file stays read-only.
    if (exists && !S_ISREG(st.st_mode)) throw RuntimeError(err::PathFileAccess);
    if (exists && ::access(target.c_str(), W_OK) != 0) throw errorFromErrno(errno, false);
    if (append && exists) old = readFileBytes(target.string());

    std::string tempPath;
    Fd fd(createTemporary(target, tempPath));
    try {
        if (exists) ::fchmod(fd.get(), st.st_mode & 07777);
        writeAll(fd.get(), old);
        if (!old.empty() && old.back() != '\r' && old.back() != '\n') writeAll(fd.get(), "\r\n");
        writeAll(fd.get(), bytes);
        if (::fsync(fd.get()) != 0) throw errorFromErrno(errno, false);
        if (fd.release() != 0) throw errorFromErrno(errno, false);
        if (::rename(tempPath.c_str(), target.c_str()) != 0) throw errorFromErrno(errno, false);
    } catch (...) {
        ::unlink(tempPath.c_str());
        throw;
    }
    syncFolder(target.parent_path());
}

} // namespace velmor
