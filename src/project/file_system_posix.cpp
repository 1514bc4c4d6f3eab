// The POSIX calls behind the project files. Every other file of the writer reaches the
// system through this one (or its Windows twin, file_system_windows.cpp).
#include "project/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "project/temporary_name.h"

namespace vestrel::project::os {
namespace {

constexpr int kMaximumLinkHops = 40;
constexpr int kTemporaryAttempts = 100;
constexpr std::size_t kReadChunk = 65536;
constexpr std::size_t kSmallStart = 4096;

bool isDotName(std::string_view name) { return name == "." || name == ".."; }

// A link may redirect a write or a removal only when its owner is this process's
// effective user or root: another user's link in a shared folder is never followed.
bool trustedLinkOwner(uid_t owner) { return owner == 0 || owner == ::geteuid(); }

EntryStatus entryStatusAt(int directory, const std::string& name) {
    struct stat info {};
    if (::fstatat(directory, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return {};
    EntryStatus status;
    status.exists = true;
    status.isLink = S_ISLNK(info.st_mode);
    status.isDirectory = S_ISDIR(info.st_mode);
    status.isRegular = S_ISREG(info.st_mode);
    status.mode = info.st_mode;
    status.owner = info.st_uid;
    status.group = info.st_gid;
    status.device = info.st_dev;
    status.inode = info.st_ino;
    return status;
}

Descriptor openFolder(const std::string& folder, int& reason) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) reason = errno;
    return fd;
}

// Opens the directory name inside parent; a link there is followed only when trusted,
// and only when it is still the same trusted link once the directory is open.
Descriptor openInside(int parent, const std::string& name, int& reason) {
    if (name.empty() || isDotName(name)) {
        Descriptor fd(::openat(parent, name.empty() ? "." : name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd) reason = errno;
        return fd;
    }
    Descriptor fd(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd) return fd;
    reason = errno;
    if (reason != ELOOP && reason != ENOTDIR) return fd;
    const EntryStatus link = entryStatusAt(parent, name);
    if (!link.isLink) return fd;
    if (!trustedLinkOwner(link.owner)) {
        reason = kUntrustedLink;
        return fd;
    }
    fd = Descriptor(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        reason = errno;
        return fd;
    }
    const EntryStatus again = entryStatusAt(parent, name);
    if (!again.isLink || again.inode != link.inode || !trustedLinkOwner(again.owner)) {
        reason = kUntrustedLink;
        return Descriptor();
    }
    return fd;
}

}  // namespace

std::string systemErrorText(int reason) {
    if (const char* text = ::strerrordesc_np(reason)) return text;
    return "error " + std::to_string(reason);
}

Descriptor::Descriptor(Descriptor&& other) noexcept : m_handle(other.release()) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (m_handle >= 0) ::close(m_handle);
        m_handle = other.release();
    }
    return *this;
}

Descriptor::~Descriptor() {
    if (m_handle >= 0) ::close(m_handle);
}

NativeHandle Descriptor::release() {
    const NativeHandle fd = m_handle;
    m_handle = -1;
    return fd;
}

PathParts splitPath(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    if (path == "/") return {"/", ""};
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {".", std::string(path)};
    return {slash == 0 ? std::string("/") : std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

Descriptor openDirectory(const std::string& path, int& reason) {
    const PathParts parts = splitPath(path);
    const Descriptor parent = openFolder(parts.folder, reason);
    if (!parent) return Descriptor();
    return openInside(parent.get(), parts.name, reason);
}

Descriptor createOrOpenDirectory(const std::string& path, int& reason) {
    const PathParts parts = splitPath(path);
    const Descriptor parent = openFolder(parts.folder, reason);
    if (!parent) return Descriptor();
    if (!parts.name.empty() && !isDotName(parts.name) && ::mkdirat(parent.get(), parts.name.c_str(), 0777) != 0 &&
        errno != EEXIST) {
        reason = errno;
        return Descriptor();
    }
    return openInside(parent.get(), parts.name, reason);
}

DirectoryLock::DirectoryLock(DirectoryLock&& other) noexcept : m_handle(other.m_handle) { other.m_handle = kNoHandle; }

DirectoryLock& DirectoryLock::operator=(DirectoryLock&& other) noexcept {
    if (this != &other) {
        if (m_handle != kNoHandle) (void)::flock(m_handle, LOCK_UN);
        m_handle = other.m_handle;
        other.m_handle = kNoHandle;
    }
    return *this;
}

DirectoryLock::~DirectoryLock() {
    if (m_handle != kNoHandle) (void)::flock(m_handle, LOCK_UN);
}

std::optional<DirectoryLock> lockExclusively(const Descriptor& directory, int& reason) {
    while (::flock(directory.get(), LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        reason = errno;
        return std::nullopt;
    }
    return DirectoryLock(directory.get());
}

EntryStatus entryStatus(const Descriptor& directory, const std::string& name) {
    return entryStatusAt(directory.get(), name);
}

std::optional<std::string> resolveTrustedLinks(const std::string& path, int& reason) {
    std::string current = path;
    for (int hop = 0; hop < kMaximumLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        if (!trustedLinkOwner(info.st_uid)) {
            reason = kUntrustedLink;
            return std::nullopt;
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            reason = errno;
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(length));
        if (target.empty()) {
            reason = ENOENT;
            return std::nullopt;
        }
        if (target.front() != '/') {
            const PathParts parts = splitPath(current);
            target = (parts.folder == "/" ? std::string("/") : parts.folder + "/") + target;
        }
        current = std::move(target);
    }
    reason = ELOOP;
    return std::nullopt;
}

std::optional<Temporary> createTemporary(const Descriptor& directory, int& reason) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::string name = temporaryName(static_cast<long>(::getpid()), counter.fetch_add(1));
        Descriptor file(::openat(directory.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file) return Temporary{std::move(name), std::move(file)};
        if (errno != EEXIST) {
            reason = errno;
            return std::nullopt;
        }
    }
    reason = EEXIST;
    return std::nullopt;
}

Descriptor createUnnamedFile(const std::string& folder, int& reason) {
    const Descriptor directory = openDirectory(folder, reason);
    if (!directory) return Descriptor();
#ifdef O_TMPFILE
    if (Descriptor file(::openat(directory.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600)); file) return file;
#endif
    // Without O_TMPFILE the file is named for the moment it takes to remove the name.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::string name = temporaryName(static_cast<long>(::getpid()), counter.fetch_add(1));
        Descriptor file(::openat(directory.get(), name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file) {
            if (::unlinkat(directory.get(), name.c_str(), 0) == 0) return file;
            reason = errno;
            return Descriptor();
        }
        if (errno != EEXIST) {
            reason = errno;
            return Descriptor();
        }
    }
    reason = EEXIST;
    return Descriptor();
}

bool writeAllAt(NativeHandle fd, std::uint64_t offset, std::string_view bytes, int& reason) {
    while (!bytes.empty()) {
        const ssize_t count = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (count < 0) {
            if (errno == EINTR) continue;
            reason = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
        offset += static_cast<std::uint64_t>(count);
    }
    return true;
}

bool readAllAt(NativeHandle fd, std::uint64_t offset, char* into, std::size_t size, int& reason) {
    while (size > 0) {
        const ssize_t count = ::pread(fd, into, size, static_cast<off_t>(offset));
        if (count < 0) {
            if (errno == EINTR) continue;
            reason = errno;
            return false;
        }
        if (count == 0) {
            reason = EIO;
            return false;
        }
        into += count;
        size -= static_cast<std::size_t>(count);
        offset += static_cast<std::uint64_t>(count);
    }
    return true;
}

bool writeAll(NativeHandle fd, std::string_view bytes, int& reason) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            reason = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

void keepAttributes(NativeHandle fd, const EntryStatus& replaced, bool keepOwner) {
    if (!replaced.isRegular) return;
    struct stat created {};
    if (::fstat(fd, &created) != 0) return;
    if (keepOwner && (created.st_uid != replaced.owner || created.st_gid != replaced.group)) {
        // Another user's file keeps its owner only for a process allowed to give it
        // (root); the group stays when the saving user belongs to it.
        if (::fchown(fd, replaced.owner, replaced.group) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), replaced.group);
    }
    // The new file was created with the default mode (0666 less the umask); of the old
    // file's rights it keeps the read and write bits that default allows.
    const mode_t kept = replaced.mode & created.st_mode & 0666;
    (void)::fchmod(fd, kept);
}

void startWriteback(NativeHandle fd) {
#ifdef __linux__
    (void)::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
#endif
}

bool syncAndClose(Descriptor& file, int& reason) {
    bool ok = true;
    if (::fsync(file.get()) != 0) {
        reason = errno;
        ok = false;
    }
    if (::close(file.release()) != 0 && ok) {
        reason = errno;
        ok = false;
    }
    return ok;
}

bool renameEntry(const Descriptor& directory, const std::string& from, const std::string& to, int& reason) {
    if (::renameat(directory.get(), from.c_str(), directory.get(), to.c_str()) == 0) return true;
    reason = errno;
    return false;
}

bool removeEntry(const Descriptor& directory, const std::string& name, int& reason) {
    if (::unlinkat(directory.get(), name.c_str(), 0) == 0) return true;
    reason = errno;
    return false;
}

void syncDirectory(const Descriptor& directory) { (void)::fsync(directory.get()); }

void removeAbandonedTemporaries(const Descriptor& directory) {
    const int copy = ::dup(directory.get());
    if (copy < 0) return;
    DIR* listing = ::fdopendir(copy);
    if (!listing) {
        ::close(copy);
        return;
    }
    ::rewinddir(listing);
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(listing)) {
        const std::optional<long> owner = temporaryOwner(entry->d_name);
        if (!owner || *owner == self) continue;
        if (::kill(static_cast<pid_t>(*owner), 0) == 0 || errno != ESRCH) continue;
        if (!entryStatusAt(directory.get(), entry->d_name).isRegular) continue;
        (void)::unlinkat(directory.get(), entry->d_name, 0);
    }
    ::closedir(listing);
}

std::optional<std::string> readToEnd(NativeHandle fd, std::size_t limit, int& reason) {
    // A regular file gets room for its size and one byte more (to see its end in one
    // read); anything else grows as it comes, the string doubling its room.
    std::string bytes;
    struct stat info {};
    const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
                       static_cast<std::size_t>(info.st_size) <= limit;
    // An empty regular file (or one that, like those under /proc, tells no size) starts small.
    const bool regular = S_ISREG(info.st_mode);
    bytes.reserve(sized ? static_cast<std::size_t>(info.st_size) + 1 : regular ? kSmallStart : kReadChunk);
    for (;;) {
        const std::size_t used = bytes.size();
        if (bytes.capacity() == used) bytes.reserve(used * 2);
        const std::size_t room = bytes.capacity() - used;
        bytes.resize(used + room);
        const ssize_t count = ::read(fd, bytes.data() + used, room);
        if (count < 0) {
            bytes.resize(used);
            if (errno == EINTR) continue;
            reason = errno;
            return std::nullopt;
        }
        bytes.resize(used + static_cast<std::size_t>(count));
        if (count == 0) return bytes;
        if (bytes.size() > limit) {
            reason = kTooLarge;
            return std::nullopt;
        }
    }
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, int& reason) {
    // A FIFO or a device is refused before it is opened, so nothing waits on a writer;
    // the descriptor is checked again, as the name may have changed meanwhile.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        reason = errno;
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = kNotRegularFile;
        return std::nullopt;
    }
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd) {
        reason = errno;
        return std::nullopt;
    }
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = kNotRegularFile;
        return std::nullopt;
    }
    if (static_cast<std::size_t>(info.st_size) > limit) {
        reason = kTooLarge;
        return std::nullopt;
    }
    return readToEnd(fd.get(), limit, reason);
}

NativeHandle standardInput() { return STDIN_FILENO; }

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

std::optional<FileIdentity> descriptorIdentity(NativeHandle fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

bool isAbsolutePath(std::string_view path) { return path.starts_with('/'); }

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> executableFolder() {
    std::string target(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    if (target.front() != '/') return std::nullopt;
    return splitPath(target).folder;
}

bool writableDirectory(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace vestrel::project::os
