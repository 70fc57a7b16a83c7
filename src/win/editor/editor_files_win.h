// The editor's view of a shortcut group's folder, on the shell's shortcut-file and folder
// services. Every call answers; a shell failure reads as "no target", "not written" or "not
// removed".
#pragma once
// windows.h comes first: its DeleteFile macro then renames the interface's method alike
// in every file of this layer.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/editor/buttons_page.h"
#include "core/platform/file_io.h"
#include "win/shell/shortcut_files.h"

namespace wendlix {

class WinEditorFiles final : public EditorFiles {
 public:
  // With `deferIcons` SysIconIndex answers -1 at once: the list view then looks up only the
  // rows it shows (a look-up reads the link, which is slow for thousands of them).
  explicit WinEditorFiles(bool deferIcons = false) : deferIcons_(deferIcons) {}
  std::vector<std::string> ListShortcutFiles(const std::string& folder) const override;
  bool FileExists(const std::string& path) const override { return PathExists(path); }
  std::string ReadLinkTarget(const std::string& path) const override;
  int SysIconIndex(const std::string& path) const override;
  bool DeleteFile(const std::string& path) override { return DeleteShortcutFile(path); }
  std::string MakeShortcutFile(const std::string& target, const std::string& linkPath) override;
  bool IsFolder(const std::string& path) const override { return platform::DirectoryExists(path); }
  std::optional<TShortCutData> ReadShortcutData(const std::string& path) const override {
    return ReadShortcutFile(path);
  }
  bool WriteShortcutFile(const TShortCutData& data, const std::string& path) override {
    return wendlix::WriteShortcutFile(data, path);
  }
  bool ReplaceShortcutFile(const std::string& from, const std::string& to) override {
    return wendlix::ReplaceShortcutFile(from, to);
  }

 private:
  bool deferIcons_ = false;
};

}  // namespace wendlix
