#include "win/exchange/exchange_commands.h"

#include <commdlg.h>

#include <cwchar>

#include "core/bar/bar_texts.h"
#include "core/bar/group_file.h"
#include "core/exchange/exchange_export.h"
#include "core/exchange/exchange_file.h"
#include "core/exchange/exchange_import.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "win/common/wide.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// Long enough for any path the shell hands back without the dialog refusing it.
constexpr DWORD kPathBufferChars = 32768;

// Runs the open or save dialog. A suggested name the dialog refuses (it reports an
// error rather than a cancel) is dropped and the dialog shown again without it.
std::optional<std::string> RunFileDialog(HWND owner, const std::string& title, bool save) {
  std::wstring filter = ToWide(kExchangeFileFilter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');  // c_str() adds the second terminator
  const std::wstring defExt = ToWide(kExchangeDefaultExt);
  std::wstring suggestion = ToWide(ExchangeFileNameSuggestion(title));
  if (suggestion.size() >= kPathBufferChars) suggestion.clear();
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::wstring buffer(kPathBufferChars, L'\0');
    if (attempt == 0) suggestion.copy(buffer.data(), suggestion.size());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kPathBufferChars;
    ofn.lpstrDefExt = defExt.c_str();
    // The bar's own folder stays the current one whatever the user browses to.
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (ok) {
      buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
      return FromWide(buffer);
    }
    if (CommDlgExtendedError() == 0) return std::nullopt;  // cancelled
  }
  return std::nullopt;
}

// Titles an import must not take besides the ones the bar names: every group the group
// file lists, this group's own title excepted.
std::vector<std::string> TakenTitles(const GroupPanel& group, const std::string& groupFile,
                                     const std::vector<std::string>& otherTitles) {
  std::vector<std::string> taken = otherTitles;
  for (std::string& title : IniFile(groupFile).ReadSection(kGroupsSection)) {
    if (!SameTextAscii(title, group.Data.Title)) taken.push_back(std::move(title));
  }
  return taken;
}

}  // namespace

std::optional<std::string> ChooseExportPath(HWND owner, const std::string& title) {
  return RunFileDialog(owner, title, true);
}

std::optional<std::string> ChooseImportPath(HWND owner, const std::string& title) {
  return RunFileDialog(owner, title, false);
}

ExchangeOutcome ExportGroupTo(const GroupPanel& group, const std::string& groupFile,
                              const std::string& chosen, const ExchangeQuestion& confirmReplace) {
  ExchangeOutcome out;
  out.Path = ExportFilePath(chosen);
  // The export replaces the whole file, so an existing one goes only when the user agrees.
  if (platform::FileExists(out.Path) && !(confirmReplace && confirmReplace(ExportReplaceQuestion(out.Path))))
    return out;
  GroupRecord record;
  if (ShownAsBand(group.Data)) {
    record = PanelRecord(group);
  } else {
    // A collapsed or hidden group was never filled, or not since: its buttons come from
    // the group file and its folder, as a refill without saving would give them.
    GroupPanel filled = group;
    FillByKind(filled, IniFile(groupFile), DiskShortcutFolder{});
    record = PanelRecord(filled);
  }
  const ExchangeExport exported = ExportGroup(record, group.Visible);
  if (!SaveExport(out.Path, exported)) {
    out.Error = ExportFailedText(out.Path);
    return out;
  }
  out.Changed = true;
  if (!exported.Skipped.empty()) out.Warning = ExportSkippedText(out.Path, exported.Skipped);
  return out;
}

ExchangeOutcome ImportGroupFrom(GroupPanel& group, const ImportFiles& files, const std::string& chosen,
                                const std::vector<std::string>& otherTitles,
                                const ExchangeQuestion& confirmKind) {
  const std::string& groupFile = files.GroupFile;
  ExchangeOutcome out;
  out.Path = ImportFilePath(chosen);
  const ExchangeFile file = LoadExchangeFile(out.Path, ExchangeReading::kImport);
  const GroupRecord target{group.Data, group.Width, group.Height, {}};
  const std::optional<ImportDecision> decision =
      DecideImport(target, file, TakenTitles(group, groupFile, otherTitles));
  if (!decision) {
    out.Error = ImportErrorText(out.Path, file.Fault);
    return out;
  }
  if (decision->Ask && !(confirmKind && confirmKind(decision->Question))) return out;
  // The lines and the new record go into the group file together, beside the old title's
  // sections, which go only once the list names the new title.
  std::vector<GroupListEntry> list = files.List;
  const GroupListEntry entry{decision->Group.Data.Title, decision->Group.Data.Directory};
  if (group.Tag >= 0 && group.Tag < static_cast<int>(list.size()))
    list[group.Tag] = entry;
  else
    list.push_back(entry);
  const GroupListChange change{[&](IniFile& gpf) {
                                 ApplyImport(gpf, *decision);
                                 SaveGroup(gpf, decision->Group, false);
                               },
                               {group.Data.Title}};
  const std::optional<GroupListStep> failed = SaveGroupListFiles(groupFile, files.SettingsFile, change, list);
  if (failed) out.Error = SaveFailedText(*failed == GroupListStep::kList ? files.SettingsFile : groupFile);
  if (failed == GroupListStep::kWriteGroups) return out;
  group.Data = decision->Group.Data;
  group.Width = decision->Group.Width;
  group.Height = decision->Group.Height;
  group.Hint = group.Data.Title;
  if (decision->TitleChanged) group.MenuItem.Caption = group.Data.Title;
  out.Changed = true;
  return out;
}

void L1Click(HWND owner, const GroupPanel& group, const std::string& groupFile) {
  try {
    const std::optional<std::string> chosen = ChooseExportPath(owner, group.Data.Title);
    if (!chosen) return;
    const ExchangeOutcome out = ExportGroupTo(group, groupFile, *chosen, [](const std::string& question) {
      return ConfirmBox(question, kExportCaption) == mrOk;
    });
    if (!out.Error.empty())
      ShowErrorBox(out.Error, kExportCaption);
    else if (!out.Warning.empty())
      ShowWarningBox(out.Warning, kExportCaption);
  } catch (...) {
    // A menu command: nothing leaves it.
  }
}

bool I2Click(HWND owner, GroupPanel& group, const ImportFiles& files,
             const std::vector<std::string>& otherTitles) {
  try {
    const std::optional<std::string> chosen = ChooseImportPath(owner, group.Data.Title);
    if (!chosen) return false;
    const ExchangeOutcome out = ImportGroupFrom(
        group, files, *chosen, otherTitles,
        [](const std::string& question) { return ConfirmBox(question, kImportConflictCaption) == mrOk; });
    if (!out.Error.empty()) ShowErrorBox(out.Error, kImportErrorCaption);
    return out.Changed;
  } catch (...) {
    return false;
  }
}

}  // namespace wendlix
