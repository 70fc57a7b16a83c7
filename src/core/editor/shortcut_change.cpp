#include "core/editor/shortcut_change.h"

#include "core/editor/editor_address.h"
#include "core/editor/editor_texts.h"
#include "core/editor/editor_validation.h"
#include "core/shell/link_naming.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

ShortcutChange Refused(std::string message) { return {false, {}, std::move(message)}; }

// A message followed by the file it is about, as the error boxes show it.
std::string AboutFile(const char* text, std::string_view path) {
  return std::string(text) + "\r\r\"" + std::string(path) + "\"";
}

// MakeShortcutFile gives a link its target's folder to work in. A link still working there
// follows its new target; a folder the user chose stays.
bool WorksInTargetFolder(const TShortCutData& link) {
  return SameTextAscii(AddBackslash(link.WorkDir), AddBackslash(ExtractFilePath(link.Target)));
}

// What the replacement holds: everything of the old shortcut but its target. A .pif (not a
// link) and a link that cannot be read give what MakeShortcutFile would write.
TShortCutData ReplacementData(const EditorFiles& files, const std::string& oldPath,
                              std::string_view newTarget) {
  TShortCutData data;
  if (!SameTextAscii(ExtractFileExt(oldPath), ".PIF")) {
    if (std::optional<TShortCutData> old = files.ReadShortcutData(oldPath)) data = std::move(*old);
  }
  const bool url = SameTextAscii(ExtractFileExt(oldPath), ".URL");
  if (!url && WorksInTargetFolder(data)) data.WorkDir = ExtractFilePath(newTarget);
  data.LinkFile = oldPath;  // the kind to write, and for a .url the lines to keep
  data.Target = std::string(newTarget);
  return data;
}

// A name beside `path` for the replacement that then takes its place; empty when none is free.
std::string FreeTemporaryName(const EditorFiles& files, const std::string& path) {
  for (int n = 0; n < 100; ++n) {
    const std::string candidate = path + (n == 0 ? std::string() : "." + std::to_string(n)) + ".tmp";
    if (!files.FileExists(candidate)) return candidate;
  }
  return {};
}

}  // namespace

std::optional<std::string> LinkPathForName(std::string_view folder, std::string_view name) {
  // An empty folder would put the link in whatever the current folder is.
  const std::string base = AddBackslash(folder);
  if (base.empty() || name == "." || name == ".." || !IsSingleFileName(name)) return std::nullopt;
  return base + std::string(name) + ".lnk";
}

ShortcutChange ChangeShortcutFile(EditorFiles& files, std::string_view folder, std::string_view oldPath,
                                  std::string_view newName, std::string_view newTarget) {
  const std::string old(oldPath);
  if (IsBlankField(newName)) return Refused(kNameBlankText);
  if (IsBlankField(newTarget)) return Refused(kTargetBlankText);
  const std::optional<std::string> linkPath = LinkPathForName(folder, newName);
  if (!linkPath) {
    if (AddBackslash(folder).empty()) return Refused(kLinkWriteFailedText);
    return Refused(std::string(kFieldName) + "“" + std::string(newName) + "”" + kFileNameText);
  }
  // Only the button's own shortcut file is ever removed: not a folder named like one.
  if (!IsShortcutFile(old) || files.IsFolder(old)) return Refused(AboutFile(kNotAShortcutText, old));
  if (!files.FileExists(old)) return Refused(AboutFile(kLinkMissingText, old));

  // A .url stays an internet shortcut; a .lnk or .pif becomes a .lnk.
  const bool url = SameTextAscii(ExtractFileExt(old), ".URL");
  const auto withKind = [url](const std::string& lnk) { return url ? ChangeFileExt(lnk, ".url") : lnk; };
  // The name MakeShortcutFile would pick were the old file already gone: the old file's own
  // name when that comes first, which is then replaced in place.
  const std::string free = UniqueLinkPath(*linkPath, [&](const std::string& candidate) {
    const std::string path = withKind(candidate);
    return !SameTextAscii(path, old) && files.FileExists(path);
  });
  if (free.empty()) return Refused(kLinkWriteFailedText);
  const std::string newPath = withKind(free);
  const TShortCutData data = ReplacementData(files, old, newTarget);

  if (SameTextAscii(newPath, old)) {
    const std::string temporary = FreeTemporaryName(files, old);
    if (temporary.empty() || !files.WriteShortcutFile(data, temporary))
      return Refused(AboutFile(kLinkWriteFailedText, newPath));
    if (!files.ReplaceShortcutFile(temporary, old)) {
      files.DeleteFile(temporary);
      return Refused(AboutFile(kLinkReplaceFailedText, old));
    }
    return {true, newPath, {}};
  }
  if (!files.WriteShortcutFile(data, newPath)) return Refused(AboutFile(kLinkWriteFailedText, newPath));
  if (!files.DeleteFile(old)) {
    // The old file stays the button's: take the replacement back.
    files.DeleteFile(newPath);
    return Refused(AboutFile(kLinkDeleteFailedText, old));
  }
  return {true, newPath, {}};
}

}  // namespace wendlix
