// A fresh directory under the system's temporary folder for one test, removed with
// everything in it when the test ends; and small file helpers around it. Paths are UTF-8
// strings, as everywhere in the system, on Windows too.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vestrel::testing {

inline long currentProcessId() {
#ifdef _WIN32
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

// A UTF-8 path as std::filesystem takes it (a narrow one would be read in the ANSI code
// page on Windows), and back.
inline std::filesystem::path fsPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

class ScratchDir : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<unsigned> counter{0};
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = std::filesystem::temp_directory_path() /
                 ("vestrel-" + std::to_string(currentProcessId()) + "-" + std::to_string(counter++) + "-" +
                  info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    std::string path(std::string_view relative) const { return utf8Path(m_root / fsPath(relative)); }
    const std::filesystem::path& root() const { return m_root; }

    static void writeBytes(const std::string& file, std::string_view bytes) {
        std::ofstream stream(fsPath(file), std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string readBytes(const std::string& file) {
        std::ifstream stream(fsPath(file), std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    // The names directly in a directory, hidden ones included.
    static std::set<std::string> entriesOf(const std::string& directory) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(fsPath(directory)))
            names.insert(utf8Path(entry.path().filename()));
        return names;
    }

private:
    std::filesystem::path m_root;
};

}  // namespace vestrel::testing
