// The editor's view of a shortcut group's folder, on the shell-link and folder services.
// Every call answers; a shell failure reads as "no target", "not written" or "not removed".
#pragma once
// windows.h comes first: its DeleteFile macro then renames the interface's method alike
// in every file of this layer.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/editor/buttons_page.h"

namespace wendlix {

class WinEditorFiles final : public EditorFiles {
 public:
  // With `deferIcons` SysIconIndex answers -1 at once: the list view then looks up only the
  // rows it shows (a look-up reads the link, which is slow for thousands of them).
  explicit WinEditorFiles(bool deferIcons = false) : deferIcons_(deferIcons) {}
  std::vector<std::string> ListShortcutFiles(const std::string& folder) const override;
  bool FileExists(const std::string& path) const override;
  std::string ReadLinkTarget(const std::string& path) const override;
  int SysIconIndex(const std::string& path) const override;
  bool DeleteFile(const std::string& path) override;
  std::string MakeShortcutFile(const std::string& target, const std::string& linkPath) override;
  bool IsFolder(const std::string& path) const override;
  std::optional<TShortCutData> ReadShortcutData(const std::string& path) const override;
  bool WriteShortcutFile(const TShortCutData& data, const std::string& path) override;
  bool ReplaceShortcutFile(const std::string& from, const std::string& to) override;

 private:
  bool deferIcons_ = false;
};

// True for an existing file or folder.
bool PathExists(const std::string& path);
// True for an existing folder.
bool FolderExists(const std::string& path);

}  // namespace wendlix
