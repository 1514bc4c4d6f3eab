// The operating-system calls behind every file the system reads or writes, in one place:
// directories opened once and worked through by descriptor, links followed only when
// trusted, advisory locks, bounded reads. file_system_posix.cpp and
// file_system_windows.cpp implement it; the build takes its platform's file.
#pragma once

#ifndef _WIN32
#include <sys/types.h>
#endif

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vestrel::project::os {

#ifdef _WIN32
using NativeHandle = void*;  // a HANDLE
constexpr NativeHandle kNoHandle = nullptr;
using FileMode = std::uint32_t;
using UserId = std::uint32_t;
using GroupId = std::uint32_t;
using DeviceId = std::uint64_t;
using FileIndex = std::uint64_t;
#else
using NativeHandle = int;  // a file descriptor
constexpr NativeHandle kNoHandle = -1;
using FileMode = mode_t;
using UserId = uid_t;
using GroupId = gid_t;
using DeviceId = dev_t;
using FileIndex = ino_t;
#endif

// The largest input read (a source or an ini file): far above the largest legal program.
constexpr std::size_t kInputSizeLimit = std::size_t{256} << 20;

// Reason codes are the system's error numbers (on Windows its errors are given the
// error number of the same meaning), plus these of our own.
constexpr int kUntrustedLink = -1;  // a link owned by another user (not root)
constexpr int kNotRegularFile = -2;
constexpr int kTooLarge = -3;
constexpr int kLinkNotFollowed = -4;  // Windows: a symbolic link or junction named for a write

// "No space left on device", "the link is owned by another user", ...: English, as the
// system's own documentation words it.
std::string reasonText(int reason);
// The system's description of one of its error numbers (reasonText for the others).
std::string systemErrorText(int reason);

// An open descriptor (a handle on Windows), closed when the object goes. On Windows an
// open directory also keeps its path, which the calls inside it are made with.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(NativeHandle handle) : m_handle(handle) {}
#ifdef _WIN32
    Descriptor(NativeHandle handle, std::wstring path) : m_handle(handle), m_path(std::move(path)) {}
    const std::wstring& path() const { return m_path; }
#endif
    Descriptor(Descriptor&& other) noexcept;
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    NativeHandle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != kNoHandle; }
    NativeHandle release();

private:
    NativeHandle m_handle = kNoHandle;
#ifdef _WIN32
    std::wstring m_path;
#endif
};

// The directory holding path, and path's own name in it ("a/b/c" -> "a/b", "c"). On
// Windows "\" separates too, and a drive's root ("C:\") is a folder of its own.
struct PathParts {
    std::string folder;  // "." when path names no folder
    std::string name;    // "" for "/" itself
};
PathParts splitPath(std::string_view path);

// Opens the directory path names. When its last component is a link, the link is
// followed only when trusted (POSIX: its owner is this process's effective user or root;
// Windows: never). Nothing on failure, with the reason set.
Descriptor openDirectory(const std::string& path, int& reason);

// Creates the directory (one level) unless it is there already, then opens it as above.
// Another process creating it at the same moment is no failure.
Descriptor createOrOpenDirectory(const std::string& path, int& reason);

// The advisory lock on an open directory, held until this object goes.
class DirectoryLock {
public:
    DirectoryLock() = default;
    explicit DirectoryLock(NativeHandle handle) : m_handle(handle) {}
    DirectoryLock(DirectoryLock&& other) noexcept;
    DirectoryLock& operator=(DirectoryLock&& other) noexcept;
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    ~DirectoryLock();

private:
    NativeHandle m_handle = kNoHandle;
};
// Waits for the lock; another writer of the same directory (under any name) waits for it
// in turn. Nothing on failure, with the reason set.
std::optional<DirectoryLock> lockExclusively(const Descriptor& directory, int& reason);

struct EntryStatus {
    bool exists = false;
    bool isLink = false;
    bool isDirectory = false;
    bool isRegular = false;
    FileMode mode = 0;
    UserId owner = 0;
    GroupId group = 0;
    DeviceId device = 0;
    FileIndex inode = 0;
};
// The entry itself, never what a link points to.
EntryStatus entryStatus(const Descriptor& directory, const std::string& name);

// Resolves path to the file it finally names, following trusted links (40 at most) and
// nothing else. The result may not exist yet (a link to a file not created).
std::optional<std::string> resolveTrustedLinks(const std::string& path, int& reason);

// A file being written under a temporary name in a directory: short names of one pattern
// (".vestrel-<pid>-<n>.tmp"), created exclusively and never through a link.
struct Temporary {
    std::string name;
    Descriptor file;
};
std::optional<Temporary> createTemporary(const Descriptor& directory, int& reason);
bool writeAll(NativeHandle file, std::string_view bytes, int& reason);
// Gives the new file what it may keep of the file it replaces: the read and write bits the
// default mode allows, and, when asked and permitted, owner and group. Set-id and sticky
// bits, and anything of a link's target, never.
void keepAttributes(NativeHandle file, const EntryStatus& replaced, bool keepOwner);
// Asks the system to start writing the file's data to disk without waiting for it, so
// that the syncs of several files overlap; a hint only: syncAndClose still makes it durable.
void startWriteback(NativeHandle file);
bool syncAndClose(Descriptor& file, int& reason);
// Renames within the directory, replacing what is there under the new name.
bool renameEntry(const Descriptor& directory, const std::string& from, const std::string& to, int& reason);
bool removeEntry(const Descriptor& directory, const std::string& name, int& reason);
void syncDirectory(const Descriptor& directory);

// A file without a name in the folder, open to read and write: nothing of it is left once
// it is closed or the process ends (POSIX: O_TMPFILE where the file system has it, else a
// temporary removed at once; Windows: deleted on close). The folder is opened as
// openDirectory opens it. Nothing on failure, with the reason set.
Descriptor createUnnamedFile(const std::string& folder, int& reason);
// Writes all the bytes at offset, or reads exactly size bytes from it (a file that ends
// before is a failure, EIO); neither moves the file's position.
bool writeAllAt(NativeHandle file, std::uint64_t offset, std::string_view bytes, int& reason);
bool readAllAt(NativeHandle file, std::uint64_t offset, char* into, std::size_t size, int& reason);

// Removes temporaries of our pattern whose process has ended (a run that was killed).
void removeAbandonedTemporaries(const Descriptor& directory);

// Reads a regular file whole; a FIFO, a device or a directory is refused without waiting,
// and so is a file of more than limit bytes.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, int& reason);
// Reads an open descriptor to its end, refusing more than limit bytes.
std::optional<std::string> readToEnd(NativeHandle file, std::size_t limit, int& reason);
// The process's standard input (not to be closed).
NativeHandle standardInput();

// What makes a file the same file under any of its names.
struct FileIdentity {
    DeviceId device = 0;
    FileIndex inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The file path names (through links); nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);
std::optional<FileIdentity> descriptorIdentity(NativeHandle file);

// The character that joins a folder and a name: "/", on Windows "\\".
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif
// Whether the path starts at a root ("/"; on Windows "C:\" or "\\server").
bool isAbsolutePath(std::string_view path);
// The value of an environment variable, UTF-8; nothing when it is not set.
std::optional<std::string> environmentValue(const char* name);

// The folder of the running executable; nothing when the system cannot say.
std::optional<std::string> executableFolder();
// Whether this process may create files in the directory.
bool writableDirectory(const std::string& path);

}  // namespace vestrel::project::os
