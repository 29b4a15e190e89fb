// SPDX-License-Identifier: MIT
// The settings file on POSIX systems: open/read for loading, and for saving a temporary
// file that is written, fsync'ed and renamed over the old one.
#include "settings/fileio.h"

#include "core/orvaneerror.h"
#include "platform/linux/filedescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orvane {
namespace {

// Removes the temporary file unless the rename has consumed it.
class TemporaryFile
{
public:
    explicit TemporaryFile(std::filesystem::path path)
        : m_path(std::move(path))
    {
    }
    ~TemporaryFile()
    {
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    [[nodiscard]] const std::filesystem::path &path() const { return m_path; }
    void release() { m_path.clear(); }

private:
    std::filesystem::path m_path;
};

std::string systemErrorText(int error)
{
    return std::generic_category().message(error);
}

[[noreturn]] void cannotOpen(const std::filesystem::path &path, const std::string &reason)
{
    throw OrvaneError("Cannot open file \"" + messagePath(path) + "\". " + reason);
}

[[noreturn]] void cannotCreate(const std::filesystem::path &path, const std::string &reason)
{
    throw OrvaneError("Cannot create file \"" + messagePath(path) + "\". " + reason);
}

constexpr const char *kNotRegular = "Not a regular file";

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads at most `limit` + 1 bytes, so that the caller can tell a file that is too large.
// Yields 0, or the errno of the failed read.
int readUpTo(int fd, std::uintmax_t limit, std::string &text)
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        text.append(chunk, static_cast<std::size_t>(got));
        if (text.size() > limit) {
            return 0;
        }
    }
}

// The file a save writes: `path` itself, or the end of the links there. `exists` tells
// whether a regular file is there now; `status` is its lstat.
struct SaveTarget
{
    std::filesystem::path path;
    bool exists = false;
    struct stat status
    {
    };
};

SaveTarget saveTarget(const std::filesystem::path &path)
{
    SaveTarget target{path};
    for (int links = 0; links < 40; ++links) {
        if (::lstat(target.path.c_str(), &target.status) != 0) {
            if (errno != ENOENT) {
                cannotCreate(path, systemErrorText(errno));
            }
            return target; // a missing file, or a dangling link's target: created
        }
        if (S_ISREG(target.status.st_mode)) {
            target.exists = true;
            return target;
        }
        if (S_ISDIR(target.status.st_mode)) {
            cannotCreate(path, systemErrorText(EISDIR));
        }
        if (!S_ISLNK(target.status.st_mode)) {
            cannotCreate(path, kNotRegular);
        }
        if (target.status.st_uid != ::geteuid() && target.status.st_uid != 0) {
            cannotCreate(path, "The link \"" + messagePath(target.path) + "\" belongs to another user");
        }
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(target.path, error);
        if (error) {
            cannotCreate(path, systemErrorText(error.value()));
        }
        target.path = next.is_absolute() ? next : target.path.parent_path() / next;
    }
    cannotCreate(path, systemErrorText(ELOOP));
}

// Creates a new, empty file beside `target` whose name no other file has.
int createTemporary(const std::filesystem::path &target, std::filesystem::path &created)
{
    static unsigned counter = 0;
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    // Appended piece by piece: GCC 12 takes `"." + string` for an overlapping copy at -O3.
    std::string stem = ".";
    stem += target.filename().string();
    stem += ".new-";
    stem += std::to_string(::getpid());
    stem += '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = directory / (stem + std::to_string(counter++));
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Why a replacement through a temporary file did not happen. The first three leave the
// target untouched and allow the rewrite in place.
enum class Replaced { Done, FolderRefused, OwnerNotKept, Failed };

// Gives the new file the old one's owner, group and mode. False when the owner or group
// cannot be given (a user replacing a file of another that it may write).
bool keepOwnerAndMode(int fd, const struct stat &old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        return false;
    }
    // After the owner: a change of owner clears the set-ID bits.
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

Replaced replaceThroughTemporary(const SaveTarget &target, std::string_view bytes, int &error)
{
    std::filesystem::path temporaryPath;
    FileDescriptor file(createTemporary(target.path, temporaryPath));
    if (file.get() < 0) {
        error = errno;
        return error == EACCES || error == EPERM || error == EROFS ? Replaced::FolderRefused : Replaced::Failed;
    }
    TemporaryFile temporary(temporaryPath);
    if (target.exists && !keepOwnerAndMode(file.get(), target.status)) {
        error = errno;
        return Replaced::OwnerNotKept;
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close()) {
        error = errno;
        return Replaced::Failed;
    }
    if (::rename(temporary.path().c_str(), target.path.c_str()) != 0) {
        error = errno;
        return Replaced::Failed;
    }
    temporary.release();

    // Makes the rename itself durable; the new content is already on the disk, so a
    // failure here loses nothing that the old file had.
    const std::filesystem::path directory = target.path.has_parent_path() ? target.path.parent_path() : ".";
    FileDescriptor directoryFile(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directoryFile.get() >= 0) {
        (void)::fsync(directoryFile.get());
    }
    return Replaced::Done;
}

bool writeAt(int fd, std::string_view bytes)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes)
        && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Overwrites the file itself: owner, group, mode and links stay as they are. On a failure
// the old content is written back when it could be read first.
bool rewriteInPlace(const SaveTarget &target, std::string_view bytes)
{
    FileDescriptor file(::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat now
    {
    };
    if (file.get() < 0 || ::fstat(file.get(), &now) != 0 || !S_ISREG(now.st_mode) || now.st_ino != target.status.st_ino
        || now.st_dev != target.status.st_dev) {
        return false;
    }
    std::string old;
    const bool oldKept = readUpTo(file.get(), kMaxReadBytes, old) == 0 && old.size() <= kMaxReadBytes;
    if (writeAt(file.get(), bytes)) {
        return file.close();
    }
    const int error = errno;
    if (oldKept) {
        (void)writeAt(file.get(), old);
    }
    errno = error;
    return false;
}

} // namespace

std::string readWholeFile(const std::filesystem::path &path, std::uintmax_t maxBytes)
{
    // Non-blocking, so that a pipe in place of the file cannot stall the start-up.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        cannotOpen(path, systemErrorText(errno));
    }
    struct stat status
    {
    };
    if (::fstat(file.get(), &status) != 0) {
        cannotOpen(path, systemErrorText(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        cannotOpen(path, systemErrorText(EISDIR));
    }
    if (!S_ISREG(status.st_mode)) {
        cannotOpen(path, kNotRegular);
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        cannotOpen(path, systemErrorText(EFBIG));
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(status.st_size));
    if (const int error = readUpTo(file.get(), maxBytes, text)) {
        cannotOpen(path, systemErrorText(error));
    }
    if (text.size() > maxBytes) { // it grew while being read
        cannotOpen(path, systemErrorText(EFBIG));
    }
    return text;
}

void replaceFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    const SaveTarget target = saveTarget(path);
    int error = 0;
    const Replaced result = replaceThroughTemporary(target, bytes, error);
    if (result == Replaced::Done) {
        return;
    }
    if (result != Replaced::Failed && target.exists && rewriteInPlace(target, bytes)) {
        return;
    }
    cannotCreate(path, systemErrorText(error));
}

std::filesystem::path moveFileAside(const std::filesystem::path &path)
{
    const SaveTarget target = saveTarget(path);
    if (!target.exists) {
        return {};
    }
    for (int n = 0; n < 100; ++n) {
        std::filesystem::path backup = target.path;
        backup += n == 0 ? std::string(".bak") : ".bak." + std::to_string(n);
        struct stat taken
        {
        };
        if (::lstat(backup.c_str(), &taken) == 0) {
            continue;
        }
        if (errno != ENOENT || ::rename(target.path.c_str(), backup.c_str()) != 0) {
            cannotCreate(backup, systemErrorText(errno));
        }
        return backup;
    }
    cannotCreate(path, systemErrorText(EEXIST));
}

} // namespace orvane
