#include "core/drops/url_drop.h"

#include "core/bar/group_construction.h"
#include "core/bar/group_file.h"
#include "core/bar/panel_data.h"
#include "core/profile/ini_file.h"
#include "core/profile/ini_syntax.h"
#include "core/text/ascii.h"
#include "core/text/cp936.h"
#include "core/text/encoding.h"
#include "core/text/utf8.h"

namespace wendlix {
namespace {

// The bytes up to the first NUL, where text from a drag or a C string ends (a NUL code unit
// after a UTF-16 mark).
std::string_view TextBytes(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      if (bytes[i] == '\0' && bytes[i + 1] == '\0') return bytes.substr(0, i);
    }
    return bytes;
  }
  return bytes.substr(0, bytes.find('\0'));
}

// Text of a drag's or a file's bytes up to their first NUL: UTF-16LE or UTF-8 after their
// byte-order marks, otherwise code page 936.
std::string DecodeBytes(std::string_view bytes) {
  bytes = TextBytes(bytes);
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    std::u16string wide;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return Utf16ToUtf8(wide);
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    const std::string text(bytes.substr(3));
    return IsValidUtf8(text) ? text : Utf16ToUtf8(Utf8ToUtf16(text));
  }
  return Cp936ToUtf8(bytes);
}

// `count` characters of `s` from character `first` (both counted in code points).
std::string Characters(std::string_view s, std::size_t first, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < first && pos < s.size(); ++i) ReadUtf8(s, pos);
  const std::size_t begin = pos;
  for (std::size_t i = 0; i < count && pos < s.size(); ++i) ReadUtf8(s, pos);
  return std::string(s.substr(begin, pos - begin));
}

// A file or descriptor name less its ".url" (in any letter case); any other name stays whole.
std::string WithoutUrlExtension(std::string_view name) {
  if (EndsWithTextAscii(name, ".url")) name.remove_suffix(4);
  return std::string(name);
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }

// The line starting at `pos` (without its end: CR, LF or CRLF); `pos` moves past the end.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  const std::size_t begin = pos;
  const std::size_t end = text.find_first_of("\r\n", begin);
  if (end == std::string_view::npos) {
    pos = text.size();
    return text.substr(begin);
  }
  pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  return text.substr(begin, end - begin);
}

constexpr char kShortcutSection[] = "InternetShortcut";

// Contents that hold an Internet shortcut are read as one; any other text gives its characters
// from the 24th on, at most kMaxContentsAddress, up to the end of that line.
std::string FileContentsAddress(std::string_view bytes) {
  const IniFile shortcut = IniFile::FromBytes(TextBytes(bytes));
  if (shortcut.SectionExists(kShortcutSection)) return shortcut.ReadString(kShortcutSection, "URL", "");
  std::string tail = Characters(DecodeBytes(bytes), 23, kMaxContentsAddress);
  std::size_t pos = 0;
  return std::string(NextLine(tail, pos));
}

bool EndsWithUrlExtension(std::string_view path) { return EndsWithTextAscii(path, ".url"); }

// One character as the group file holds it: "=" would end the key, so it takes its
// full-width form; a character code page 936 lacks reads back as "?".
void AppendStorable(std::string& out, char32_t c) {
  if (c == U'=') {
    out += "\xEF\xBC\x9D";  // ＝
  } else if (c >= 0x10000 || !UnicodeToCp936Code(static_cast<char16_t>(c))) {
    out += '?';
  } else {
    AppendUtf8(out, c);
  }
}

// Control characters to blanks, outer blanks trimmed, each character as the file reads it
// back, and a leading "[" or ";" (a section or a comment) in its full-width form.
std::string CleanKey(std::string_view text) {
  std::string blanked(text);
  for (char& c : blanked) {
    if (IsControl(c)) c = ' ';
  }
  const std::string_view rest = TrimIniBlanks(blanked);
  std::string out;
  out.reserve(rest.size() + 8);
  for (std::size_t pos = 0; pos < rest.size();) {
    const char32_t c = ReadUtf8(rest, pos);
    if (out.empty() && c == U'[') {
      out += "\xEF\xBC\xBB";  // ［
    } else if (out.empty() && c == U';') {
      out += "\xEF\xBC\x9B";  // ；
    } else {
      AppendStorable(out, c);
    }
  }
  return out;
}

// The same address as far as the bar is concerned: the buttons they give open the same.
bool SameAddress(std::string_view stored, std::string_view url) {
  return NormaliseAddress(stored, gkWeb) == NormaliseAddress(url, gkWeb);
}

// Value read for a key that is not there: no stored value holds a line break.
constexpr char kAbsent[] = "\n";

// At most this many numbered names are tried before the drop is refused.
constexpr int kMaxNumberedNames = 1000;

// The button section of an address group as its buttons stand, each name in its place.
void RewriteAddressButtons(IniFile& gpf, const std::string& section, const GroupPanel& panel) {
  for (const std::string& key : gpf.ReadSection(section)) gpf.DeleteKey(section, key);
  for (const BarButton& b : panel.Children) {
    if (!b.IsCollapse() && !b.FileName.empty()) gpf.WriteString(section, b.Hint, b.FileName);
  }
}

}  // namespace

bool DragOffer::OffersLink() const {
  return UniformResourceLocator || Text || FileContents || DescriptorName ||
         (!Files.empty() && EndsWithUrlExtension(Files.front()));
}

std::string InternetShortcutAddress(std::string_view bytes) {
  return IniFile::FromBytes(TextBytes(bytes)).ReadString(kShortcutSection, "URL", "");
}

DroppedLink ReadDroppedLink(const DragOffer& offer) {
  DroppedLink link;
  const auto usable = [](const std::optional<std::string>& s) { return s && !TrimIniBlanks(*s).empty(); };
  if (usable(offer.UniformResourceLocator)) {
    link.URL = *offer.UniformResourceLocator;
  } else if (usable(offer.Text)) {
    link.URL = *offer.Text;
  } else if (std::string contents =
                 offer.FileContents ? FileContentsAddress(*offer.FileContents) : std::string();
             !TrimIniBlanks(contents).empty()) {
    link.URL = std::move(contents);
  } else if (!offer.Files.empty() && EndsWithUrlExtension(offer.Files.front())) {
    if (offer.FirstFileBytes) link.URL = InternetShortcutAddress(*offer.FirstFileBytes);
    link.Title = WithoutUrlExtension(FileNamePart(offer.Files.front()));
  }
  link.URL = std::string(TrimIniBlanks(link.URL));
  if (offer.DescriptorName) {
    std::string title = WithoutUrlExtension(FileNamePart(*offer.DescriptorName));
    if (!title.empty()) link.Title = std::move(title);
  }
  if (link.Title.empty()) link.Title = link.URL;
  return link;
}

std::string LinkNotSavedText(std::string_view path) {
  return "无法保存分组文件:\r\n" + std::string(path) + "\r\n\r\n该网址没有加入收藏夹。";
}

bool IsStorableAddress(std::string_view url) {
  for (char c : url) {
    if (IsControl(c)) return false;
  }
  return IsValidUtf8(url);
}

std::string LinkKey(std::string_view title, std::string_view url) {
  std::string key = CleanKey(title);
  return key.empty() ? CleanKey(url) : key;
}

UrlDropStep DecideUrlDrop(std::optional<std::uint16_t> groupKind, const DroppedLink& link) {
  using K = UrlDropStep::Kind;
  if (!groupKind) return {};
  if (*groupKind != gkWeb) return {K::kNotWebGroup, kNotWebGroupText, kUrlDropCaption};
  if (link.URL.empty()) return {K::kNoAddress, kNoAddressText, kUrlDropCaption};
  if (!IsStorableAddress(link.URL)) return {K::kBadAddress, kBadAddressText, kUrlDropCaption};
  std::string key = LinkKey(link.Title, link.URL);
  if (key.empty()) return {K::kBadAddress, kUnstorableLinkText, kUrlDropCaption};
  return {K::kAdd, {}, {}, std::move(key), link.URL};
}

LinkStored StoreDroppedLink(GroupPanel& panel, IniFile& gpf, const std::string& key, const std::string& url) {
  // Every fill ends with the collapse button; a group without one was never filled or was emptied.
  bool filled = false;
  for (const BarButton& b : panel.Children) filled = filled || b.IsCollapse();
  const std::string section = ButtonSectionName(panel.Data.Title);
  // The close writes a filled group's buttons from the bar; do it now, or the refill below
  // would undo a move made on the bar since the group was read.
  if (filled) RewriteAddressButtons(gpf, section, panel);
  // A taken name keeps its address: the new link is numbered after it, unless that name
  // (or a numbered one) already holds this very address.
  std::string name;
  for (int n = 0; n <= kMaxNumberedNames && name.empty(); ++n) {
    std::string candidate = n == 0 ? key : key + "(" + std::to_string(n) + ")";
    const std::string stored = gpf.ReadString(section, candidate, kAbsent);
    if (stored == kAbsent || stored.empty()) {  // an empty value shows no button
      name = std::move(candidate);
    } else if (SameAddress(stored, url)) {
      return {true, false, std::move(candidate), {}, {}};
    }
  }
  if (name.empty() || !gpf.WriteString(section, name, url)) {
    return {false, false, {}, kUnstorableLinkText, kUrlDropCaption};
  }
  if (!gpf.Save()) return {false, false, {}, LinkNotSavedText(gpf.Path()), kLinkNotSavedCaption};
  // A group not filled yet (collapsed into PanelBtn) reads the file when it is next shown.
  if (filled && panel.Data.PanelStyle == gkWeb) FillUrlGroup(panel, gpf);
  if (filled && panel.Data.PanelStyle >= gkEmail) FillEmailGroup(panel, gpf);
  return {true, true, std::move(name), {}, {}};
}

}  // namespace wendlix
