#include "core/keyboard/hotkey.h"

#include <gtest/gtest.h>

#include "core/bar/bar_settings.h"
#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

TEST(HotKey, ParsesReadableTextAndWritesItBackCanonically) {
  struct Case {
    const char* Text;
    HotKey Expected;
    const char* Canonical;
  };
  const Case cases[] = {
      {"Win+Alt+W", {kHotKeyWin | kHotKeyAlt, 'W'}, "Win+Alt+W"},
      {" alt + win + w ", {kHotKeyWin | kHotKeyAlt, 'W'}, "Win+Alt+W"},
      {"Control+Shift+F12", {kHotKeyControl | kHotKeyShift, 0x7B}, "Ctrl+Shift+F12"},
      {"ctrl+alt+0", {kHotKeyControl | kHotKeyAlt, '0'}, "Ctrl+Alt+0"},
      {"Windows+Space", {kHotKeyWin, 0x20}, "Win+Space"},
      {"Ctrl+PgDn", {kHotKeyControl, 0x22}, "Ctrl+PageDown"},
      {"Alt+Num7", {kHotKeyAlt, 0x67}, "Alt+Num7"},
      {"F9", {0, 0x78}, "F9"},  // function keys may stand alone
      {"Shift+F24", {kHotKeyShift, 0x87}, "Shift+F24"},
      {"Pause", {0, 0x13}, "Pause"},
      {"", {}, ""},  // none
  };
  for (const Case& c : cases) {
    const std::optional<HotKey> parsed = ParseHotKey(c.Text);
    ASSERT_TRUE(parsed.has_value()) << c.Text;
    EXPECT_EQ(*parsed, c.Expected) << c.Text;
    EXPECT_EQ(FormatHotKey(*parsed), c.Canonical) << c.Text;
    EXPECT_EQ(ParseHotKey(FormatHotKey(*parsed)), parsed) << c.Text;
  }
  EXPECT_EQ(ParseHotKey(kDefaultHotKeyText), kDefaultHotKey);
}

TEST(HotKey, RefusesWhatCannotBeRegisteredOrWouldSwallowTyping) {
  for (const char* text : {"W", "Shift+W", "Shift+Space", "Enter",  // ordinary typing
                           "Win+Alt", "Ctrl+", "+W", "Ctrl++W",     // no key, empty parts
                           "Ctrl+Ctrl+W", "Ctrl+Control+W",         // a modifier twice
                           "Ctrl+W+X", "Hyper+W", "Ctrl+WW", "Ctrl+F0", "Ctrl+F25", "Ctrl+F01", "Alt+Num10",
                           "Ctrl+é", "Ctrl+F1x"}) {
    EXPECT_FALSE(ParseHotKey(text).has_value()) << text;
  }
  // Codes no text names format as nothing rather than as a name that reads back differently.
  EXPECT_EQ(FormatHotKey({kHotKeyControl, 0xBA}), "");
}

TEST(HotKey, StoredKeyIsNewAndLeavesOldFilesAlone) {
  // An old file: the default, and writing it back adds nothing.
  IniFile old = IniFile::FromBytes("[Wendlix V3.0]\r\nEdge=2\r\n");
  BarSettings s = ReadBarSettings(old, 0);
  EXPECT_EQ(s.HotKey, kDefaultHotKeyText);
  EXPECT_FALSE(s.HotKeyStored);
  WriteBarSettings(old, s, 0);
  EXPECT_FALSE(old.ValueExists(kBarSection, "HotKey"));

  // An empty value is "none" and is kept as such; a chosen one is written after the old keys.
  IniFile none = IniFile::FromBytes("[Wendlix V3.0]\r\nHotKey=\r\n");
  s = ReadBarSettings(none, 0);
  EXPECT_TRUE(s.HotKeyStored);
  EXPECT_EQ(s.HotKey, "");
  IniFile fresh = IniFile::FromBytes("");
  s.HotKey = "Ctrl+Alt+K";
  WriteBarSettings(fresh, s, 0);
  EXPECT_EQ(fresh.ToBytes(),
            "[Wendlix V3.0]\r\nAutoHide=1\r\nReLoadSet=0\r\nAutoRun=1\r\nAlwaysOnTop=1\r\n"
            "ActivateByMouseDown=0\r\nFlat Draw=1\r\nGroups=0\r\nActive Delay=800\r\nWidth=86\r\n"
            "Height=0\r\nEdge=2\r\nAutoHideInterval=60\r\nLiveFolders=1\r\nHotKey=Ctrl+Alt+K\r\n");

  // A damaged value is kept as it was (the bar then goes without a hotkey).
  IniFile damaged = IniFile::FromBytes("[Wendlix V3.0]\r\nHotKey=Ctrl+Banana\r\n");
  s = ReadBarSettings(damaged, 0);
  EXPECT_FALSE(ParseHotKey(s.HotKey).has_value());
  WriteBarSettings(damaged, s, 0);
  EXPECT_EQ(damaged.ReadString(kBarSection, "HotKey", ""), "Ctrl+Banana");
}

}  // namespace
}  // namespace wendlix
