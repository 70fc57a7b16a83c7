// The profile store on real Windows files: Chinese paths, saving that fails without
// harm, files held open by someone else, UTF-16 files read back by the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/win_test_support.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

using namespace testing_support;

class IniFileIoTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return folder_ / name; }
  std::vector<std::string> Entries() const { return EntryNames(folder_.Path()); }
  const TempFolder folder_{"ini_io"};
};

TEST_F(IniFileIoTest, SavesUnderAChinesePathAndReadsBack) {
  const std::string path = PathOf("工具栏设置.ini");
  IniFile ini(path);
  EXPECT_TRUE(ini.WriteString("工具", "字体", "宋体"));
  EXPECT_TRUE(ini.WriteInteger("工具", "Color", -2147483633));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(platform::ReadWholeFile(path),
            "[\xb9\xa4\xbe\xdf]\r\n\xd7\xd6\xcc\xe5=\xcb\xce\xcc\xe5\r\nColor=-2147483633\r\n");
  EXPECT_TRUE(platform::FileExists(path));
  EXPECT_FALSE(platform::DirectoryExists(path));
  EXPECT_TRUE(platform::DirectoryExists(folder_.Path()));
  EXPECT_EQ(Entries(), std::vector<std::string>{"工具栏设置.ini"});  // no temporary left
  EXPECT_EQ(IniFile(path).ReadString("工具", "字体", ""), "宋体");
}

TEST_F(IniFileIoTest, FailedSavesKeepTheOldFile) {
  // Folder missing; a folder where the file should be; a read-only file.
  CreateDirectoryW(ToWide(PathOf("dir.ini")).c_str(), nullptr);
  const std::string readOnly = PathOf("ro.ini");
  ASSERT_TRUE(platform::WriteFileAtomically(readOnly, "[s]\r\nk=old\r\n"));
  SetFileAttributesW(ToWide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
  for (const std::string& path : {PathOf("missing\\a.ini"), PathOf("dir.ini"), readOnly}) {
    IniFile ini(path);
    EXPECT_TRUE(ini.WriteString("s", "k", "new"));
    EXPECT_FALSE(ini.Save()) << path;
  }
  EXPECT_EQ(platform::ReadWholeFile(readOnly), "[s]\r\nk=old\r\n");
  EXPECT_TRUE(platform::DirectoryExists(PathOf("dir.ini")));
  EXPECT_EQ(platform::ReadWholeFile(PathOf("dir.ini")), std::nullopt);
  EXPECT_EQ(Entries().size(), 2u);  // dir.ini and ro.ini: no temporary left
}

TEST_F(IniFileIoTest, AFileHeldOpenByOthersIsNeverOverwritten) {
  const std::string path = PathOf("held.ini");
  ASSERT_TRUE(platform::WriteFileAtomically(path, "[s]\r\nprecious=1\r\n"));
  {
    // Opened without sharing, as another program might hold it.
    unique_handle<FileHandleTraits> held(CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("s", "precious", "lost"), "lost");
    EXPECT_TRUE(ini.WriteString("s", "k", "v"));
    EXPECT_FALSE(ini.Save());
  }
  EXPECT_EQ(platform::ReadWholeFile(path), "[s]\r\nprecious=1\r\n");
}

TEST_F(IniFileIoTest, Utf16FilesStayUtf16AndTheSystemReadsThem) {
  const std::string path = PathOf("wide.ini");
  const std::wstring text = L"\xFEFF[\x5DE5\x5177]\r\nold=1\r\n";
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  ASSERT_TRUE(platform::WriteFileAtomically(path, bytes));
  IniFile ini(path);
  EXPECT_TRUE(ini.WriteString("工具", "字体", "宋体"));
  EXPECT_TRUE(ini.WriteString("工具", "笑", "\xf0\x9f\x98\x80"));  // outside code page 936, fine in UTF-16
  EXPECT_TRUE(ini.WriteString("新", "k", " v "));
  ASSERT_TRUE(ini.Save());
  const wchar_t* const reads[][3] = {{L"\x5DE5\x5177", L"\x5B57\x4F53", L"\x5B8B\x4F53"},
                                     {L"\x5DE5\x5177", L"\x7B11", L"\xD83D\xDE00"},
                                     {L"\x65B0", L"k", L" v "},
                                     {L"\x5DE5\x5177", L"old", L"1"}};
  for (const auto& r : reads) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(r[0], r[1], L"", value, 64, ToWide(path).c_str());
    EXPECT_EQ(std::wstring(value), r[2]);
  }
  const std::optional<std::string> saved = platform::ReadWholeFile(path);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->substr(0, bytes.size()), bytes);  // untouched lines keep their bytes
}

}  // namespace
}  // namespace wendlix
