// Loading an exchange file into an existing group: what to ask, the group's new record and
// the lines that join its button section. The window layer shows the question, and only
// on OK (or when nothing is asked) copies the record into the group, merges the lines into
// the group file with one save, refills the group and renames its menu entry.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/exchange/exchange_file.h"

namespace wendlix {

class IniFile;

inline constexpr char kImportConflictCaption[] = "替换工具栏";
inline constexpr char kImportErrorCaption[] = "导入工具栏";

struct ImportDecision {
  bool Ask = false;      // the kinds differ: ConfirmBox(Question, kImportConflictCaption)
  std::string Question;  // empty when nothing is asked
  // The group's new record and panel size; its buttons are left to the refill.
  GroupRecord Group;
  // Lines for the button section of Group.Data.Title, already fit for the new kind.
  std::vector<ExchangeLine> Lines;
  // A kind change empties the button section first, so no line of the old kind is read
  // as one of the new kind.
  bool EmptySection = false;
  // The title changed: the group's entry in the groups menu takes Group.Data.Title.
  bool TitleChanged = false;
};

// The decision for `target` (record and panel size) and a checked file. `otherTitles`
// are the titles of every other group of the bar. Nothing for a damaged file: the caller
// shows ImportErrorText and changes nothing.
std::optional<ImportDecision> DecideImport(const GroupRecord& target, const ExchangeFile& file,
                                           const std::vector<std::string>& otherTitles);

// The conflict question naming both kinds.
std::string ImportConflictQuestion(std::uint16_t groupKind, std::uint16_t fileKind);

// The text of the error box for a damaged file, naming it.
std::string ImportErrorText(const std::string& path, ExchangeFault fault);
// Why a file was refused, one sentence.
std::string ExchangeFaultReason(ExchangeFault fault);

// Lines of a file for a group of `kind`: a shortcut group's lines must name entries of
// its own folder, so other values are dropped; the lines only carry the saved order.
std::vector<ExchangeLine> LinesForKind(const std::vector<ExchangeLine>& lines, std::uint16_t kind);

// Writes `lines` into the button section of `title` in the group file, after erasing the
// section when `emptyFirst`. Lines of other names stay; a line of an existing name
// (compared ignoring case) replaces it. Only the document changes: the caller saves once.
void MergeButtonLines(IniFile& gpf, std::string_view title, const std::vector<ExchangeLine>& lines,
                      bool emptyFirst);

// The group-file part of an accepted import.
void ApplyImport(IniFile& gpf, const ImportDecision& decision);

}  // namespace wendlix
