// The operating-system calls behind every file the system reads or writes, in one place:
// directories opened once and worked through by descriptor, links followed only when
// trusted, advisory locks, bounded reads. This is the POSIX version.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vestrel::project::os {

// The largest input read (a source or an ini file): far above the largest legal program.
constexpr std::size_t kInputSizeLimit = std::size_t{256} << 20;

// Reason codes are the system's error numbers, plus these of our own.
constexpr int kUntrustedLink = -1;  // a link owned by another user (not root)
constexpr int kNotRegularFile = -2;
constexpr int kTooLarge = -3;

// "No space left on device", "the link is owned by another user", ...: English, as the
// system's own documentation words it.
std::string reasonText(int reason);

// An open descriptor, closed when the object goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : m_fd(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    int release();

private:
    int m_fd = -1;
};

// The directory holding path, and path's own name in it ("a/b/c" -> "a/b", "c").
struct PathParts {
    std::string folder;  // "." when path names no folder
    std::string name;    // "" for "/" itself
};
PathParts splitPath(std::string_view path);

// A link may redirect a write or a removal only when its owner is this process's
// effective user or root: another user's link in a shared folder is never followed.
bool trustedLinkOwner(uid_t owner);

// Opens the directory path names. When its last component is a link, the link is
// followed only when trusted. Nothing on failure, with the reason set.
Descriptor openDirectory(const std::string& path, int& reason);

// Creates the directory (one level) unless it is there already, then opens it as above.
// Another process creating it at the same moment is no failure.
Descriptor createOrOpenDirectory(const std::string& path, int& reason);

// Waits for the advisory lock on an open directory; it holds until the descriptor closes.
bool lockExclusively(int directory, int& reason);

struct EntryStatus {
    bool exists = false;
    bool isLink = false;
    bool isDirectory = false;
    bool isRegular = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    dev_t device = 0;
    ino_t inode = 0;
};
// The entry itself, never what a link points to.
EntryStatus entryStatus(int directory, const std::string& name);

// Resolves path to the file it finally names, following trusted links (40 at most) and
// nothing else. The result may not exist yet (a link to a file not created).
std::optional<std::string> resolveTrustedLinks(const std::string& path, int& reason);

// A file being written under a temporary name in a directory: short names of one pattern
// (".vestrel-<pid>-<n>.tmp"), created exclusively and never through a link.
struct Temporary {
    std::string name;
    Descriptor file;
};
std::optional<Temporary> createTemporary(int directory, int& reason);
bool writeAll(int fd, std::string_view bytes, int& reason);
// Gives the new file what it may keep of the file it replaces: the read and write bits the
// default mode allows, and, when asked and permitted, owner and group. Set-id and sticky
// bits, and anything of a link's target, never.
void keepAttributes(int fd, const EntryStatus& replaced, bool keepOwner);
bool syncAndClose(Descriptor& file, int& reason);
bool renameEntry(int directory, const std::string& from, const std::string& to, int& reason);
bool removeEntry(int directory, const std::string& name, int& reason);
void syncDirectory(int directory);

// Removes temporaries of our pattern whose process has ended (a run that was killed).
void removeAbandonedTemporaries(int directory);

// Reads a regular file whole; a FIFO, a device or a directory is refused without waiting,
// and so is a file of more than limit bytes.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, int& reason);
// Reads an open descriptor to its end, refusing more than limit bytes.
std::optional<std::string> readToEnd(int fd, std::size_t limit, int& reason);

// What makes a file the same file under any of its names.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The file path names (through links); nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);
std::optional<FileIdentity> descriptorIdentity(int fd);

// The folder of the running executable; nothing when the system cannot say.
std::optional<std::string> executableFolder();
// Whether this process may create files in the directory.
bool writableDirectory(const std::string& path);

}  // namespace vestrel::project::os
