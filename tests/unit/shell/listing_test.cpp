#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "core/shell/shortcut_listing.h"
#include "core/text/name_order.h"

namespace wendlix {
namespace {

using V = std::vector<std::string>;
constexpr std::uint32_t kNormal = 0x80;  // FILE_ATTRIBUTE_NORMAL: none of the mask's bits

TEST(ShellListing, OrderAndAttributeRules) {
  // One folder as the file system enumerates it.
  const std::vector<DirEntry> folder = {{"b.lnk", kAttrArchive},
                                        {"sub", kAttrDirectory},
                                        {".", kAttrDirectory},
                                        {"..", kAttrDirectory},
                                        {"a.scf", kAttrArchive},
                                        {"hidden.lnk", kAttrArchive | kAttrHidden},
                                        {"system.lnk", kAttrArchive | kAttrSystem},
                                        {"hs.url", kAttrArchive | kAttrHidden | kAttrSystem},
                                        {"plain.lnk", kNormal},
                                        {"ro.pif", kAttrReadOnly},
                                        {"site.url", kAttrArchive},
                                        {"hiddendir", kAttrDirectory | kAttrHidden},
                                        {"sysdir", kAttrDirectory | kAttrSystem},
                                        {"near.lnk2", kAttrArchive},
                                        {"lnk", kAttrArchive},
                                        {"UPPER.LNK", kAttrArchive},
                                        {"label.lnk", kAttrArchive | kAttrVolumeLabel},
                                        {"notes.txt", kAttrArchive},
                                        {"folder.lnk", kAttrDirectory},
                                        {"Z.Scf", kAttrReadOnly | kAttrArchive}};
  const auto list = [&](bool includeHidden, bool includeFolders) {
    V names = {"kept"};  // the lister appends
    ListShortcutEntries(folder, names, includeHidden, includeFolders);
    return names;
  };
  // Command files, shortcuts, information files, addresses; never system, volume-label
  // or attribute-less entries, nor near-miss extensions. A folder named like a shortcut
  // matches "*.LNK", as the file system pattern does.
  EXPECT_EQ(list(false, false),
            (V{"kept", "a.scf", "Z.Scf", "b.lnk", "folder.lnk", "UPPER.LNK", "ro.pif", "site.url"}));
  EXPECT_EQ(list(true, true), (V{"kept", "folder.lnk", "hiddendir", "sub", "a.scf", "Z.Scf", "b.lnk",
                                 "folder.lnk", "hidden.lnk", "UPPER.LNK", "ro.pif", "site.url"}));
  EXPECT_EQ(ListingAttributeMask(false), 49u);
  EXPECT_EQ(ListingAttributeMask(true), 51u);
}

// Whatever order the file system returns, each step comes as NTFS keeps it: UTF-16 code
// units upper-cased one by one, so '_' follows the letters, digits go one by one, Chinese
// goes by code unit and a character beyond the BMP (surrogates) before full-width letters.
TEST(ShellListing, EachStepInNtfsOrder) {
  const V sorted = {"10.lnk",           "9.lnk",      "ab.lnk",          "alpha.lnk",
                    "a_b.lnk",          "Beta.lnk",   "README.lnk",      "readme.lnk",
                    "Zeta.lnk",         "_x.lnk",     "\u00e9clair.lnk", "时钟.lnk",
                    "注册表编辑器.lnk", "计算器.lnk", "\U00020000.lnk",  "\uff5a.lnk"};
  V shuffled = sorted;
  std::reverse(shuffled.begin(), shuffled.end());
  std::rotate(shuffled.begin(), shuffled.begin() + 5, shuffled.end());
  std::vector<DirEntry> entries = {{"中文", kAttrDirectory}, {"b", kAttrDirectory}, {"A", kAttrDirectory}};
  for (const std::string& name : shuffled) entries.push_back({name, kAttrArchive});
  entries.push_back({"z.scf", kAttrArchive});
  V expected = {"A", "b", "中文", "z.scf"};
  expected.insert(expected.end(), sorted.begin(), sorted.end());
  V names;
  ListShortcutEntries(entries, names, false, true);
  EXPECT_EQ(names, expected);
}

// The whole upcase table, as a digest: the Win32 tests compare it with the system's code unit by
// code unit, and any change to it shows here too.
TEST(ShellListing, UpcaseTableIsTheOneTheSystemWasComparedWith) {
  std::uint32_t digest = 2166136261u;  // FNV-1a over each upper-cased unit's two bytes
  for (std::uint32_t c = 0; c <= 0xFFFF; ++c) {
    const char16_t u = UpcaseCodeUnit(static_cast<char16_t>(c));
    digest = (digest ^ (u & 0xFFu)) * 16777619u;
    digest = (digest ^ (u >> 8)) * 16777619u;
  }
  EXPECT_EQ(digest, 0x2B089F32u);
}

TEST(ShellListing, FolderHasShortcuts) {
  struct Case {
    std::vector<DirEntry> entries;
    bool expected;
  } cases[] = {
      {{}, false},
      {{{".", kAttrDirectory}, {"..", kAttrDirectory}}, false},
      {{{"a.scf", kAttrArchive}, {"n.txt", kAttrArchive}}, false},  // command files do not count here
      {{{"sub", kAttrDirectory}}, true},
      {{{"sub", kAttrDirectory | kAttrHidden}}, false},
      {{{"a.lnk", kAttrArchive | kAttrSystem}}, false},
      {{{"a.lnk", kNormal}}, false},
      {{{"a.LNK", kAttrReadOnly}}, true},
      {{{"a.pif", kAttrArchive}}, true},
      {{{"a.url", kAttrArchive}}, true},
      {{{"a.url2", kAttrArchive}}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasShortcutEntries(c.entries), c.expected) << c.entries.size();
}

}  // namespace
}  // namespace wendlix
