// The ini store: the file's lines kept in order, with the section and key each line
// carries, so a rewrite changes only the values that were written.
#include "settings/ini_store.h"

#include <charconv>
#include <limits>
#include <utility>

#include "project/source_file.h"
#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel::settings {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreak = "\r\n";

std::string_view trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

// Section and key names match without regard to case, as ini files always have.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (text::toLower(a[i]) != text::toLower(b[i])) return false;
    return true;
}

bool isComment(std::string_view trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

// "[name]" gives the name; anything else nothing.
std::optional<std::string_view> sectionHeader(std::string_view trimmed) {
    if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(trimmed.substr(1, close - 1));
}

// A number outside the integer range, however long, is pulled to the nearer end, so
// the key's own range then pulls it on to its nearer end as well.
std::optional<int> parseInteger(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return text.front() == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    if (error != std::errc{}) return std::nullopt;
    return value;
}

}  // namespace

IniStore::IniStore(std::string path) : m_path(std::move(path)) {
    const std::optional<std::string> bytes = project::readWholeFile(m_path, &m_readFailure);
    if (!bytes) return;
    m_existed = true;
    m_readFailure = 0;
    parse(*bytes);
}

IniStore::IniStore(std::string path, std::string_view contents) : m_path(std::move(path)) { parse(contents); }

void IniStore::parse(std::string_view bytes) {
    std::string section;
    for (std::string& text : splitSourceLines(bytes)) {
        Line line;
        const std::string_view trimmed = trim(text);
        if (const std::optional<std::string_view> name = sectionHeader(trimmed)) {
            section = std::string(*name);
            line.header = true;
        } else if (!isComment(trimmed)) {
            const std::size_t equals = trimmed.find('=');
            if (equals != std::string_view::npos && equals > 0) {
                line.key = std::string(trim(trimmed.substr(0, equals)));
                line.value = std::string(trim(trimmed.substr(equals + 1)));
            }
        }
        line.section = section;
        line.text = std::move(text);
        m_lines.push_back(std::move(line));
    }
}

IniStore::Line* IniStore::find(std::string_view section, std::string_view key) {
    return const_cast<Line*>(std::as_const(*this).find(section, key));
}

const IniStore::Line* IniStore::find(std::string_view section, std::string_view key) const {
    for (const Line& line : m_lines)
        if (!line.header && !line.key.empty() && sameName(line.section, section) && sameName(line.key, key))
            return &line;
    return nullptr;
}

bool IniStore::hasKey(std::string_view section, std::string_view key) const { return find(section, key) != nullptr; }

int IniStore::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const Line* line = find(section, key);
    if (!line) return defaultValue;
    return parseInteger(line->value).value_or(defaultValue);
}

std::optional<std::string> IniStore::readString(std::string_view section, std::string_view key) const {
    const Line* line = find(section, key);
    if (!line) return std::nullopt;
    return line->value;
}

void IniStore::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniStore::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (Line* line = find(section, key)) {
        line->value = std::string(value);
        line->text = line->key + "=" + line->value;
        return;
    }
    Line added;
    added.key = std::string(key);
    added.value = std::string(value);
    added.text = added.key + "=" + added.value;

    // A new key goes after the last non-blank line of its section; a new section goes
    // at the end of the file.
    std::optional<std::size_t> insertAfter;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!sameName(line.section, section)) continue;
        if (line.header || !trim(line.text).empty()) insertAfter = i;
    }
    if (insertAfter) {
        added.section = m_lines[*insertAfter].section;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*insertAfter + 1), std::move(added));
        return;
    }
    Line header;
    header.header = true;
    header.section = std::string(section);
    header.text = "[" + header.section + "]";
    added.section = header.section;
    m_lines.push_back(std::move(header));
    m_lines.push_back(std::move(added));
}

std::string IniStore::contents() const {
    std::string bytes;
    for (const Line& line : m_lines) {
        bytes += line.text;
        bytes += kLineBreak;
    }
    return bytes;
}

bool IniStore::flush(std::string* error) {
    if (!project::writeFileAtomically(m_path, contents(), nullptr, project::Ownership::KeepReplaced)) {
        if (error) *error = "Unable to write to " + m_path;
        return false;
    }
    m_existed = true;
    return true;
}

}  // namespace vestrel::settings
