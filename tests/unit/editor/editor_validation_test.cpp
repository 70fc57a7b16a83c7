#include "core/editor/editor_validation.h"

#include <gtest/gtest.h>

#include "core/bar/panel_data.h"
#include "core/editor/editor_texts.h"

namespace wendlix {
namespace {

bool Exists(const std::string& path) { return path == "C:\\Tools\\a.exe" || path == "C:\\Tools"; }

TEST(EditorValidation, ButtonModeMessagesFieldsAndResults) {
  struct Case {
    std::uint16_t kind;
    const char* name;
    const char* target;
    const char* expectText;  // substring of the message; nullptr: accepted
    EditorField field;
    const char* result;  // the target when accepted
  } cases[] = {
      {gkWeb, "  ", "a.cn", kNameBlankText, EditorField::kName, nullptr},
      {gkWeb, "News", " ", kWebAddressBlankText, EditorField::kTarget, nullptr},
      {gkEmail, "Boss", "", kEmailAddressBlankText, EditorField::kTarget, nullptr},
      {gkWeb, "News", "x http://a.cn", nullptr, EditorField::kNone, "HTTP://a.cn"},
      {gkEmail, "Boss", "boss@a.cn", nullptr, EditorField::kNone, "MAILTO:boss@a.cn"},
      {gkShortcut, "Tool", "C:\\Tools\\a.exe", nullptr, EditorField::kNone, "C:\\Tools\\a.exe"},
      {gkShortcut, "Dir", "C:\\Tools", nullptr, EditorField::kNone, "C:\\Tools"},
      {gkShortcut, "Web", "see Http://a.cn", nullptr, EditorField::kNone,
       "see Http://a.cn"},  // no file check
      {gkShortcut, "Tool", "C:\\gone.exe", "\"C:\\gone.exe\"\r\r所选择的文件不存在", EditorField::kTarget,
       nullptr},
      // What the group file or the folder cannot hold.
      {gkWeb, "a\tb", "a.cn", kControlCharText, EditorField::kName, nullptr},
      {gkWeb, "\xF0\x9F\x98\x80", "a.cn", "“\xF0\x9F\x98\x80”", EditorField::kName, nullptr},  // emoji
      {gkWeb, "News", "a.cn/\xF0\x9F\x98\x80", kUnencodableText, EditorField::kTarget, nullptr},
      {gkEmail, "a\xFF", "a@b", kUnencodableText, EditorField::kName, nullptr},  // broken UTF-8
      {gkWeb, "News", "a.cn\r\nb", kControlCharText, EditorField::kTarget, nullptr},
      {gkWeb, " News", "a.cn", kOuterBlankText, EditorField::kName, nullptr},
      {gkWeb, "a=b", "a.cn", kKeySyntaxText, EditorField::kName, nullptr},
      {gkEmail, "[x", "a@b", kKeySyntaxText, EditorField::kName, nullptr},
      {gkEmail, ";x", "a@b", kKeySyntaxText, EditorField::kName, nullptr},
      {gkWeb, "OTHER", "a.cn", "已经有一个名为“OTHER”的按钮", EditorField::kName, nullptr},
      {gkShortcut, "..\\x", "C:\\Tools\\a.exe", kFileNameText, EditorField::kName, nullptr},
      {gkShortcut, "con", "C:\\Tools\\a.exe", kFileNameText, EditorField::kName, nullptr},
      {gkShortcut, "Other", "C:\\Tools\\a.exe", nullptr, EditorField::kNone,
       "C:\\Tools\\a.exe"},  // files number
      {gkWeb, "中文 名", "a.cn", nullptr, EditorField::kNone, "HTTP://a.cn"},
  };
  for (const Case& c : cases) {
    const ButtonModeResult r = CheckButtonMode({c.kind, c.name, c.target, {"other"}}, Exists);
    if (!c.expectText) {
      EXPECT_FALSE(r.Refusal) << c.name << " / " << c.target << ": " << r.Refusal->Text;
      EXPECT_EQ(r.Target, c.result) << c.name;
      continue;
    }
    ASSERT_TRUE(r.Refusal) << c.name << " / " << c.target;
    EXPECT_NE(r.Refusal->Text.find(c.expectText), std::string::npos) << r.Refusal->Text;
    EXPECT_EQ(r.Refusal->Focus, c.field) << c.name << " / " << c.target;
    EXPECT_FALSE(r.Refusal->Caption.empty());
  }
  EXPECT_EQ(CheckButtonMode({gkShortcut, "Tool", "C:\\gone.exe", {}}, Exists).Refusal->Caption,
            kEditorNotFoundCaption);
}

// An internet shortcut is named as a file, but its address is checked and prefixed as a web group's.
TEST(EditorValidation, InternetShortcutTargetIsAnAddress) {
  const auto url = [](const char* name, const char* target) {
    return CheckButtonMode({gkShortcut, name, target, {}, true}, Exists);
  };
  EXPECT_EQ(url("站点", "https://www.a.cn/x").Target, "https://www.a.cn/x");
  EXPECT_EQ(url("站点", "www.a.cn").Target, "HTTP://www.a.cn");
  EXPECT_EQ(url("站点", " ").Refusal->Text, kWebAddressBlankText);
  EXPECT_EQ(url("站点", "a.cn/\xF0\x9F\x98\x80").Refusal->Focus, EditorField::kTarget);
  EXPECT_EQ(url("a/b", "a.cn").Refusal->Focus, EditorField::kName);
}

TEST(EditorValidation, GroupModeTitleAndFolder) {
  const auto folderExists = [](const std::string& p) {
    return p == "D:\\Tools\\" || p == "D:\\\xE2\x82\xAC";
  };
  struct Case {
    const char* title;
    const char* folder;
    bool folderEnabled;
    const char* expectText;
    EditorField field;
  } cases[] = {
      {"  ", "D:\\Tools\\", true, kTitleBlankText, EditorField::kTitle},
      {"My Tools", "D:\\Tools\\", true, nullptr, EditorField::kNone},  // inner spaces stay
      {"My Tools", "D:\\Nowhere\\", true, "\"D:\\Nowhere\\\"\r\r所选择的路径不存在", EditorField::kFolder},
      {"My Tools", "", false, nullptr, EditorField::kNone},  // web and e-mail groups have no folder
      {"groups", "", false, kReservedTitleText, EditorField::kTitle},
      {"Web  buttons", "", false, kButtonsSuffixTitleText, EditorField::kTitle},
      {"WEB", "", false, "已经有一个名为“WEB”的工具栏", EditorField::kTitle},
      {"a=b", "", false, kKeySyntaxText, EditorField::kTitle},
      {"Tools ", "", false, kOuterBlankText, EditorField::kTitle},
      {"T\nx", "", false, kControlCharText, EditorField::kTitle},
      {"Tools", "D:\\\xE2\x82\xAC", true, nullptr, EditorField::kNone}  // the euro sign is in code page 936
  };
  for (const Case& c : cases) {
    const EditorCheck r = CheckGroupMode({c.title, c.folder, c.folderEnabled, {"Web", "Mail"}}, folderExists);
    if (!c.expectText) {
      EXPECT_FALSE(r) << c.title << ": " << r->Text;
      continue;
    }
    ASSERT_TRUE(r) << c.title;
    EXPECT_NE(r->Text.find(c.expectText), std::string::npos) << r->Text;
    EXPECT_EQ(r->Focus, c.field) << c.title;
  }
}

TEST(EditorValidation, SingleFileNames) {
  for (const char* good : {"Editor", "a.b", "com10", "console", "LPT", "..", "中文"})
    EXPECT_TRUE(IsSingleFileName(good)) << good;
  for (const char* bad : {"", "a\\b", "a/b", "C:x", "a*", "a?", "a\"b", "<a>", "a|b", "NUL", "Com1",
                          "lpt9.txt", "aux .x", "a\x01"})
    EXPECT_FALSE(IsSingleFileName(bad)) << bad;
}

}  // namespace
}  // namespace wendlix
