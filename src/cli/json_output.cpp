// Writing JSON documents and file URIs for the machine-readable reports.
#include "cli/json_output.h"

#include "cli/text_output.h"

namespace vestrel::cli {

std::string jsonDocumentText(const nlohmann::ordered_json& document) {
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

void writeJsonDocument(const nlohmann::ordered_json& document, TextOutput& out) {
    out << jsonDocumentText(document);
}

std::string pathUri(const std::string& given) {
    constexpr char kHex[] = "0123456789ABCDEF";
#ifdef _WIN32
    std::string path = given;
    for (char& c : path)
        if (c == '\\') c = '/';
    const bool hasDrive = path.size() >= 3 && path[1] == ':' && path[2] == '/';
    std::string uri = path.starts_with("//") ? "file:" : hasDrive ? "file:///" : path.starts_with('/') ? "file://" : "";
#else
    const std::string& path = given;
    std::string uri = path.starts_with('/') ? "file://" : "";
#endif
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~' || byte == '/';
        if (unreserved) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0x0F];
        }
    }
    return uri;
}

}  // namespace vestrel::cli
