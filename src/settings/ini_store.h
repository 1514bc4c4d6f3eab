// A small ini store of our own: cp1251 text with [section] headers and key=value lines.
// Keys and sections it does not know are kept as they are when the file is rewritten.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel::settings {

class IniStore {
public:
    // Loads the file; a missing or unreadable file gives an empty store. Only a regular
    // file within the input limit is read.
    explicit IniStore(std::string path);
    // A store over given file contents (nothing is read from disk).
    IniStore(std::string path, std::string_view contents);

    const std::string& path() const { return m_path; }
    bool exists() const { return m_existed; }
    // Why the file could not be read (an os:: reason code), 0 when it was read or given.
    int readFailure() const { return m_readFailure; }

    bool hasKey(std::string_view section, std::string_view key) const;
    // The value as an integer, or the default when the key is missing or not a number.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the store to its file (through a temporary file and a rename). On failure
    // returns false and sets error to "Unable to write to <path>".
    bool flush(std::string* error = nullptr);
    // The bytes flush() writes.
    std::string contents() const;

private:
    struct Line {
        std::string text;     // the original line, kept for comments and foreign lines
        std::string section;  // section the line belongs to
        std::string key;      // empty for headers, comments and blank lines
        std::string value;
        bool header = false;  // a "[section]" line
    };
    std::string m_path;
    bool m_existed = false;
    int m_readFailure = 0;
    std::vector<Line> m_lines;

    void parse(std::string_view bytes);
    Line* find(std::string_view section, std::string_view key);
    const Line* find(std::string_view section, std::string_view key) const;
};

}  // namespace vestrel::settings
