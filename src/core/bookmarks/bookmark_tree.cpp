#include "core/bookmarks/bookmark_tree.h"

#include <nlohmann/json.hpp>

#include "core/text/ascii.h"

namespace wendlix {

namespace {

using Json = nlohmann::json;

// Deeper folders are left out: the walk recurses, and no browser's user nests this far.
constexpr int kMaxDepth = 64;

std::string StringMember(const Json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// A title is one line on a button and a key of the group file.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

bool IsBookmarklet(std::string_view url) {
  while (!url.empty() && (url.front() == ' ' || url.front() == '\t')) url.remove_prefix(1);
  return StartsWithTextAscii(url, "javascript:");
}

void ReadChildren(const Json& folder, BookmarkNode& into, int depth);

// Nothing when the entry is skipped: a bookmarklet, an empty folder, an unknown kind.
bool ReadNode(const Json& entry, BookmarkNode& node, int depth) {
  if (!entry.is_object()) return false;
  const std::string type = StringMember(entry, "type");
  node.Id = StringMember(entry, "id");
  node.Guid = StringMember(entry, "guid");
  node.Title = OneLine(StringMember(entry, "name"));
  if (type == "url") {
    node.Url = StringMember(entry, "url");
    if (node.Url.empty() || IsBookmarklet(node.Url)) return false;
    if (node.Title.empty()) node.Title = OneLine(node.Url);
    return true;
  }
  if (type != "folder" || depth >= kMaxDepth) return false;
  node.IsFolder = true;
  ReadChildren(entry, node, depth + 1);
  return !node.Children.empty();
}

void ReadChildren(const Json& folder, BookmarkNode& into, int depth) {
  const auto it = folder.find("children");
  if (it == folder.end() || !it->is_array()) return;
  into.Children.reserve(it->size());
  for (const Json& entry : *it) {
    BookmarkNode node;
    if (ReadNode(entry, node, depth)) into.Children.push_back(std::move(node));
  }
}

BookmarkNode ReadRoot(const Json& roots, std::string_view key, std::string_view title) {
  BookmarkNode root;
  root.IsFolder = true;
  root.Title = std::string(title);
  const auto it = roots.find(key);
  if (it == roots.end() || !it->is_object()) return root;
  root.Id = StringMember(*it, "id");
  root.Guid = StringMember(*it, "guid");
  ReadChildren(*it, root, 1);
  return root;
}

const BookmarkNode* FindById(const BookmarkNode& folder, std::string_view id) {
  if (folder.Id == id) return &folder;
  for (const BookmarkNode& child : folder.Children)
    if (child.IsFolder)
      if (const BookmarkNode* found = FindById(child, id)) return found;
  return nullptr;
}

void ListFolders(const BookmarkNode& folder, BookmarkFolderRef ref, std::vector<std::string>& titles,
                 std::vector<BookmarkFolderEntry>& out) {
  out.push_back({ref, ShownBookmarkPath(titles), static_cast<int>(titles.size()) - 1});
  for (const BookmarkNode& child : folder.Children) {
    if (!child.IsFolder) continue;
    BookmarkFolderRef sub{child.Id, ref.Path};
    sub.Path.push_back(child.Title);
    titles.push_back(child.Title);
    ListFolders(child, std::move(sub), titles, out);
    titles.pop_back();
  }
}

void CollectBookmarks(const BookmarkNode& folder, const std::string& shown, std::vector<BookmarkEntry>& out) {
  for (const BookmarkNode& child : folder.Children) {
    if (child.IsFolder)
      CollectBookmarks(child, ShownBookmarkPath({shown, child.Title}), out);
    else
      out.push_back({&child, shown});
  }
}

}  // namespace

BookmarkReadResult ReadChromiumBookmarks(std::string_view json) {
  BookmarkReadResult result;
  const Json doc = Json::parse(json.begin(), json.end(), nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded()) {
    result.Error = BookmarkReadError::kNotJson;
    return result;
  }
  const auto roots = doc.is_object() ? doc.find("roots") : doc.end();
  if (roots == doc.end() || !roots->is_object() || !roots->contains(kBookmarkBarRoot) ||
      !(*roots)[std::string(kBookmarkBarRoot)].is_object()) {
    result.Error = BookmarkReadError::kWrongShape;
    return result;
  }
  result.Tree.Bar = ReadRoot(*roots, kBookmarkBarRoot, kBookmarkBarTitle);
  result.Tree.Other = ReadRoot(*roots, kOtherBookmarksRoot, kOtherBookmarksTitle);
  result.Tree.Synced = ReadRoot(*roots, kSyncedBookmarksRoot, kSyncedBookmarksTitle);
  return result;
}

std::vector<ProfileName> ParseLocalStateProfiles(std::string_view json) {
  std::vector<ProfileName> names;
  const Json doc = Json::parse(json.begin(), json.end(), nullptr, false);
  if (!doc.is_object()) return names;
  const auto profile = doc.find("profile");
  if (profile == doc.end() || !profile->is_object()) return names;
  const auto cache = profile->find("info_cache");
  if (cache == profile->end() || !cache->is_object()) return names;
  for (const auto& [folder, info] : cache->items()) {
    if (!info.is_object()) continue;
    std::string name = OneLine(StringMember(info, "name"));
    if (!name.empty()) names.push_back({folder, std::move(name)});
  }
  return names;
}

const BookmarkNode* BookmarkRoot(const BookmarkTree& tree, std::string_view name) {
  if (name == kBookmarkBarRoot) return &tree.Bar;
  if (name == kOtherBookmarksRoot) return &tree.Other;
  if (name == kSyncedBookmarksRoot) return &tree.Synced;
  return nullptr;
}

const BookmarkNode* FindBookmarkFolder(const BookmarkTree& tree, const BookmarkFolderRef& ref) {
  if (!ref.Id.empty())
    for (const BookmarkNode* root : {&tree.Bar, &tree.Other, &tree.Synced})
      for (const BookmarkNode& child : root->Children)
        if (child.IsFolder)
          if (const BookmarkNode* found = FindById(child, ref.Id)) return found;
  if (ref.Path.empty()) return nullptr;
  const BookmarkNode* folder = BookmarkRoot(tree, ref.Path.front());
  for (std::size_t i = 1; folder && i < ref.Path.size(); ++i) {
    const BookmarkNode* next = nullptr;
    for (const BookmarkNode& child : folder->Children)
      if (child.IsFolder && child.Title == ref.Path[i]) {
        next = &child;
        break;
      }
    folder = next;
  }
  return folder;
}

std::vector<BookmarkFolderEntry> ListBookmarkFolders(const BookmarkTree& tree) {
  std::vector<BookmarkFolderEntry> out;
  std::vector<std::string> titles;
  for (std::string_view key : {kBookmarkBarRoot, kOtherBookmarksRoot, kSyncedBookmarksRoot}) {
    const BookmarkNode& root = *BookmarkRoot(tree, key);
    titles.assign(1, root.Title);
    ListFolders(root, BookmarkFolderRef{{}, {std::string(key)}}, titles, out);
  }
  return out;
}

std::string ShownBookmarkPath(const std::vector<std::string>& titles) {
  std::string shown;
  for (const std::string& title : titles) {
    if (!shown.empty()) shown += " › ";
    shown += title;
  }
  return shown;
}

std::vector<BookmarkEntry> ListBookmarks(const BookmarkNode& folder, std::string_view folderShown) {
  std::vector<BookmarkEntry> out;
  CollectBookmarks(folder, std::string(folderShown), out);
  return out;
}

}  // namespace wendlix
