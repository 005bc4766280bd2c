#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include "base/FilePaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace cursovia::fakes {

class TempFolder {
public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("cursovia-") + test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The UTF-8 path of `name` inside the folder.
    std::string at(const std::string& name) const { return utf8FromPath(path_ / pathFromUtf8(name)); }
    // Writes `bytes` to `name` inside the folder and returns its UTF-8 path.
    std::string file(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / pathFromUtf8(name), std::ios::binary) << bytes;
        return at(name);
    }
    static std::string read(const std::string& utf8Path) {
        std::ifstream in(pathFromUtf8(utf8Path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
};

} // namespace cursovia::fakes
