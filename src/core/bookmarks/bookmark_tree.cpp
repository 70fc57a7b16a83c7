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

// Builds the tree from the parser's events, without a document in between: a large file
// then costs one pass and the tree's own strings.
class BookmarksReader {
 public:
  using string_t = Json::string_t;

  explicit BookmarksReader(BookmarkTree& tree) : tree_(tree) {}
  bool FoundBar() const { return foundBar_; }

  bool null() { return true; }
  bool boolean(bool) { return true; }
  bool number_integer(Json::number_integer_t) { return true; }
  bool number_unsigned(Json::number_unsigned_t) { return true; }
  bool number_float(Json::number_float_t, const string_t&) { return true; }
  bool binary(Json::binary_t&) { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

  bool string(string_t& value) {
    if (skipping_ > 0 || frames_.empty() || frames_.back().What != Kind::kNode) return true;
    Frame& f = frames_.back();
    if (f.Key == "type")
      f.Type = std::move(value);
    else if (f.Key == "name")
      f.Node.Title = std::move(value);
    else if (f.Key == "url")
      f.Node.Url = std::move(value);
    else if (f.Key == "id")
      f.Node.Id = std::move(value);
    else if (f.Key == "guid")
      f.Node.Guid = std::move(value);
    return true;
  }

  bool key(string_t& name) {
    if (skipping_ == 0) frames_.back().Key = std::move(name);
    return true;
  }

  bool start_object(std::size_t) {
    Kind what = Kind::kSkip;
    const Frame* top = frames_.empty() ? nullptr : &frames_.back();
    if (skipping_ > 0)
      what = Kind::kSkip;
    else if (!top)
      what = Kind::kDocument;
    else if (top->What == Kind::kDocument && top->Key == "roots")
      what = Kind::kRoots;
    else if (top->What == Kind::kRoots && BookmarkRoot(tree_, top->Key))
      what = Kind::kNode;
    else if (top->What == Kind::kChildren && nodeDepth_ < kMaxDepth)
      what = Kind::kNode;
    return Enter(what);
  }

  bool end_object() {
    if (skipping_ > 0) return Leave();
    Frame done = std::move(frames_.back());
    frames_.pop_back();
    if (done.What != Kind::kNode) return true;
    --nodeDepth_;
    if (frames_.back().What == Kind::kRoots) return EndRoot(frames_.back().Key, std::move(done));
    // The parent's children array sits between it and this entry.
    BookmarkNode& parent = frames_[frames_.size() - 2].Node;
    if (Keep(done)) parent.Children.push_back(std::move(done.Node));
    return true;
  }

  bool start_array(std::size_t) {
    const bool children = skipping_ == 0 && !frames_.empty() && frames_.back().What == Kind::kNode &&
                          frames_.back().Key == "children";
    return Enter(children ? Kind::kChildren : Kind::kSkip);
  }

  bool end_array() { return skipping_ > 0 ? Leave() : (frames_.pop_back(), true); }

 private:
  enum class Kind : std::uint8_t { kDocument, kRoots, kNode, kChildren, kSkip };
  struct Frame {
    Kind What = Kind::kSkip;
    string_t Key = {};
    string_t Type = {};
    BookmarkNode Node = {};
  };

  // An entry worth a button: a bookmark with an address other than a bookmarklet, or a
  // folder holding one at some depth. Other kinds (a newer browser's) are left out.
  static bool Keep(Frame& f) {
    BookmarkNode& n = f.Node;
    n.Title = OneLine(std::move(n.Title));
    if (f.Type == "folder") {
      n.IsFolder = true;
      n.Url.clear();
      return !n.Children.empty();
    }
    n.Children.clear();
    if (f.Type != "url" || n.Url.empty() || IsBookmarklet(n.Url)) return false;
    if (n.Title.empty()) n.Title = OneLine(n.Url);
    return true;
  }

  // What the tree has no use for is only counted, so that nesting costs nothing.
  bool Enter(Kind what) {
    if (what == Kind::kSkip)
      ++skipping_;
    else
      frames_.push_back({what});
    if (what == Kind::kNode) ++nodeDepth_;
    return true;
  }
  bool Leave() {
    --skipping_;
    return true;
  }

  bool EndRoot(std::string_view key, Frame root) {
    BookmarkNode& into = key == kBookmarkBarRoot      ? tree_.Bar
                         : key == kOtherBookmarksRoot ? tree_.Other
                                                      : tree_.Synced;
    std::string title = std::move(into.Title);
    into = std::move(root.Node);
    into.Title = std::move(title);
    into.Url.clear();
    into.IsFolder = true;
    if (key == kBookmarkBarRoot) foundBar_ = true;
    return true;
  }

  BookmarkTree& tree_;
  std::vector<Frame> frames_;
  int nodeDepth_ = 0;
  std::size_t skipping_ = 0;  // the depth inside an object or array being skipped
  bool foundBar_ = false;
};

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
  BookmarkTree& tree = result.Tree;
  tree.Bar.Title = kBookmarkBarTitle;
  tree.Other.Title = kOtherBookmarksTitle;
  tree.Synced.Title = kSyncedBookmarksTitle;
  tree.Bar.IsFolder = tree.Other.IsFolder = tree.Synced.IsFolder = true;
  BookmarksReader reader(tree);
  if (!Json::sax_parse(json.begin(), json.end(), &reader))
    result.Error = BookmarkReadError::kNotJson;
  else if (!reader.FoundBar())
    result.Error = BookmarkReadError::kWrongShape;
  if (result.Error != BookmarkReadError::kNone) result.Tree = {};
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
