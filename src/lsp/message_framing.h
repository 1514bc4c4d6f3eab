// The base protocol of the language server: each message is a header block
// ("Content-Length: N", other headers ignored, an empty line) followed by N bytes of JSON.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace vestrel::lsp {

struct Frame {
    enum class Kind {
        Message,  // body holds one message
        Broken,   // a header block without a usable length, or a body too large; body says why
        End,      // the input has ended
    };
    Kind kind = Kind::End;
    std::string body;
};

class FrameReader {
public:
    // Bodies above this size are read past and reported as broken, so a wrong length
    // cannot make the server hold gigabytes.
    static constexpr std::size_t kMaxBody = 256u << 20;
    // A header line longer than this is broken; the reader skips to its end.
    static constexpr std::size_t kMaxHeaderLine = 8192;

    explicit FrameReader(std::istream& in) : m_in(in) {}
    // Blocks until a whole frame, a broken header block or the end of the input.
    Frame next();

private:
    // One header line without its CR LF (a lone LF ends it too); false at the end of input.
    bool readHeaderLine(std::string& line, bool& tooLong);

    std::istream& m_in;
};

// The header block and the body, ready to be written.
std::string frameMessage(std::string_view body);

}  // namespace vestrel::lsp
