// Real files in a fresh folder per test, and the byte forms the settings files take on disk.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/encoding.h"

namespace wendlix::testing_support {

// Removed with everything in it when the test ends, whatever permissions the test left.
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag = "unit")
      : path_(std::filesystem::temp_directory_path() /
              ("wendlix_" + tag + "_" + std::to_string(::getpid()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  // Sorted, so that tests compare them whole.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void PutFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fixture whose tests each get a fresh folder.
class TempFolderTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return dir_ / name; }
  static void Put(const std::string& path, const std::string& bytes) { PutFile(path, bytes); }
  std::vector<std::string> Entries() const { return dir_.Entries(); }
  TempFolder dir_;
};

// Test texts are UTF-8; the bar's files are code page 936.
inline std::string Cp936(std::string_view utf8) { return Utf8ToCp936(utf8).value(); }

inline std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xff\xfe";
  for (const char16_t u : text) {
    bytes += static_cast<char>(u & 0xff);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

}  // namespace wendlix::testing_support
