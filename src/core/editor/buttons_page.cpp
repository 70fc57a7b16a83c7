#include "core/editor/buttons_page.h"

#include "core/bar/panel_data.h"
#include "core/editor/editor_address.h"
#include "core/editor/editor_texts.h"
#include "core/editor/shortcut_change.h"
#include "core/shell/ordered_merge.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

EditorRefusal PageRefusal(const char* text, EditorField focus) {
  return EditorRefusal{text, kEditorErrorCaption, focus};
}

const char* TargetBlankText(std::uint16_t kind) {
  if (kind == gkShortcut) return kTargetBlankText;
  return kind == gkWeb ? kWebAddressBlankText : kEmailAddressBlankText;
}

}  // namespace

int RowImageForKind(std::uint16_t kind) { return kind == gkWeb ? kWebRowImage : kEmailRowImage; }

ButtonsPage::ButtonsPage(std::vector<ButtonEntry> callerEntries)
    : addressEntries_(callerEntries), entries_(std::move(callerEntries)) {}

bool ButtonsPage::NeedsBuild(std::string_view folderText, std::uint16_t kind) const {
  if (!builtKind_ || *builtKind_ != kind) return true;
  if (!listedDir_.empty()) return listedDir_ != folderText;
  return entries_.Empty();
}

RowChange ButtonsPage::Show(std::string_view folderText, std::uint16_t kind, EditorFiles& files) {
  if (!NeedsBuild(folderText, kind)) return {};
  return Build(folderText, kind, files);
}

RowChange ButtonsPage::BuildForCommit(std::string_view folderText, std::uint16_t kind, EditorFiles& files) {
  return Built() ? Show(folderText, kind, files) : RowChange{};
}

RowChange ButtonsPage::Build(std::string_view folderText, std::uint16_t kind, EditorFiles& files) {
  if (builtKind_ && *builtKind_ != gkShortcut) {
    addressEntries_ = entries_.Entries();
    addressKind_ = builtKind_;
  }
  listedDir_ = std::string(folderText);
  builtKind_ = kind;
  ResetButtonFields(false);
  std::vector<ButtonEntry> built;
  if (kind == gkShortcut) {
    const std::string folder = AddBackslash(listedDir_);
    // No folder yet lists nothing (an empty path would list the current folder).
    const std::vector<std::string> listing =
        folder.empty() ? std::vector<std::string>{} : files.ListShortcutFiles(folder);
    for (std::string& value : MergeOrderedList(entries_.BtnValues(), listing)) {
      const int image = files.SysIconIndex(folder + value);
      built.push_back({ExtractFileBaseName(value), std::move(value), image});
    }
  } else {
    // Rows built from a folder mean nothing here: the last addresses come back, and those
    // typed for the other address kind keep what was typed after the prefix.
    built = addressEntries_;
    for (ButtonEntry& e : built) {
      if (addressKind_ && *addressKind_ != kind)
        e.Value = PageAddress(AddressForEdit(e.Value, *addressKind_), kind);
      e.ImageIndex = RowImageForKind(kind);
    }
  }
  entries_.Assign(std::move(built));
  controls_.btnBrowFileVisible = kind == gkShortcut;
  if (!entries_.Empty()) SelectRow(0, files);
  return {RowChange::Kind::kRebuilt, 0, 0};
}

void ButtonsPage::ResetButtonFields(bool enable) {
  detail_ = ButtonDetail{};
  controls_.btnEdit = controls_.btnBrowFile = controls_.btnDele = enable;
  controls_.BtnUp = controls_.BtnDown = enable;
}

std::string ButtonsPage::EntryPath(std::size_t row) const {
  return row < entries_.Count() ? AddBackslash(listedDir_) + entries_[row].Value : std::string();
}

void ButtonsPage::SelectRow(std::optional<std::size_t> row, EditorFiles& files) {
  entries_.Select(row);
  if (!entries_.Selected()) {
    ResetButtonFields(false);
    return;
  }
  ShowSelection(files);
}

void ButtonsPage::ShowSelection(EditorFiles& files) {
  const std::size_t i = *entries_.Selected();
  const ButtonEntry& e = entries_[i];
  if (!controls_.btnEdit) ResetButtonFields(true);
  controls_.BtnUp = entries_.CanMoveUp();
  controls_.BtnDown = entries_.CanMoveDown();
  detail_.EditName = e.Name;
  const std::uint16_t kind = Kind();
  if (kind != gkShortcut) {
    detail_.EditExe = AddressForEdit(e.Value, kind);
    detail_.IconSource = ButtonDetail::Icon::kImageList1;
    detail_.IconIndex = RowImageForKind(kind);
    return;
  }
  const std::string path = EntryPath(i);
  if (!IsShortcutFile(path)) {
    // Sub-folders and ".SCF" files can be moved, not changed or deleted.
    ResetButtonFields(false);
    controls_.BtnUp = entries_.CanMoveUp();
    controls_.BtnDown = entries_.CanMoveDown();
    return;
  }
  if (!files.FileExists(path)) {
    // A vanished file shows no target, rather than the previous row's.
    detail_.EditExe.clear();
    detail_.IconSource = ButtonDetail::Icon::kNone;
    detail_.IconPath.clear();
    return;
  }
  const bool pif = SameTextAscii(ExtractFileExt(path), ".PIF");
  detail_.EditExe = pif ? std::string() : files.ReadLinkTarget(path);
  detail_.IconSource = ButtonDetail::Icon::kFileIcon;
  detail_.IconPath = detail_.EditExe;
}

PageResult ButtonsPage::Moved(RowChange rows, EditorFiles& files) {
  modified_ = true;
  ShowSelection(files);
  return {true, std::nullopt, rows};
}

PageResult ButtonsPage::MoveUp(EditorFiles& files) {
  const std::size_t from = entries_.Selected().value_or(0);
  if (!entries_.MoveUp()) return {};
  return Moved({RowChange::Kind::kSwapped, from, from - 1}, files);
}

PageResult ButtonsPage::MoveDown(EditorFiles& files) {
  const std::size_t from = entries_.Selected().value_or(0);
  if (!entries_.MoveDown()) return {};
  return Moved({RowChange::Kind::kSwapped, from, from + 1}, files);
}

PageResult ButtonsPage::Drop(std::size_t target, EditorFiles& files) {
  const std::size_t from = entries_.Selected().value_or(0);
  if (!entries_.Drop(target)) return {};
  return Moved({RowChange::Kind::kMoved, from, target}, files);
}

std::vector<std::string> ButtonsPage::OtherNames(std::optional<std::size_t> except) const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < entries_.Count(); ++i)
    if (i != except) names.push_back(entries_[i].Name);
  return names;
}

std::optional<EditorRefusal> ButtonsPage::CheckEntry(std::string_view name, std::string_view target,
                                                     std::optional<std::size_t> except) const {
  const std::uint16_t kind = Kind();
  if (EditorCheck c = CheckButtonName(name, kind, OtherNames(except), EditorField::kRowName)) return c;
  if (kind != gkShortcut) return CheckAddress(target, EditorField::kRowTarget);
  // Without a folder the link would be written relative to the program's current folder.
  if (AddBackslash(listedDir_).empty()) return PageRefusal(kNoFolderText, EditorField::kRowName);
  return std::nullopt;
}

PageResult ButtonsPage::New(std::string_view name, std::string_view target, EditorFiles& files) {
  if (!Built() || IsBlankField(name) || IsBlankField(target)) return {};
  if (EditorCheck c = CheckEntry(name, target, std::nullopt)) return {false, c, {}};
  const std::uint16_t kind = Kind();
  ButtonEntry entry;
  if (kind == gkShortcut) {
    const std::optional<std::string> linkPath = LinkPathForName(listedDir_, name);
    if (!linkPath) return {false, PageRefusal(kLinkWriteFailedText, EditorField::kRowName), {}};
    const std::string written = files.MakeShortcutFile(std::string(target), *linkPath);
    if (written.empty()) return {false, PageRefusal(kLinkWriteFailedText, EditorField::kRowName), {}};
    // The row names the file actually written, which is numbered when the name was taken.
    entry = {ExtractFileBaseName(written), ExtractFileName(written), files.SysIconIndex(std::string(target))};
  } else {
    entry = {std::string(name), PageAddress(target, kind), RowImageForKind(kind)};
  }
  entries_.Append(std::move(entry));
  modified_ = true;
  const std::size_t row = entries_.Count() - 1;
  return {true, std::nullopt, {RowChange::Kind::kAppended, row, row}};
}

PageResult ButtonsPage::Change(std::string_view name, std::string_view target, EditorFiles& files) {
  if (!Built() || !entries_.Selected()) return {};
  const std::uint16_t kind = Kind();
  if (IsBlankField(name)) return {false, PageRefusal(kNameBlankText, EditorField::kRowName), {}};
  if (IsBlankField(target)) return {false, PageRefusal(TargetBlankText(kind), EditorField::kRowTarget), {}};
  const std::size_t i = *entries_.Selected();
  if (EditorCheck c = CheckEntry(name, target, i)) return {false, c, {}};
  ButtonEntry entry = entries_[i];
  if (kind == gkShortcut) {
    if (!IsShortcutFile(entry.Value)) return {};
    const ShortcutChange change = ChangeShortcutFile(files, listedDir_, EntryPath(i), name, target);
    if (!change.Changed) return {false, PageRefusal(change.Message.c_str(), EditorField::kNone), {}};
    // The row names the file now written, numbered when the name was taken.
    entry = {ExtractFileBaseName(change.NewPath), ExtractFileName(change.NewPath),
             files.SysIconIndex(std::string(target))};
  } else {
    entry.Name = std::string(name);
    entry.Value = PageAddress(target, kind);
  }
  entries_.Replace(i, std::move(entry));
  modified_ = true;
  ShowSelection(files);
  return {true, std::nullopt, {RowChange::Kind::kReplaced, i, i}};
}

std::string ButtonsPage::DeleteConfirmText() const {
  if (!entries_.Selected()) return {};
  return "你是否确认要删除按钮:\"" + entries_[*entries_.Selected()].Name + "\"?";
}

PageResult ButtonsPage::Delete(EditorFiles& files) {
  if (!Built() || !entries_.Selected()) return {};
  const std::size_t i = *entries_.Selected();
  if (Kind() == gkShortcut) {
    // Only shortcut files are deleted; a file that cannot be deleted keeps its row.
    if (!IsShortcutFile(entries_[i].Value) || !files.DeleteFile(EntryPath(i))) return {};
  }
  entries_.Remove(i);
  modified_ = true;
  SelectRow(entries_.Selected(), files);
  return {true, std::nullopt, {RowChange::Kind::kRemoved, i, i}};
}

}  // namespace wendlix
