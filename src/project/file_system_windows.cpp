// The Windows calls behind the project files, the twin of file_system_posix.cpp. Paths
// are UTF-8 inside the system and reach Windows as wide characters, so any name the file
// system can hold (Cyrillic ones included) works. Reasons are given the error number of
// the same meaning, so messages read as they do on the other systems.
#include "project/file_system.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

#include "project/temporary_name.h"

namespace vestrel::project::os {
namespace {

constexpr int kTemporaryAttempts = 100;
constexpr DWORD kReadChunk = 65536;
constexpr DWORD kWriteChunk = 1u << 20;
// Windows errors without an error number of the same meaning keep their own code above
// this base, so they never read as an error number.
constexpr int kWindowsErrorBase = 0x10000;
// Paths this long are handed over in the "\\?\" form, which has no 260-character limit.
constexpr std::size_t kLongPath = 240;

struct ErrorMapping {
    DWORD windowsError;
    int reason;
};
constexpr ErrorMapping kErrorMappings[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},       {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},        {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_NET_NAME, ENOENT},         {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_SHARING_VIOLATION, EBUSY},     {ERROR_LOCK_VIOLATION, EBUSY},
    {ERROR_FILE_EXISTS, EEXIST},          {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_DIRECTORY, ENOTDIR},           {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},     {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_WRITE_PROTECT, EROFS},         {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_OUTOFMEMORY, ENOMEM},          {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_BROKEN_PIPE, EPIPE},           {ERROR_NO_DATA, EPIPE},
    {ERROR_DIR_NOT_EMPTY, ENOTEMPTY},     {ERROR_NOT_SAME_DEVICE, EXDEV},
    {ERROR_INVALID_NAME, EINVAL},         {ERROR_INVALID_PARAMETER, EINVAL},
    {ERROR_NO_UNICODE_TRANSLATION, EILSEQ}, {ERROR_FILE_TOO_LARGE, EFBIG},
    {ERROR_CRC, EIO},                     {ERROR_READ_FAULT, EIO},
    {ERROR_WRITE_FAULT, EIO},             {ERROR_NOT_READY, EIO},
};

// The texts of the GNU C library for the error numbers above, so a message says the same
// on every system.
struct ErrorText {
    int reason;
    const char* text;
};
constexpr ErrorText kErrorTexts[] = {
    {ENOENT, "No such file or directory"},
    {EACCES, "Permission denied"},
    {EBUSY, "Device or resource busy"},
    {EEXIST, "File exists"},
    {ENOTDIR, "Not a directory"},
    {EISDIR, "Is a directory"},
    {ENOSPC, "No space left on device"},
    {ENAMETOOLONG, "File name too long"},
    {EROFS, "Read-only file system"},
    {ENOMEM, "Cannot allocate memory"},
    {EMFILE, "Too many open files"},
    {EPIPE, "Broken pipe"},
    {ENOTEMPTY, "Directory not empty"},
    {EXDEV, "Invalid cross-device link"},
    {EINVAL, "Invalid argument"},
    {EILSEQ, "Invalid or incomplete multibyte or wide character"},
    {EFBIG, "File too large"},
    {EIO, "Input/output error"},
};

int reasonOf(DWORD windowsError) {
    for (const ErrorMapping& mapping : kErrorMappings)
        if (mapping.windowsError == windowsError) return mapping.reason;
    return kWindowsErrorBase + static_cast<int>(windowsError);
}

int lastReason() { return reasonOf(::GetLastError()); }

std::optional<std::wstring> wideText(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                           nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string utf8Text(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr,
                              nullptr);
    return utf8;
}

// A long path as an absolute "\\?\" path, which has no 260-character limit (the system
// then takes it literally, so "/", "." and ".." are resolved first).
std::optional<std::wstring> longForm(std::wstring wide, int& reason) {
    if (wide.size() < kLongPath || wide.starts_with(L"\\\\?\\")) return wide;
    const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        reason = lastReason();
        return std::nullopt;
    }
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    full.resize(length);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The path as Windows takes it: wide characters, a long one in its long form.
std::optional<std::wstring> systemPath(const std::string& path, int& reason) {
    std::optional<std::wstring> wide = wideText(path);
    if (!wide) {
        reason = EILSEQ;
        return std::nullopt;
    }
    return longForm(std::move(*wide), reason);
}

std::optional<std::wstring> entryPath(const Descriptor& directory, const std::string& name, int& reason) {
    const std::optional<std::wstring> wide = wideText(name);
    if (!wide) {
        reason = EILSEQ;
        return std::nullopt;
    }
    std::wstring path = directory.path();
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return longForm(path + *wide, reason);
}

bool isLinkTag(DWORD tag) { return tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT; }

// What the entry itself is, without following it; nothing when there is no such entry.
// A symbolic link or a junction is a link; other reparse points (a cloud file's
// placeholder, say) are the files they stand for.
std::optional<WIN32_FIND_DATAW> findEntry(const std::wstring& path) {
    if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
    WIN32_FIND_DATAW data{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    ::FindClose(search);
    return data;
}

bool isLinkEntry(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && isLinkTag(data.dwReserved0);
}

// Whether the path names a link; a root or a missing entry is none.
bool namesLink(const std::wstring& path) {
    const std::optional<WIN32_FIND_DATAW> data = findEntry(path);
    return data && isLinkEntry(*data);
}

FileIdentity identityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber, (static_cast<FileIndex>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

Descriptor openHandle(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags, int& reason) {
    const HANDLE handle = ::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = lastReason();
        return Descriptor();
    }
    return Descriptor(handle);
}

// A new file of the temporaries' pattern. CREATE_NEW fails on any entry of that name, a
// link included: nothing is written through one.
std::optional<Temporary> createExclusively(const Descriptor& directory, DWORD flags, int& reason,
                                          DWORD access = GENERIC_WRITE) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::string name = temporaryName(static_cast<long>(::GetCurrentProcessId()), counter.fetch_add(1));
        const std::optional<std::wstring> path = entryPath(directory, name, reason);
        if (!path) return std::nullopt;
        Descriptor file = openHandle(*path, access, 0, CREATE_NEW, flags, reason);
        if (file) return Temporary{std::move(name), std::move(file)};
        if (reason != EEXIST) return std::nullopt;
    }
    reason = EEXIST;
    return std::nullopt;
}

}  // namespace

std::string systemErrorText(int reason) {
    for (const ErrorText& entry : kErrorTexts)
        if (entry.reason == reason) return entry.text;
    if (reason >= kWindowsErrorBase) {
        const DWORD code = static_cast<DWORD>(reason - kWindowsErrorBase);
        wchar_t* buffer = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
            MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
        if (buffer) ::LocalFree(buffer);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' || text.back() == L' '))
            text.pop_back();
        return text.empty() ? "Windows error " + std::to_string(code) : utf8Text(text);
    }
    if (const char* text = std::strerror(reason)) return text;
    return "error " + std::to_string(reason);
}

Descriptor::Descriptor(Descriptor&& other) noexcept : m_handle(other.release()), m_path(std::move(other.m_path)) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (m_handle != kNoHandle) ::CloseHandle(m_handle);
        m_handle = other.release();
        m_path = std::move(other.m_path);
    }
    return *this;
}

Descriptor::~Descriptor() {
    if (m_handle != kNoHandle) ::CloseHandle(m_handle);
}

NativeHandle Descriptor::release() {
    const NativeHandle handle = m_handle;
    m_handle = kNoHandle;
    return handle;
}

PathParts splitPath(std::string_view path) {
    const auto isSeparator = [](char c) { return c == '/' || c == '\\'; };
    // "C:", "C:\" and "\" are roots: folders of their own, with no name in them.
    const std::size_t rootLength = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    while (path.size() > rootLength + 1 && isSeparator(path.back())) path.remove_suffix(1);
    if (path.size() == rootLength || (path.size() == rootLength + 1 && isSeparator(path.back())))
        return {std::string(path), ""};
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string_view::npos || slash < rootLength) {
        if (rootLength == 0) return {".", std::string(path)};
        return {std::string(path.substr(0, rootLength)), std::string(path.substr(rootLength))};
    }
    const std::size_t folderEnd = slash == rootLength ? slash + 1 : slash;  // "C:\name" keeps "C:\"
    return {std::string(path.substr(0, folderEnd == 0 ? 1 : folderEnd)), std::string(path.substr(slash + 1))};
}

Descriptor openDirectory(const std::string& path, int& reason) {
    const std::optional<std::wstring> wide = systemPath(path.empty() ? std::string(".") : path, reason);
    if (!wide) return Descriptor();
    if (namesLink(*wide)) {
        reason = kLinkNotFollowed;
        return Descriptor();
    }
    // Opened without FILE_SHARE_DELETE: while the writer holds it, nobody can rename or
    // remove the directory, so the name keeps meaning this directory. A link is opened as
    // itself and then refused, so it cannot be swapped in between the check and the use.
    const HANDLE handle =
        ::CreateFileW(wide->c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = lastReason();
        if (reason == ENOENT && ::GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES) reason = ENOTDIR;
        return Descriptor();
    }
    Descriptor directory(handle, *wide);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        reason = lastReason();
        return Descriptor();
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        reason = ENOTDIR;
        return Descriptor();
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && namesLink(*wide)) {
        reason = kLinkNotFollowed;
        return Descriptor();
    }
    return directory;
}

Descriptor createOrOpenDirectory(const std::string& path, int& reason) {
    const std::optional<std::wstring> wide = systemPath(path.empty() ? std::string(".") : path, reason);
    if (!wide) return Descriptor();
    if (::GetFileAttributesW(wide->c_str()) == INVALID_FILE_ATTRIBUTES && !::CreateDirectoryW(wide->c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
        reason = lastReason();
        // A parent that is a file is "not a directory", as on the other systems.
        if (reason == ENOENT) {
            const std::optional<std::wstring> parent = systemPath(splitPath(path).folder, reason);
            const DWORD attributes = parent ? ::GetFileAttributesW(parent->c_str()) : INVALID_FILE_ATTRIBUTES;
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) reason = ENOTDIR;
            else reason = ENOENT;
        }
        return Descriptor();
    }
    return openDirectory(path, reason);
}

DirectoryLock::DirectoryLock(DirectoryLock&& other) noexcept : m_handle(other.m_handle) { other.m_handle = kNoHandle; }

DirectoryLock& DirectoryLock::operator=(DirectoryLock&& other) noexcept {
    if (this != &other) {
        if (m_handle != kNoHandle) {
            ::ReleaseMutex(m_handle);
            ::CloseHandle(m_handle);
        }
        m_handle = other.m_handle;
        other.m_handle = kNoHandle;
    }
    return *this;
}

DirectoryLock::~DirectoryLock() {
    if (m_handle != kNoHandle) {
        ::ReleaseMutex(m_handle);
        ::CloseHandle(m_handle);
    }
}

std::optional<DirectoryLock> lockExclusively(const Descriptor& directory, int& reason) {
    // Windows has no lock on a directory itself; a mutex named after the directory's
    // identity (volume and file index) is the lock, so every name of the directory meets
    // the same one. The system releases it when its holder ends, however it ends.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(directory.get(), &info)) {
        reason = lastReason();
        return std::nullopt;
    }
    const FileIdentity identity = identityOf(info);
    const std::wstring name = L"Local\\vestrel-project-" + std::to_wstring(identity.device) + L"-" +
                              std::to_wstring(identity.inode);
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex) {
        reason = lastReason();
        return std::nullopt;
    }
    const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {  // abandoned: its holder was killed
        reason = lastReason();
        ::CloseHandle(mutex);
        return std::nullopt;
    }
    return DirectoryLock(mutex);
}

EntryStatus entryStatus(const Descriptor& directory, const std::string& name) {
    int ignored = 0;
    const std::optional<std::wstring> path = entryPath(directory, name, ignored);
    if (!path) return {};
    const std::optional<WIN32_FIND_DATAW> data = findEntry(*path);
    if (!data) return {};
    EntryStatus status;
    status.exists = true;
    status.isLink = isLinkEntry(*data);
    status.isDirectory = !status.isLink && (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.isRegular = !status.isLink && !status.isDirectory && (data->dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
    status.mode = (data->dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
    return status;
}

std::optional<std::string> resolveTrustedLinks(const std::string& path, int& reason) {
    // Any user may make a junction, so no link is trusted for a write: naming one is
    // refused, and the file it points to is written under its own name if at all.
    const std::optional<std::wstring> wide = systemPath(path, reason);
    if (!wide) return std::nullopt;
    if (namesLink(*wide)) {
        reason = kLinkNotFollowed;
        return std::nullopt;
    }
    return path;
}

std::optional<Temporary> createTemporary(const Descriptor& directory, int& reason) {
    return createExclusively(directory, FILE_ATTRIBUTE_NORMAL, reason);
}

Descriptor createUnnamedFile(const std::string& folder, int& reason) {
    const Descriptor directory = openDirectory(folder, reason);
    if (!directory) return Descriptor();
    // The name stays until the handle closes, but nobody can open the file meanwhile.
    std::optional<Temporary> file = createExclusively(directory, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                                      reason, GENERIC_READ | GENERIC_WRITE);
    if (!file) return Descriptor();
    return std::move(file->file);
}

namespace {
OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}
}  // namespace

bool writeAllAt(NativeHandle file, std::uint64_t offset, std::string_view bytes, int& reason) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > kWriteChunk ? kWriteChunk : static_cast<DWORD>(bytes.size());
        OVERLAPPED position = at(offset);
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, &position)) {
            reason = lastReason();
            return false;
        }
        bytes.remove_prefix(written);
        offset += written;
    }
    return true;
}

bool readAllAt(NativeHandle file, std::uint64_t offset, char* into, std::size_t size, int& reason) {
    while (size > 0) {
        const DWORD chunk = size > kWriteChunk ? kWriteChunk : static_cast<DWORD>(size);
        OVERLAPPED position = at(offset);
        DWORD read = 0;
        if (!::ReadFile(file, into, chunk, &read, &position)) {
            reason = ::GetLastError() == ERROR_HANDLE_EOF ? EIO : lastReason();
            return false;
        }
        if (read == 0) {
            reason = EIO;
            return false;
        }
        into += read;
        size -= read;
        offset += read;
    }
    return true;
}

bool writeAll(NativeHandle file, std::string_view bytes, int& reason) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > kWriteChunk ? kWriteChunk : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            reason = lastReason();
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

void keepAttributes(NativeHandle, const EntryStatus&, bool) {
    // A new file takes the rights its folder hands down and belongs to the writing user;
    // nothing of the file it replaces (or of a link's target) is copied.
}

void startWriteback(NativeHandle) {}

bool syncAndClose(Descriptor& file, int& reason) {
    bool ok = true;
    if (!::FlushFileBuffers(file.get())) {
        reason = lastReason();
        ok = false;
    }
    if (!::CloseHandle(file.release()) && ok) {
        reason = lastReason();
        ok = false;
    }
    return ok;
}

bool renameEntry(const Descriptor& directory, const std::string& from, const std::string& to, int& reason) {
    const std::optional<std::wstring> source = entryPath(directory, from, reason);
    const std::optional<std::wstring> target = source ? entryPath(directory, to, reason) : std::nullopt;
    if (!target) return false;
    if (::MoveFileExW(source->c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    reason = lastReason();
    // Windows refuses to replace a directory as it refuses any access: say which it is.
    const DWORD attributes = ::GetFileAttributesW(target->c_str());
    if (reason == EACCES && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        reason = EISDIR;
    return false;
}

bool removeEntry(const Descriptor& directory, const std::string& name, int& reason) {
    const std::optional<std::wstring> path = entryPath(directory, name, reason);
    if (!path) return false;
    if (::DeleteFileW(path->c_str())) return true;
    reason = lastReason();
    return false;
}

void syncDirectory(const Descriptor&) {
    // NTFS journals the renames themselves; MOVEFILE_WRITE_THROUGH has waited for each.
}

void removeAbandonedTemporaries(const Descriptor& directory) {
    int ignored = 0;
    const std::optional<std::wstring> pattern = entryPath(directory, ".vestrel-*.tmp", ignored);
    if (!pattern) return;
    WIN32_FIND_DATAW data{};
    const HANDLE search = ::FindFirstFileW(pattern->c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    const DWORD self = ::GetCurrentProcessId();
    do {
        const std::string name = utf8Text(data.cFileName);
        const std::optional<long> owner = temporaryOwner(name);
        if (!owner || static_cast<DWORD>(*owner) == self) continue;
        if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0)
            continue;
        // A process that cannot be opened for want of rights still runs; only one that is
        // not there (or has ended and is merely remembered) has abandoned its temporaries.
        const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(*owner));
        if (process) {
            DWORD exitCode = 0;
            const bool running = !::GetExitCodeProcess(process, &exitCode) || exitCode == STILL_ACTIVE;
            ::CloseHandle(process);
            if (running) continue;
        } else if (::GetLastError() != ERROR_INVALID_PARAMETER) {
            continue;
        }
        int reason = 0;
        (void)removeEntry(directory, name, reason);
    } while (::FindNextFileW(search, &data));
    ::FindClose(search);
}

std::optional<std::string> readToEnd(NativeHandle file, std::size_t limit, int& reason) {
    std::string bytes;
    LARGE_INTEGER size{};
    const bool sized = ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
                       static_cast<unsigned long long>(size.QuadPart) <= limit;
    bytes.reserve(sized ? static_cast<std::size_t>(size.QuadPart) + 1 : kReadChunk);
    for (;;) {
        const std::size_t used = bytes.size();
        if (bytes.capacity() == used) bytes.reserve(used * 2);
        const std::size_t room = bytes.capacity() - used;
        const DWORD chunk = room > kWriteChunk ? kWriteChunk : static_cast<DWORD>(room);
        bytes.resize(used + chunk);
        DWORD count = 0;
        if (!::ReadFile(file, bytes.data() + used, chunk, &count, nullptr)) {
            const DWORD error = ::GetLastError();
            bytes.resize(used);
            // A pipe whose writer has gone, or the end of a file: the input is complete.
            if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return bytes;
            reason = reasonOf(error);
            return std::nullopt;
        }
        bytes.resize(used + count);
        if (count == 0) return bytes;
        if (bytes.size() > limit) {
            reason = kTooLarge;
            return std::nullopt;
        }
    }
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, int& reason) {
    const std::optional<std::wstring> wide = systemPath(path, reason);
    if (!wide) return std::nullopt;
    const DWORD attributes = ::GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        reason = lastReason();
        return std::nullopt;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        reason = kNotRegularFile;
        return std::nullopt;
    }
    const Descriptor file = openHandle(*wide, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, reason);
    if (!file) return std::nullopt;
    // A device ("NUL", "CON") or a pipe is refused before anything is read from it.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        reason = kNotRegularFile;
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        reason = lastReason();
        return std::nullopt;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        reason = kTooLarge;
        return std::nullopt;
    }
    return readToEnd(file.get(), limit, reason);
}

NativeHandle standardInput() { return ::GetStdHandle(STD_INPUT_HANDLE); }

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    int ignored = 0;
    const std::optional<std::wstring> wide = systemPath(path, ignored);
    if (!wide) return std::nullopt;
    const Descriptor file = openHandle(*wide, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, ignored);
    if (!file) return std::nullopt;
    return descriptorIdentity(file.get());
}

std::optional<FileIdentity> descriptorIdentity(NativeHandle file) {
    if (file == kNoHandle || file == INVALID_HANDLE_VALUE || ::GetFileType(file) != FILE_TYPE_DISK) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return std::nullopt;
    return identityOf(info);
}

bool isAbsolutePath(std::string_view path) {
    const auto isSeparator = [](char c) { return c == '/' || c == '\\'; };
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) return true;
    return path.size() >= 3 && path[1] == ':' && isSeparator(path[2]);
}

std::optional<std::string> environmentValue(const char* name) {
    const std::optional<std::wstring> wideName = wideText(name);
    if (!wideName) return std::nullopt;
    const DWORD size = ::GetEnvironmentVariableW(wideName->c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName->c_str(), value.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    value.resize(length);
    return utf8Text(value);
}

std::optional<std::string> executableFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::nullopt;
        if (length < buffer.size()) {
            const std::string path = utf8Text(std::wstring_view(buffer.data(), length));
            const PathParts parts = splitPath(path);
            if (parts.name.empty() || parts.folder == ".") return std::nullopt;
            return parts.folder;
        }
        if (buffer.size() >= 32768) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
}

bool writableDirectory(const std::string& path) {
    // The rights on a folder are whatever its access list says; trying is the only sure
    // answer. The probe goes when its handle closes, even if this process is killed.
    int reason = 0;
    const Descriptor directory = openDirectory(path, reason);
    if (!directory) return false;
    return createExclusively(directory, FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                             reason)
        .has_value();
}

}  // namespace vestrel::project::os
