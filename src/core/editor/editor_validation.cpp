#include "core/editor/editor_validation.h"

#include <array>

#include "core/bar/panel_data.h"
#include "core/editor/editor_address.h"
#include "core/editor/editor_texts.h"
#include "core/text/ascii.h"
#include "core/text/encoding.h"
#include "core/text/utf8.h"

namespace wendlix {
namespace {

EditorRefusal Refuse(std::string text, EditorField focus, const char* caption = kEditorErrorCaption) {
  return EditorRefusal{std::move(text), caption, focus};
}

std::string Quoted(std::string_view s) { return "“" + std::string(s) + "”"; }

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F; }

bool HasControlChar(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();)
    if (IsControl(ReadUtf8(text, pos))) return true;
  return false;
}

// The first character code page 936 has no code for (U+FFFD for broken UTF-8), or nothing.
std::optional<std::string> FirstUnencodable(std::string_view text) {
  if (IsValidUtf8(text) && Utf8ToCp936(text)) return std::nullopt;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t cp = ReadUtf8(text, pos);
    const std::string_view one = text.substr(start, pos - start);
    if (cp == kReplacementChar || !Utf8ToCp936(one)) {
      std::string shown;
      AppendUtf8(shown, cp);
      return shown;
    }
  }
  return std::string("\xEF\xBF\xBD");
}

bool HasOuterBlank(std::string_view s) { return !s.empty() && (s.front() == ' ' || s.back() == ' '); }

bool BreaksKeySyntax(std::string_view s) {
  return !s.empty() && (s.front() == '[' || s.front() == ';' || s.find('=') != std::string_view::npos);
}

bool ContainsTextAscii(const std::vector<std::string>& list, std::string_view s) {
  for (const std::string& item : list)
    if (SameTextAscii(item, s)) return true;
  return false;
}

// Checks shared by titles and names: what the file can hold as a key.
EditorCheck CheckKeyText(std::string_view text, std::string_view field, EditorField focus) {
  if (EditorCheck c = CheckStoredText(text, field, focus)) return c;
  if (HasOuterBlank(text)) return Refuse(std::string(field) + kOuterBlankText, focus);
  if (BreaksKeySyntax(text)) return Refuse(std::string(field) + kKeySyntaxText, focus);
  return std::nullopt;
}

bool IsDeviceName(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view d : kPlain)
    if (SameTextAscii(stem, d)) return true;
  if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9')
    return StartsWithTextAscii(stem, "COM") || StartsWithTextAscii(stem, "LPT");
  return false;
}

std::string FileMissingText(std::string_view path, const char* text) {
  return "\"" + std::string(path) + "\"\r\r" + text;
}

}  // namespace

EditorCheck CheckStoredText(std::string_view text, std::string_view field, EditorField focus) {
  if (HasControlChar(text)) return Refuse(std::string(field) + kControlCharText, focus);
  if (const std::optional<std::string> bad = FirstUnencodable(text))
    return Refuse(std::string(field) + kUnencodableText + Quoted(*bad) + "，" + kUnencodableHint, focus);
  return std::nullopt;
}

bool IsSingleFileName(std::string_view name) {
  if (name.empty() || HasControlChar(name)) return false;
  if (name.find_first_of("\\/:*?\"<>|") != std::string_view::npos) return false;
  return !IsDeviceName(name);
}

EditorCheck CheckButtonName(std::string_view name, std::uint16_t kind,
                            const std::vector<std::string>& otherNames, EditorField focus) {
  if (EditorCheck c = CheckKeyText(name, kFieldName, focus)) return c;
  if (kind == gkShortcut) {
    if (!IsSingleFileName(name)) return Refuse(std::string(kFieldName) + Quoted(name) + kFileNameText, focus);
  } else if (ContainsTextAscii(otherNames, name)) {
    return Refuse("已经有一个名为" + Quoted(name) + "的按钮，请换一个名称！", focus);
  }
  return std::nullopt;
}

EditorCheck CheckAddress(std::string_view address, EditorField focus) {
  return CheckStoredText(address, kFieldAddress, focus);
}

EditorCheck CheckGroupTitle(std::string_view title, const std::vector<std::string>& otherTitles,
                            EditorField focus) {
  if (EditorCheck c = CheckKeyText(title, kFieldTitle, focus)) return c;
  if (SameTextAscii(title, "Groups")) return Refuse(kReservedTitleText, focus);
  if (EndsWithTextAscii(title, "  Buttons")) return Refuse(kButtonsSuffixTitleText, focus);
  if (ContainsTextAscii(otherTitles, title))
    return Refuse("已经有一个名为" + Quoted(title) + "的工具栏，请换一个名称！", focus);
  return std::nullopt;
}

std::uint16_t ButtonModeKind(bool btnBrowVisible, std::string_view label2Caption) {
  if (btnBrowVisible) return gkShortcut;
  return label2Caption == kLabel2Web ? gkWeb : gkEmail;
}

const char* Label2CaptionFor(std::uint16_t kind) {
  if (kind == gkShortcut) return kLabel2Shortcut;
  return kind == gkWeb ? kLabel2Web : kLabel2Email;
}

ButtonModeResult CheckButtonMode(const ButtonModeInput& in, const PathProbe& exists) {
  ButtonModeResult r{std::nullopt, in.Target};
  if (IsBlankField(in.Name)) {
    r.Refusal = Refuse(kNameBlankText, EditorField::kName);
    return r;
  }
  if ((r.Refusal = CheckButtonName(in.Name, in.Kind, in.OtherNames, EditorField::kName))) return r;
  // An internet shortcut's name is a file name, but what it points at is an address.
  const std::uint16_t targetKind =
      in.Kind == gkShortcut && in.InternetShortcut ? std::uint16_t{gkWeb} : in.Kind;
  if (targetKind == gkShortcut) {
    // An address typed as a shortcut's target passes without a file check.
    const bool address = FindTextAscii(in.Target, "HTTP://") != std::string::npos ||
                         FindTextAscii(in.Target, "MAILTO:") != std::string::npos;
    if (!address && !(exists && exists(in.Target)))
      r.Refusal =
          Refuse(FileMissingText(in.Target, kFileMissingText), EditorField::kTarget, kEditorNotFoundCaption);
    return r;
  }
  if (IsBlankField(in.Target)) {
    r.Refusal =
        Refuse(targetKind == gkWeb ? kWebAddressBlankText : kEmailAddressBlankText, EditorField::kTarget);
    return r;
  }
  if ((r.Refusal = CheckAddress(in.Target, EditorField::kTarget))) return r;
  r.Target = PrefixedAddress(in.Target, targetKind);
  return r;
}

EditorCheck CheckGroupMode(const GroupModeInput& in, const PathProbe& folderExists) {
  if (IsBlankField(in.Title)) return Refuse(kTitleBlankText, EditorField::kTitle);
  if (EditorCheck c = CheckGroupTitle(in.Title, in.OtherTitles, EditorField::kTitle)) return c;
  if (!in.FolderEnabled) return std::nullopt;
  if (!(folderExists && folderExists(in.Folder)))
    return Refuse(FileMissingText(in.Folder, kFolderMissingText), EditorField::kFolder,
                  kEditorNotFoundCaption);
  // The folder is stored in the group file too; one it cannot hold would come back as "C:\".
  return CheckStoredText(in.Folder, kFieldFolder, EditorField::kFolder);
}

}  // namespace wendlix
