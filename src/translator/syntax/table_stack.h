// A bounded integer stack: a push beyond capacity is dropped, a pop from an empty
// stack gives the largest 32-bit integer. The engine and the bracket handling of
// conditions each own one.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace vestrel {

class TableStack {
public:
    static constexpr std::int32_t kEmptyPop = std::numeric_limits<std::int32_t>::max();

    explicit TableStack(int capacity) : m_values(static_cast<std::size_t>(capacity)) {}

    void Push(std::int32_t value) {
        if (m_top < static_cast<int>(m_values.size())) m_values[static_cast<std::size_t>(m_top++)] = value;
        else m_status = -1;
    }
    std::int32_t Pop() {
        if (m_top == 0) {
            m_status = -2;
            return kEmptyPop;
        }
        return m_values[static_cast<std::size_t>(--m_top)];
    }
    int Count() const { return m_top; }
    int Capacity() const { return static_cast<int>(m_values.size()); }
    // -1 after a dropped push, -2 after a pop from an empty stack; informational.
    int Status() const { return m_status; }
    void Clear() { m_top = 0; m_status = 0; }

private:
    std::vector<std::int32_t> m_values;
    int m_top = 0;
    int m_status = 0;
};

}  // namespace vestrel
