#include <gtest/gtest.h>

#include "core/shell/shortcut_listing.h"

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
            (V{"kept", "a.scf", "Z.Scf", "b.lnk", "UPPER.LNK", "folder.lnk", "ro.pif", "site.url"}));
  EXPECT_EQ(list(true, true), (V{"kept", "sub", "hiddendir", "folder.lnk", "a.scf", "Z.Scf", "b.lnk",
                                 "hidden.lnk", "UPPER.LNK", "folder.lnk", "ro.pif", "site.url"}));
  EXPECT_EQ(ListingAttributeMask(false), 49u);
  EXPECT_EQ(ListingAttributeMask(true), 51u);
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
