// Reading and writing the header blocks of the base protocol.
#include "lsp/message_framing.h"

#include <charconv>


namespace vestrel::lsp {
namespace {

constexpr std::string_view kLengthHeader = "content-length";

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The header names compare without regard to case, as in HTTP.
bool isLengthHeader(std::string_view name) {
    if (name.size() != kLengthHeader.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kLengthHeader[i]) return false;
    }
    return true;
}

}  // namespace

bool FrameReader::readHeaderLine(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    int c = 0;
    bool any = false;
    while ((c = m_in.get()) != std::char_traits<char>::eof()) {
        any = true;
        if (c == '\n') break;
        if (line.size() < kMaxHeaderLine)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

Frame FrameReader::next() {
    std::string line;
    bool tooLong = false;
    // Blank lines between messages are tolerated.
    do {
        if (!readHeaderLine(line, tooLong)) return {Frame::Kind::End, {}};
    } while (line.empty() && !tooLong);

    bool haveLength = false, badHeader = false;
    std::size_t length = 0;
    while (true) {
        if (tooLong) badHeader = true;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            badHeader = true;
        } else if (isLengthHeader(trimBlanks(std::string_view(line).substr(0, colon)))) {
            const std::string_view digits = trimBlanks(std::string_view(line).substr(colon + 1));
            std::size_t value = 0;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
            if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
                badHeader = true;
            } else {
                haveLength = true;
                length = value;
            }
        }
        if (!readHeaderLine(line, tooLong)) return {Frame::Kind::End, {}};
        if (line.empty() && !tooLong) break;
    }
    if (!haveLength)
        return {Frame::Kind::Broken, badHeader ? "malformed header block" : "header block without Content-Length"};

    if (length > kMaxBody) {
        m_in.ignore(static_cast<std::streamsize>(length));
        return {Frame::Kind::Broken, "message body of " + std::to_string(length) + " bytes is too large"};
    }
    std::string body(length, '\0');
    m_in.read(body.data(), static_cast<std::streamsize>(length));
    if (static_cast<std::size_t>(m_in.gcount()) != length) return {Frame::Kind::End, {}};
    return {Frame::Kind::Message, std::move(body)};
}

std::string frameMessage(std::string_view body) {
    std::string out = "Content-Length: ";
    out += std::to_string(body.size());
    out += "\r\n\r\n";
    out += body;
    return out;
}

}  // namespace vestrel::lsp
