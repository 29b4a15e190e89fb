// The settings file on POSIX systems: open/read for loading, and for saving a temporary
// file that is written, fsync'ed and renamed over the old one.
#include "core/orvaneerror.h"
#include "platform/linux/filedescriptor.h"
#include "settings/fileio.h"

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

[[noreturn]] void cannotOpen(const std::filesystem::path &path, int error)
{
    throw OrvaneError("Cannot open file \"" + messagePath(path) + "\". " + systemErrorText(error));
}

[[noreturn]] void cannotCreate(const std::filesystem::path &path, int error)
{
    throw OrvaneError("Cannot create file \"" + messagePath(path) + "\". " + systemErrorText(error));
}

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

} // namespace

std::string readWholeFile(const std::filesystem::path &path)
{
    // Non-blocking, so that a pipe in place of the file cannot stall the start-up; it has
    // no effect on regular files.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        cannotOpen(path, errno);
    }
    std::string text;
    struct stat status
    {
    };
    if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode)) {
        text.reserve(static_cast<std::size_t>(status.st_size));
    }
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            cannotOpen(path, errno); // a directory fails here on Linux: "Is a directory"
        }
        if (got == 0) {
            return text;
        }
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

void replaceFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path target = path;
    std::error_code ignored;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored))) {
        const auto resolved = std::filesystem::canonical(path, ignored);
        if (!ignored) {
            target = resolved;
        }
    }

    std::filesystem::path temporaryPath;
    FileDescriptor file(createTemporary(target, temporaryPath));
    if (file.get() < 0) {
        cannotCreate(path, errno);
    }
    TemporaryFile temporary(temporaryPath);

    // The new file keeps the permissions the user gave the old one.
    struct stat old
    {
    };
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        (void)::fchmod(file.get(), old.st_mode & 07777);
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close()) {
        cannotCreate(path, errno);
    }
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        cannotCreate(path, errno);
    }
    temporary.release();

    // Makes the rename itself durable; the new content is already on the disk, so a
    // failure here loses nothing that the old file had.
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    FileDescriptor directoryFile(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directoryFile.get() >= 0) {
        (void)::fsync(directoryFile.get());
    }
}

} // namespace orvane
