// The buttons page of the group editor as plain data: when the list is built, what each
// selection shows and enables, and the new, change, delete and move operations. The
// files of a shortcut group are reached through EditorFiles, so the window layer only
// mirrors this state into its controls.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/editor_entries.h"
#include "core/editor/editor_validation.h"
#include "core/shell/shortcut_data.h"

namespace wendlix {

// What the page needs of the file system and the shell. Implementations never throw.
class EditorFiles {
 public:
  virtual ~EditorFiles() = default;
  // Names in `folder` (ending in "\"): sub-folders, then shortcut files, hidden ones included.
  virtual std::vector<std::string> ListShortcutFiles(const std::string& folder) const = 0;
  virtual bool FileExists(const std::string& path) const = 0;
  // The target a ".lnk" or ".url" file names; empty when it cannot be read.
  virtual std::string ReadLinkTarget(const std::string& path) const = 0;
  // The system small-icon index of a path, for a row's image.
  virtual int SysIconIndex(const std::string& path) const = 0;
  // Removes a file; false when it cannot (gone, read-only, held open, a folder).
  virtual bool DeleteFile(const std::string& path) = 0;
  // Writes a link to `target` at `linkPath` (numbered "(1)", "(2)"... when taken); the
  // path written, or empty on failure.
  virtual std::string MakeShortcutFile(const std::string& target, const std::string& linkPath) = 0;

  // What changing a shortcut needs (ChangeShortcutFile):
  // True for an existing folder (a folder may well be named "x.lnk").
  virtual bool IsFolder(const std::string& path) const = 0;
  // Every field of a ".lnk" file, or of a ".url" file as ReadUrlShortcut gives it; LinkFile
  // is `path`. Nothing when it cannot be read.
  virtual std::optional<TShortCutData> ReadShortcutData(const std::string& path) const = 0;
  // Writes a new shortcut file at `path` exactly (whatever its extension; a path that exists
  // is refused), of the kind of data.LinkFile: for a ".url" an internet shortcut to
  // data.Target keeping every other line of that file, else a link with every field of `data`.
  virtual bool WriteShortcutFile(const TShortCutData& data, const std::string& path) = 0;
  // Puts the file `from` in the place of the existing file `to` in one step; false, both
  // files as they were, when `to` cannot be replaced (read-only, held open, a folder).
  virtual bool ReplaceShortcutFile(const std::string& from, const std::string& to) = 0;
};

// ImageList1 pictures of the rows of web and e-mail groups.
inline constexpr int kWebRowImage = 0;
inline constexpr int kEmailRowImage = 8;
int RowImageForKind(std::uint16_t kind);

// Enabled states of the page's buttons; btnNew is always enabled.
struct ButtonPageControls {
  bool btnNew = true;
  bool btnEdit = false;
  bool btnBrowFile = false;
  bool btnDele = false;
  bool BtnUp = false;
  bool BtnDown = false;
  bool btnBrowFileVisible = false;  // shortcut groups only
  bool operator==(const ButtonPageControls&) const = default;
};

// The detail area under the list: the two edits and the large icon.
struct ButtonDetail {
  enum class Icon : std::uint8_t { kNone, kFileIcon, kImageList1 };
  std::string EditName;
  std::string EditExe;
  Icon IconSource = Icon::kNone;
  std::string IconPath;  // kFileIcon: the path whose icon is shown (empty: system image 4)
  int IconIndex = -1;    // kImageList1
  bool operator==(const ButtonDetail&) const = default;
};

struct PageResult {
  bool Done = false;    // the list changed
  EditorCheck Refusal;  // set: show it and put the focus into its field
  RowChange Rows;
};

class ButtonsPage {
 public:
  // The lists the caller filled in the order of the group's buttons.
  explicit ButtonsPage(std::vector<ButtonEntry> callerEntries = {});

  // Showing the page: builds the list when needed and reports it (kRebuilt), else kNone.
  RowChange Show(std::string_view folderText, std::uint16_t kind, EditorFiles& files);
  // The list is built on the first showing, again when the folder field changed, and
  // when the kind changed since the last build (a new group's kind can still change).
  bool NeedsBuild(std::string_view folderText, std::uint16_t kind) const;
  RowChange Build(std::string_view folderText, std::uint16_t kind, EditorFiles& files);
  // What the commit writes must be rows of the group as the first page now holds it: a list
  // built for another kind (a new group's kind changed since) or another folder is built
  // again, so file names are never stored as addresses. A list never built stays the caller's.
  RowChange BuildForCommit(std::string_view folderText, std::uint16_t kind, EditorFiles& files);

  // A row was selected, or (nullopt) a click left nothing selected.
  void SelectRow(std::optional<std::size_t> row, EditorFiles& files);

  PageResult MoveUp(EditorFiles& files);
  PageResult MoveDown(EditorFiles& files);
  bool CanDrop(std::size_t target) const { return entries_.CanDrop(target); }
  PageResult Drop(std::size_t target, EditorFiles& files);

  // btnNewClick: a blank name or target does nothing and says nothing.
  PageResult New(std::string_view name, std::string_view target, EditorFiles& files);
  // btnEditClick on the selected row. In a shortcut group the row's file is replaced by
  // ChangeShortcutFile; when that fails the row and the folder stay as they were.
  PageResult Change(std::string_view name, std::string_view target, EditorFiles& files);
  // btnDeleClick on the selected row, once the user confirmed DeleteConfirmText().
  PageResult Delete(EditorFiles& files);
  std::string DeleteConfirmText() const;

  // The folder's path of a row's file (kind 0); for the other kinds the folder is empty
  // and this is the address, which names no file.
  std::string EntryPath(std::size_t row) const;

  // The caller's lists until the page is built, the rows after: what the commit writes.
  const ButtonEntries& Entries() const { return entries_; }
  const ButtonPageControls& Controls() const { return controls_; }
  const ButtonDetail& Detail() const { return detail_; }
  bool Built() const { return builtKind_.has_value(); }
  // Set by every operation that changed the list; the dialog adds its own text changes.
  bool Modified() const { return modified_; }

 private:
  void ResetButtonFields(bool enable);
  void ShowSelection(EditorFiles& files);
  std::uint16_t Kind() const { return builtKind_.value_or(0); }
  std::vector<std::string> OtherNames(std::optional<std::size_t> except) const;
  std::optional<EditorRefusal> CheckEntry(std::string_view name, std::string_view target,
                                          std::optional<std::size_t> except) const;
  PageResult Moved(RowChange rows, EditorFiles& files);

  // The rows of the last web or e-mail list (at first the caller's), and the kind they were
  // built for: a new group switched between those kinds, or away and back, keeps them.
  std::vector<ButtonEntry> addressEntries_;
  std::optional<std::uint16_t> addressKind_;
  ButtonEntries entries_;
  std::optional<std::uint16_t> builtKind_;
  std::string listedDir_;
  ButtonPageControls controls_;
  ButtonDetail detail_;
  bool modified_ = false;
};

}  // namespace wendlix
