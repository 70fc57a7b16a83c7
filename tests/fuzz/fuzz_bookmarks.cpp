// Arbitrary bytes as a browser's "Bookmarks" and "Local State" files: reading never
// crashes, and a tree read cleanly holds only what a group can show, every folder listed
// for the group settings is found again by its stored form, and every bookmark is reached.
#include <string>
#include <string_view>

#include "core/bookmarks/bookmark_tree.h"
#include "core/text/ascii.h"
#include "core/text/utf8.h"
#include "support/fuzz_check.h"

namespace {

using namespace wendlix;
using fuzz_support::Check;

std::size_t CheckNode(const BookmarkNode& node, bool root) {
  Check(IsValidUtf8(node.Title), "a title that is not UTF-8");
  for (char c : node.Title) Check(static_cast<unsigned char>(c) >= 0x20, "a title of more than one line");
  if (!node.IsFolder) {
    Check(!node.Title.empty() && !node.Url.empty() && node.Children.empty(),
          "a bookmark without title or address");
    const std::size_t start = node.Url.find_first_not_of(" \t");
    Check(!StartsWithTextAscii(std::string_view(node.Url).substr(start), "javascript:"), "a bookmarklet");
    return 1;
  }
  Check(root || !node.Children.empty(), "an empty folder");
  std::size_t bookmarks = 0;
  for (const BookmarkNode& child : node.Children) bookmarks += CheckNode(child, false);
  Check(root || bookmarks > 0, "a folder without bookmarks");
  return bookmarks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const ProfileName& p : ParseLocalStateProfiles(bytes))
    Check(!p.Name.empty(), "a profile without a name");
  const BookmarkReadResult read = ReadChromiumBookmarks(bytes);
  Check(read || read.Tree == BookmarkTree{}, "a tree beside an error");
  if (!read) return 0;
  const BookmarkTree& tree = read.Tree;
  std::size_t bookmarks = 0;
  for (const BookmarkNode* root : {&tree.Bar, &tree.Other, &tree.Synced}) bookmarks += CheckNode(*root, true);
  std::size_t reached = 0;
  for (const BookmarkFolderEntry& e : ListBookmarkFolders(tree)) {
    const BookmarkNode* folder = FindBookmarkFolder(tree, e.Ref);
    Check(folder && folder->IsFolder, "a listed folder not found again");
    if (e.Depth == 0) reached += ListBookmarks(*folder, e.Shown).size();
  }
  Check(reached == bookmarks, "a bookmark the find box would not reach");
  return 0;
}
