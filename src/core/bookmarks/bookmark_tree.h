// A profile's bookmarks as a Chromium-family browser keeps them (the JSON file
// "Bookmarks" in the profile's folder), read into a tree of folders and addresses.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/bookmarks/bookmark_source.h"

namespace wendlix {

struct BookmarkNode {
  std::string Title;  // UTF-8; a bookmark without a name shows its address, as the browser does
  std::string Url;    // empty for a folder
  std::string Id;     // the browser's id
  std::string Guid;
  bool IsFolder = false;
  std::vector<BookmarkNode> Children;

  bool operator==(const BookmarkNode&) const = default;
};

// The three top folders, titled as the browser shows them. A file without the synced
// folder (older browsers) reads with that folder empty.
struct BookmarkTree {
  BookmarkNode Bar;     // 书签栏
  BookmarkNode Other;   // 其他书签
  BookmarkNode Synced;  // 移动设备书签

  bool operator==(const BookmarkTree&) const = default;
};

inline constexpr std::string_view kBookmarkBarTitle = "书签栏";
inline constexpr std::string_view kOtherBookmarksTitle = "其他书签";
inline constexpr std::string_view kSyncedBookmarksTitle = "移动设备书签";

enum class BookmarkReadError : std::uint8_t {
  kNone,
  kMissing,     // no file (the reader of the file says so; the parser never does)
  kNotJson,     // not JSON at all, or cut short while the browser was writing it
  kWrongShape,  // JSON, but no "roots" object holding a "bookmark_bar" folder
};

struct BookmarkReadResult {
  BookmarkReadError Error = BookmarkReadError::kNone;
  BookmarkTree Tree;  // empty unless Error is kNone

  explicit operator bool() const { return Error == BookmarkReadError::kNone; }
};

// Parses the bytes of a "Bookmarks" file. `javascript:` bookmarklets are left out, and
// then every folder left without a bookmark at any depth (the three roots stay). Entries
// of an unknown type or shape are skipped, not an error: a newer browser may add kinds.
BookmarkReadResult ReadChromiumBookmarks(std::string_view json);

// A profile's folder name and the name the browser shows for it.
struct ProfileName {
  std::string Folder;
  std::string Name;

  bool operator==(const ProfileName&) const = default;
};

// profile.info_cache.<folder>.name of a "Local State" file, by folder name; empty for a
// file that cannot be read as such. Entries without a name are left out.
std::vector<ProfileName> ParseLocalStateProfiles(std::string_view json);

// The root `name` stands for (kBookmarkBarRoot, ...), or nullptr.
const BookmarkNode* BookmarkRoot(const BookmarkTree& tree, std::string_view name);

// The folder `ref` names: by id when a folder has it, else by path; nullptr when neither
// finds one.
const BookmarkNode* FindBookmarkFolder(const BookmarkTree& tree, const BookmarkFolderRef& ref);

// A folder for the group settings' choice, in the browser's order, each before its
// sub-folders. `Shown` is its path as the bar writes it ("书签栏 › 工作").
struct BookmarkFolderEntry {
  BookmarkFolderRef Ref;
  std::string Shown;
  int Depth = 0;  // 0 for a root

  bool operator==(const BookmarkFolderEntry&) const = default;
};
std::vector<BookmarkFolderEntry> ListBookmarkFolders(const BookmarkTree& tree);

// Titles joined as a row of the find box shows a folder path.
std::string ShownBookmarkPath(const std::vector<std::string>& titles);

// Every bookmark under `folder` at any depth, in the browser's order, with the shown path
// of the folder holding it (starting from `folderShown`, the path of `folder` itself).
struct BookmarkEntry {
  const BookmarkNode* Node = nullptr;
  std::string FolderShown;
};
std::vector<BookmarkEntry> ListBookmarks(const BookmarkNode& folder, std::string_view folderShown);

}  // namespace wendlix
