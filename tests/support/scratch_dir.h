// A fresh directory under the system's temporary folder for one test, removed with
// everything in it when the test ends; and small file helpers around it.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include <unistd.h>

namespace vestrel::testing {

class ScratchDir : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<unsigned> counter{0};
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = std::filesystem::temp_directory_path() /
                 ("vestrel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                  info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    std::string path(std::string_view relative) const { return (m_root / relative).string(); }
    const std::filesystem::path& root() const { return m_root; }

    static void writeBytes(const std::string& file, std::string_view bytes) {
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string readBytes(const std::string& file) {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    // The names directly in a directory, hidden ones included.
    static std::set<std::string> entriesOf(const std::string& directory) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path m_root;
};

}  // namespace vestrel::testing
