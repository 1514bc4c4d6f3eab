// Where an IL text may set its settled lines aside when it grows past what a run may hold
// in memory: a store that only grows, and the rule for when to use it. The text layer
// knows nothing of files; the project layer gives a store over an unnamed temporary file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace vestrel {

// Bytes appended end to end and read back by position. Reason codes are those of the
// project's file calls (errno values and its own).
class IlSpillStore {
public:
    virtual ~IlSpillStore() = default;
    // Appends the bytes; false with the reason when the store cannot take them all.
    virtual bool append(std::string_view bytes, int& reason) = 0;
    // The bytes appended so far.
    virtual std::uint64_t size() const = 0;
    // Reads size bytes from offset into `into`; false with the reason when it cannot.
    virtual bool read(std::uint64_t offset, char* into, std::size_t size, int& reason) const = 0;
};

// The rule a text spills by. A text holding `heldLimit` bytes (its line bytes and 12 bytes
// of bookkeeping a line) moves every line but its first `keptHeadLines` and its last to
// the store, each line already ended with `lineEnd` as its file will have it; their
// source lines follow them there. The first lines and the last stay, since the generator
// inserts there and extends the last.
struct IlSpillPolicy {
    std::size_t heldLimit = std::size_t{256} << 10;
    std::size_t keptHeadLines = 8;
    std::string_view lineEnd;  // must outlive the texts
    // Opens a store for one text; nullptr with the reason when none can be had.
    std::function<std::shared_ptr<IlSpillStore>(int& reason)> open;
};

}  // namespace vestrel
