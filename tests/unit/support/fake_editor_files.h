// The editor's files in memory, for the buttons page and shortcut-change tests. Paths are
// compared ignoring ASCII case, as Windows does; every write, removal and replacement is
// logged in order, so tests can tell what happened first.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/editor/buttons_page.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix::testing_support {

class FakeEditorFiles : public EditorFiles {
 public:
  struct File {
    TShortCutData Data;     // Data.LinkFile is the path as spelled
    bool Internet = false;  // written as an internet shortcut
    bool Folder = false;
    bool operator==(const File&) const = default;
  };
  std::map<std::string, File> files;  // upper-cased path -> file
  std::set<std::string> undeletable;  // paths that cannot be removed or replaced (read-only)
  std::vector<std::string> log;       // "write P", "delete P", "replace A>B"
  bool failWrites = false;

  void Add(const std::string& path, const std::string& target = "") {
    TShortCutData data;
    data.LinkFile = path;
    data.Target = target;
    Add(data);
  }
  void Add(const TShortCutData& data) {
    files[ToUpperAscii(data.LinkFile)] = {data, SameTextAscii(ExtractFileExt(data.LinkFile), ".URL"), false};
  }
  void AddFolder(const std::string& path) {
    TShortCutData data;
    data.LinkFile = path;
    files[ToUpperAscii(path)] = {data, false, true};
  }
  bool Has(const std::string& path) const { return files.count(ToUpperAscii(path)) != 0; }
  const File& At(const std::string& path) const { return files.at(ToUpperAscii(path)); }

  std::vector<std::string> ListShortcutFiles(const std::string& folder) const override {
    std::vector<std::string> names;
    for (const auto& [key, file] : files)
      if (StartsWithTextAscii(key, folder)) names.push_back(file.Data.LinkFile.substr(folder.size()));
    return names;
  }
  bool FileExists(const std::string& path) const override { return Has(path); }
  std::string ReadLinkTarget(const std::string& path) const override {
    return Has(path) ? At(path).Data.Target : std::string();
  }
  int SysIconIndex(const std::string& path) const override { return static_cast<int>(path.size()); }
  bool DeleteFile(const std::string& path) override {
    log.push_back("delete " + path);
    if (undeletable.count(path) || !Has(path) || At(path).Folder) return false;
    return files.erase(ToUpperAscii(path)) == 1;
  }
  std::string MakeShortcutFile(const std::string& target, const std::string& linkPath) override {
    if (failWrites) return {};
    std::string path = linkPath;
    for (int n = 1; Has(path); ++n)
      path = linkPath.substr(0, linkPath.size() - 4) + "(" + std::to_string(n) + ").lnk";
    TShortCutData data;
    data.LinkFile = path;
    data.Target = target;
    data.WorkDir = ExtractFilePath(target);
    Add(data);
    log.push_back("write " + path);
    return path;
  }
  bool IsFolder(const std::string& path) const override { return Has(path) && At(path).Folder; }
  std::optional<TShortCutData> ReadShortcutData(const std::string& path) const override {
    if (!Has(path) || At(path).Folder) return std::nullopt;
    return At(path).Data;
  }
  bool WriteShortcutFile(const TShortCutData& data, const std::string& path) override {
    log.push_back("write " + path);
    if (failWrites || Has(path)) return false;
    File file{data, SameTextAscii(ExtractFileExt(data.LinkFile), ".URL"), false};
    file.Data.LinkFile = path;
    files[ToUpperAscii(path)] = file;
    return true;
  }
  bool ReplaceShortcutFile(const std::string& from, const std::string& to) override {
    log.push_back("replace " + from + ">" + to);
    if (!Has(from) || !Has(to) || undeletable.count(to) || At(to).Folder) return false;
    File moved = At(from);
    moved.Data.LinkFile = to;
    files.erase(ToUpperAscii(from));
    files[ToUpperAscii(to)] = moved;
    return true;
  }
};

}  // namespace wendlix::testing_support
