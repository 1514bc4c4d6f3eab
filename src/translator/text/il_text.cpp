// Whole-text operations of IlText: appending, inserting, joining.
#include "translator/text/il_text.h"

namespace vestrel {

void IlText::append(const IlText& other) {
    if (m_countOnly) {
        m_counted += other.size();
        return;
    }
    const std::size_t shift = m_bytes.size();
    m_bytes += other.m_bytes;
    m_ends.reserve(m_ends.size() + other.m_ends.size());
    for (std::size_t end : other.m_ends) m_ends.push_back(end + shift);
    m_sources.insert(m_sources.end(), other.m_sources.begin(), other.m_sources.end());
}

void IlText::insert(std::size_t at, const IlText& other) {
    if (m_countOnly || at >= size()) return append(other);
    const std::size_t position = at == 0 ? 0 : m_ends[at - 1] + 1;
    const std::size_t inserted = other.m_bytes.size();
    m_bytes.insert(position, other.m_bytes);
    for (std::size_t i = at; i < m_ends.size(); ++i) m_ends[i] += inserted;
    std::vector<std::size_t> ends;
    ends.reserve(other.m_ends.size());
    for (std::size_t end : other.m_ends) ends.push_back(end + position);
    m_ends.insert(m_ends.begin() + static_cast<std::ptrdiff_t>(at), ends.begin(), ends.end());
    m_sources.insert(m_sources.begin() + static_cast<std::ptrdiff_t>(at), other.m_sources.begin(),
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
    std::string text = m_bytes;
    if (!text.empty()) text.pop_back();
    return text;
}

std::vector<std::string> IlText::lines() const {
    std::vector<std::string> result;
    result.reserve(size());
    for (std::string_view line : *this) result.emplace_back(line);
    return result;
}

}  // namespace vestrel
