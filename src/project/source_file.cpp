// Reading and writing Korvel source files, and the safe whole-file write that every
// file the system produces goes through.
#include "project/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel::project {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSourceLineBreak = "\r\n";

std::string cannotCreate(const std::string& path) { return "Cannot create file " + path; }

// Reads the file whole; on failure returns nothing and leaves the reason in errorNumber.
std::optional<std::string> readFileBytes(const std::string& path, int& errorNumber) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        errorNumber = errno;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            errorNumber = errno;
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return bytes;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// A name beside the target that no other writer picks: the target's name behind a dot
// (so a directory listing hides it), the process id and a running number.
std::string temporaryNameFor(const std::filesystem::path& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFFFF);
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.%llx.%u.tmp", static_cast<long>(::getpid()),
                  counter.fetch_add(1), stamp, attempt);
    std::filesystem::path name = target.parent_path() / ("." + target.filename().string() + suffix);
    return name.string();
}

std::string describeCharacter(char32_t codePoint) {
    char text[32];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

SourceReadResult decodeUtf8Lines(std::string_view utf8) {
    SourceReadResult result;
    const std::vector<std::string> rawLines = splitSourceLines(utf8);
    result.lines.reserve(rawLines.size());
    for (std::size_t index = 0; index < rawLines.size(); ++index) {
        text::ConversionError where;
        std::optional<std::string> line = text::fromUtf8(rawLines[index], &where);
        if (!line) {
            result.error = "line " + std::to_string(index + 1) + ", column " +
                           std::to_string(where.characterIndex + 1) + ": ";
            result.error += where.codePoint == 0
                                ? std::string("the bytes are not valid UTF-8")
                                : "the character " + describeCharacter(where.codePoint) +
                                      " has no code page 1251 form";
            result.lines.clear();
            return result;
        }
        result.lines.push_back(std::move(*line));
    }
    result.ok = true;
    result.wasUtf8 = true;
    return result;
}

}  // namespace

SourceReadResult decodeSource(std::string_view bytes, SourceEncoding encoding) {
    const bool hasByteOrderMark = bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
    bool readAsUtf8 = false;
    switch (encoding) {
        case SourceEncoding::Utf8: readAsUtf8 = true; break;
        case SourceEncoding::Cp1251: readAsUtf8 = false; break;
        case SourceEncoding::Auto: readAsUtf8 = text::hasNonAscii(bytes) && text::isValidUtf8(bytes); break;
    }
    if (readAsUtf8) {
        if (hasByteOrderMark) bytes.remove_prefix(kUtf8ByteOrderMark.size());
        return decodeUtf8Lines(bytes);
    }
    SourceReadResult result;
    result.lines = splitSourceLines(bytes);
    result.ok = true;
    return result;
}

SourceReadResult readSourceFile(const std::string& path, SourceEncoding encoding) {
    int errorNumber = 0;
    const std::optional<std::string> bytes = readFileBytes(path, errorNumber);
    if (!bytes) {
        SourceReadResult result;
        result.error = "cannot read " + path + ": " + std::strerror(errorNumber);
        return result;
    }
    SourceReadResult result = decodeSource(*bytes, encoding);
    if (!result.ok) result.error = path + ": " + result.error;
    return result;
}

bool writeSourceFile(const std::string& path, const std::vector<std::string>& lines, std::string* error) {
    // Every line is followed by its break, as the editor saves its lines; so a text
    // read back gives the same lines, a final empty line included.
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += kSourceLineBreak;
    }
    return writeFileAtomically(path, bytes, error);
}

std::optional<std::string> readWholeFile(const std::string& path) {
    int errorNumber = 0;
    return readFileBytes(path, errorNumber);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const std::filesystem::path target(path);
    auto fail = [&] {
        if (error) *error = cannotCreate(path);
        return false;
    };

    // The replacement keeps the access rights of the file it replaces; a new file gets
    // the usual rights under the process's umask.
    struct stat existing {};
    const bool replacesFile = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);

    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryNameFor(target, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fail();
    }
    if (fd < 0) return fail();

    bool written = writeAll(fd, bytes);
    if (written && replacesFile) written = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (written) written = ::fsync(fd) == 0;
    if (::close(fd) != 0) written = false;
    if (written) written = ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        return fail();
    }
    return true;
}

}  // namespace vestrel::project
