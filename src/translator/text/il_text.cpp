// Whole-text operations of IlText: appending, inserting, joining, spilling and writing
// the text out as a file has it.
#include "translator/text/il_text.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace vestrel {

void IlText::append(const IlText& other) {
    if (m_countOnly) {
        m_counted += other.size();
        return;
    }
    if (other.spilled()) throw std::logic_error("a text that set lines aside cannot be appended");
    const std::size_t shift = m_bytes.size();
    m_bytes += other.m_bytes;
    m_ends.reserve(m_ends.size() + other.m_ends.size());
    for (std::size_t end : other.m_ends) m_ends.push_back(end + shift);
    m_sources.insert(m_sources.end(), other.m_sources.begin(), other.m_sources.end());
    if (heldBytes() >= m_nextSpillCheck) spillMiddle();
}

void IlText::insert(std::size_t at, const IlText& other) {
    if (m_countOnly || at >= size()) return append(other);
    if (other.spilled()) throw std::logic_error("a text that set lines aside cannot be inserted");
    // Lines go among the first lines (which then grow by them) or after the set-aside ones.
    std::size_t m = at;
    if (m_spilledLines != 0) {
        if (at <= m_headLines)
            m_headLines += other.m_ends.size();
        else if (at >= m_headLines + m_spilledLines)
            m = at - m_spilledLines;
        else
            throw std::logic_error("a line cannot be inserted among the lines set aside");
    }
    const std::size_t position = m == 0 ? 0 : m_ends[m - 1] + 1;
    const std::size_t inserted = other.m_bytes.size();
    m_bytes.insert(position, other.m_bytes);
    for (std::size_t i = m; i < m_ends.size(); ++i) m_ends[i] += inserted;
    std::vector<std::size_t> ends;
    ends.reserve(other.m_ends.size());
    for (std::size_t end : other.m_ends) ends.push_back(end + position);
    m_ends.insert(m_ends.begin() + static_cast<std::ptrdiff_t>(m), ends.begin(), ends.end());
    m_sources.insert(m_sources.begin() + static_cast<std::ptrdiff_t>(m), other.m_sources.begin(),
                     other.m_sources.end());
}

void IlText::insert(std::size_t at, std::string_view line) {
    if (m_countOnly) {
        ++m_counted;
        return;
    }
    IlText one;
    one.followSourceLine(m_current);
    one.push_back(line);
    insert(at, one);
}

std::string IlText::joined() const {
    if (spilled()) throw std::logic_error("a text that set lines aside cannot be joined");
    std::string text = m_bytes;
    if (!text.empty()) text.pop_back();
    return text;
}

std::vector<std::string> IlText::lines() const {
    if (spilled()) throw std::logic_error("a text that set lines aside cannot be read line by line");
    std::vector<std::string> result;
    result.reserve(size());
    for (std::string_view line : *this) result.emplace_back(line);
    return result;
}

std::size_t IlText::nextSpillCheck() const {
    if (!m_spill || m_countOnly) return SIZE_MAX;
    // After a spill at least half the limit more is gathered before the next, so a text
    // whose kept lines are long does not write a little at every line.
    return std::max(m_spill->heldLimit, heldBytes() + m_spill->heldLimit / 2);
}

void IlText::spillMiddle() {
    const std::size_t lines = m_ends.size();
    const std::size_t head = m_spilledLines != 0 ? m_headLines : std::min(m_spill->keptHeadLines, lines);
    if (lines < head + 2) {
        m_nextSpillCheck = nextSpillCheck();
        return;
    }
    const std::size_t last = lines - 1;  // the last line stays
    int reason = 0;
    const auto fail = [&] {
        const std::size_t counted = size();
        clear();
        m_countOnly = true;
        m_counted = counted;
        m_spillFailure = reason != 0 ? reason : EIO;
        m_nextSpillCheck = SIZE_MAX;
    };
    if (!m_store) {
        if (m_spill->open) m_store = m_spill->open(reason);
        if (!m_store) return fail();
    }

    const std::uint64_t offset = m_store->size();
    std::uint64_t written = 0;
    const auto put = [&](std::string_view bytes) {
        if (!m_store->append(bytes, reason)) return false;
        written += bytes.size();
        return true;
    };
    const std::string_view end = m_spill->lineEnd;
    std::string piece;
    piece.reserve(std::min(kFilePiece, m_bytes.size() + (last - head) * end.size()));
    for (std::size_t m = head; m < last; ++m) {
        const std::string_view line = memoryLine(m);
        if (piece.size() + line.size() + end.size() > kFilePiece) {
            if (!piece.empty() && !put(piece)) return fail();
            piece.clear();
            if (line.size() + end.size() > kFilePiece) {
                if (!put(line) || !put(end)) return fail();
                continue;
            }
        }
        piece += line;
        piece += end;
    }
    if (!piece.empty() && !put(piece)) return fail();
    const std::size_t count = last - head;
    const std::string_view sources(reinterpret_cast<const char*>(m_sources.data() + head),
                                   count * sizeof(std::uint32_t));
    if (!m_store->append(sources, reason)) return fail();
    m_pieces.push_back({offset, written, count});

    const std::size_t from = head == 0 ? 0 : m_ends[head - 1] + 1;
    const std::size_t to = m_ends[last - 1] + 1;
    m_bytes.erase(from, to - from);
    m_ends.erase(m_ends.begin() + static_cast<std::ptrdiff_t>(head), m_ends.begin() + static_cast<std::ptrdiff_t>(last));
    m_ends[head] -= to - from;
    m_sources.erase(m_sources.begin() + static_cast<std::ptrdiff_t>(head),
                    m_sources.begin() + static_cast<std::ptrdiff_t>(last));
    m_headLines = head;
    m_spilledLines += count;
    m_nextSpillCheck = nextSpillCheck();
}

bool IlText::writeFileForm(std::string_view lineEnd, const std::function<bool(std::string_view, int&)>& write,
                           int& reason) const {
    std::string piece;
    piece.reserve(std::min(kFilePiece, m_bytes.size() + m_ends.size() * lineEnd.size()));
    const auto flush = [&] {
        if (piece.empty()) return true;
        const bool ok = write(piece, reason);
        piece.clear();
        return ok;
    };
    const auto writeLines = [&](std::size_t from, std::size_t to) {
        for (std::size_t m = from; m < to; ++m) {
            const std::string_view line = memoryLine(m);
            if (piece.size() + line.size() + lineEnd.size() > kFilePiece) {
                if (!flush()) return false;
                if (line.size() + lineEnd.size() > kFilePiece) {
                    if (!write(line, reason) || !write(lineEnd, reason)) return false;
                    continue;
                }
            }
            piece += line;
            piece += lineEnd;
        }
        return true;
    };
    if (!writeLines(0, m_headLines)) return false;
    for (const SpilledPiece& spilled : m_pieces) {
        if (!flush()) return false;
        for (std::uint64_t done = 0; done < spilled.bytes;) {
            const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(spilled.bytes - done, kFilePiece));
            piece.resize(size);
            if (!m_store->read(spilled.offset + done, piece.data(), size, reason) || !flush()) return false;
            done += size;
        }
    }
    return writeLines(m_headLines, m_ends.size()) && flush();
}

bool IlText::readSourceLines(const std::function<void(std::span<const std::uint32_t>)>& take, int& reason) const {
    const std::span<const std::uint32_t> kept(m_sources);
    take(kept.first(m_headLines));
    std::vector<std::uint32_t> buffer;
    constexpr std::size_t kPieceLines = kFilePiece / sizeof(std::uint32_t);
    for (const SpilledPiece& spilled : m_pieces) {
        for (std::size_t done = 0; done < spilled.lines;) {
            const std::size_t count = std::min(spilled.lines - done, kPieceLines);
            buffer.resize(count);
            if (!m_store->read(spilled.offset + spilled.bytes + done * sizeof(std::uint32_t),
                               reinterpret_cast<char*>(buffer.data()), count * sizeof(std::uint32_t), reason))
                return false;
            take(buffer);
            done += count;
        }
    }
    take(kept.subspan(m_headLines));
    return true;
}

void IlText::assignLines(const IlText& other) {
    m_bytes = other.m_bytes;
    m_ends = other.m_ends;
    m_sources = other.m_sources;
    m_countOnly = other.m_countOnly;
    m_counted = other.m_counted;
    m_store = other.m_store;
    m_pieces = other.m_pieces;
    m_headLines = other.m_headLines;
    m_spilledLines = other.m_spilledLines;
    m_spillFailure = other.m_spillFailure;
    m_nextSpillCheck = nextSpillCheck();
}

void IlText::moveLines(IlText& other) noexcept {
    m_bytes = std::move(other.m_bytes);
    m_ends = std::move(other.m_ends);
    m_sources = std::move(other.m_sources);
    m_countOnly = other.m_countOnly;
    m_counted = other.m_counted;
    m_store = std::move(other.m_store);
    m_pieces = std::move(other.m_pieces);
    m_headLines = other.m_headLines;
    m_spilledLines = other.m_spilledLines;
    m_spillFailure = other.m_spillFailure;
    m_nextSpillCheck = nextSpillCheck();
    other.m_pieces.clear();
    other.m_headLines = 0;
    other.m_spilledLines = 0;
}

}  // namespace vestrel
