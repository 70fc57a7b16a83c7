#include "core/exchange/exchange_file.h"

#include <exception>

#include "core/bar/group_keys.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/profile/ini_name_table.h"
#include "core/profile/ini_syntax.h"
#include "core/text/ascii.h"
#include "core/text/encoding.h"
#include "core/text/paths.h"

namespace wendlix {

using namespace group_keys;

namespace {

constexpr std::string_view kCollectionTitle = "Title";

constexpr std::string_view kExtension = ".GLF";

// Reads of "Config" that give nothing for a missing key or a value out of range.
class ConfigReader {
 public:
  explicit ConfigReader(const IniFile& file) : file_(file) {}

  std::optional<int> Integer(std::string_view key, int low, int high) const {
    if (!file_.ValueExists(kExchangeConfigSection, key)) return std::nullopt;
    const std::optional<int> v = ParseIniInteger(file_.ReadString(kExchangeConfigSection, key, ""));
    if (!v || *v < low || *v > high) return std::nullopt;
    return v;
  }
  std::optional<bool> Bool(std::string_view key) const {
    if (!file_.ValueExists(kExchangeConfigSection, key)) return std::nullopt;
    const std::optional<int> v = ParseIniInteger(file_.ReadString(kExchangeConfigSection, key, ""));
    if (!v) return std::nullopt;
    return *v != 0;
  }
  std::optional<std::int32_t> Color(std::string_view key) const {
    const std::optional<int> v = Integer(key, INT32_MIN, INT32_MAX);
    if (!v || !IsValidStoredColor(*v)) return std::nullopt;
    return v;
  }
  std::optional<std::string> String(std::string_view key) const {
    if (!file_.ValueExists(kExchangeConfigSection, key)) return std::nullopt;
    std::string v = file_.ReadString(kExchangeConfigSection, key, "");
    if (!FitsGroupFileValue(v)) return std::nullopt;
    return v;
  }
  std::optional<std::string> LocalPath(std::string_view key) const {
    std::optional<std::string> v = String(key);
    if (v && !IsLocalPath(*v)) return std::nullopt;
    return v;
  }

 private:
  const IniFile& file_;
};

std::vector<ExchangeLine> ReadLines(const IniFile& file) {
  std::vector<ExchangeLine> lines;
  const std::vector<std::string> keys = file.ReadSection(kExchangeButtonsSection);
  IniNameTable seen;  // views into `keys`, which outlives it
  seen.Reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string& name = keys[i];
    if (!seen.Insert(name, i)) continue;  // a later line of a name the store never reads
    std::string value = file.ReadString(kExchangeButtonsSection, name, "");
    if (value.empty() || !FitsGroupFileKey(name) || !FitsGroupFileValue(value)) continue;
    lines.push_back({name, std::move(value)});
  }
  return lines;
}

bool Fits936(std::string_view text) { return Utf8ToCp936(text).has_value(); }

}  // namespace

bool FitsGroupFileKey(std::string_view name) { return IsWritableKeyName(name) && Fits936(name); }

bool FitsGroupFileValue(std::string_view value) { return IsWritableValue(value) && Fits936(value); }

bool IsStorableGroupTitle(std::string_view title) {
  return IsWritableSectionName(title) && FitsGroupFileKey(title) && !SameTextAscii(title, "Groups") &&
         !EndsWithTextAscii(title, "  Buttons");
}

bool IsTitleTaken(std::string_view title, const std::vector<std::string>& titles) {
  for (const std::string& t : titles) {
    if (SameTextAscii(t, title)) return true;
  }
  return false;
}

bool IsValidStoredColor(std::int32_t color) {
  const auto c = static_cast<std::uint32_t>(color);
  if ((c & 0xFF000000u) == 0) return true;
  const std::uint32_t index = c - 0x80000000u;
  return c >= 0x80000000u && index <= 30 && index != 25;
}

bool IsUsableFontName(std::string_view name) {
  if (name.empty()) return false;
  return Utf8ToUtf16(name).size() <= 31;
}

bool IsLocalPath(std::string_view path) {
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 2 && separator(path[0]) && separator(path[1])) return false;
  return path.find("://") == std::string_view::npos;
}

std::uint16_t EffectiveKind(std::uint16_t panelStyle) {
  return panelStyle > gkEmail ? std::uint16_t{gkEmail} : panelStyle;
}

bool IsBareFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("\\/:") == std::string_view::npos;
}

void TakeAppearance(TPanelData& r, const ExchangeSettings& s) {
  const auto take = [](auto& field, const auto& value) {
    if (value) field = *value;
  };
  take(r.ShowTitle, s.ShowTitle);
  take(r.ShowCaption, s.ShowCaption);
  take(r.LayoutLeft, s.LayoutLeft);
  take(r.BevelDown, s.BevelDown);
  take(r.SmallIcon, s.SmallIcon);
  take(r.ShowTitleIcon, s.ShowTitleIcon);
  take(r.Directory, s.Directory);
  take(r.Color, s.Color);
  take(r.FromColor, s.FromColor);
  take(r.ToColor, s.ToColor);
  take(r.DrawStyle, s.DrawStyle);
  take(r.PictureFile, s.PictureFile);
  take(r.Font.Color, s.FontColor);
  take(r.Font.Size, s.FontSize);
  take(r.Font.Name, s.FontName);
}

ExchangeFile ParseExchangeFile(std::string_view bytes, ExchangeReading reading) {
  ExchangeFile out;
  if (bytes.size() > kMaxExchangeFileBytes) {
    out.Fault = ExchangeFault::kTooLarge;
    return out;
  }
  const IniFile file = IniFile::FromBytes(bytes);
  const bool collection = reading == ExchangeReading::kCollection;
  const bool hasConfig = file.SectionExists(kExchangeConfigSection);
  if (!collection && !hasConfig) {
    out.Fault = ExchangeFault::kNoConfig;
    return out;
  }
  if (collection && !hasConfig && !file.SectionExists(kExchangeButtonsSection)) {
    out.Fault = ExchangeFault::kNoSections;
    return out;
  }
  const ConfigReader r(file);
  ExchangeSettings& s = out.Settings;
  // The kind decides what everything else means: a kind the bar does not know is refused.
  if (file.ValueExists(kExchangeConfigSection, kPanelStyle)) {
    const std::optional<int> kind = r.Integer(kPanelStyle, gkShortcut, gkEmail);
    if (!kind) {
      out.Fault = ExchangeFault::kBadKind;
      return out;
    }
    s.PanelStyle = static_cast<std::uint16_t>(*kind);
  }
  s.Title = r.String(collection ? kCollectionTitle : kTitleText);
  if (s.Title && !IsStorableGroupTitle(*s.Title)) s.Title.reset();
  if (collection) s.ShowAsButton = r.Bool(kShowAsButton);
  s.ShowTitle = r.Bool(kShowTitle);
  s.ShowCaption = r.Bool(kShowCaption);
  s.LayoutLeft = r.Bool(kLayoutLeft);
  s.BevelDown = r.Bool(kBevelDown);
  s.SmallIcon = r.Bool(kSmallIcon);
  s.ShowTitleIcon = r.Bool(kShowTitleIcon);
  if (!collection) {
    s.Width = r.Integer(kWidth, 1, 10000);
    s.Height = r.Integer(kHeight, 1, 10000);
  }
  s.Directory = r.LocalPath(kDirectory);
  s.PictureFile = r.LocalPath(kPictureFile);
  s.Color = r.Color(kColor);
  s.FromColor = r.Color(kFromColor);
  s.ToColor = r.Color(kToColor);
  if (const std::optional<int> d = r.Integer(kDrawStyle, 0, 2)) s.DrawStyle = static_cast<std::uint8_t>(*d);
  s.FontColor = r.Color(kFontColor);
  s.FontSize = r.Integer(kFontSize, 1, 200);
  s.FontName = r.String(kFontName);
  if (s.FontName && !IsUsableFontName(*s.FontName)) s.FontName.reset();
  out.Lines = ReadLines(file);
  return out;
}

ExchangeFile LoadExchangeFile(const std::string& path, ExchangeReading reading) {
  ExchangeFile out;
  if (!platform::FileExists(path)) {
    out.Fault = ExchangeFault::kMissing;
    return out;
  }
  std::optional<std::string> bytes;
  try {
    bytes = platform::ReadWholeFile(path);
  } catch (const std::exception&) {
    bytes.reset();  // a file far too large to hold in memory
  }
  if (!bytes) {
    out.Fault = ExchangeFault::kUnreadable;
    return out;
  }
  return ParseExchangeFile(*bytes, reading);
}

std::string ImportFilePath(std::string_view chosen) {
  std::string path(chosen);
  if (ExtractFileExt(chosen).empty()) path += kExtension;
  return path;
}

std::string ExportFilePath(std::string_view chosen) {
  std::string path(chosen);
  if (!SameTextAscii(ExtractFileExt(chosen), kExtension)) path += kExtension;
  return path;
}

ExchangeExport ExportGroup(const GroupRecord& group, bool visibleNow) {
  ExchangeExport out;
  IniFile doc = IniFile::FromBytes("");
  const TPanelData& r = group.Data;
  const std::string_view c = kExchangeConfigSection;
  const auto text = [&](std::string_view key, std::string_view value) {
    if (!doc.WriteString(c, key, value)) out.Skipped.emplace_back(key);
  };
  doc.WriteBool(c, kVisible, visibleNow);
  doc.WriteBool(c, kShowTitle, r.ShowTitle);
  doc.WriteBool(c, kShowCaption, r.ShowCaption);
  doc.WriteBool(c, kLayoutLeft, r.LayoutLeft);
  doc.WriteBool(c, kBevelDown, r.BevelDown);
  doc.WriteBool(c, kSmallIcon, r.SmallIcon);
  doc.WriteBool(c, kShowTitleIcon, r.ShowTitleIcon);
  doc.WriteInteger(c, kWidth, group.Width);
  doc.WriteInteger(c, kHeight, group.Height);
  text(kTitleText, r.Title);
  doc.WriteInteger(c, kPanelStyle, r.PanelStyle);
  text(kDirectory, r.Directory);
  doc.WriteInteger(c, kColor, r.Color);
  doc.WriteInteger(c, kFromColor, r.FromColor);
  doc.WriteInteger(c, kToColor, r.ToColor);
  doc.WriteInteger(c, kDrawStyle, r.DrawStyle);
  doc.WriteInteger(c, kFontColor, r.Font.Color);
  doc.WriteInteger(c, kFontSize, r.Font.Size);
  text(kFontName, r.Font.Name);
  text(kPictureFile, r.PictureFile);
  for (const GroupButton& b : group.Buttons) {
    if (b.FileName.empty()) continue;
    const std::string value = r.PanelStyle == gkShortcut ? ExtractFileName(b.FileName) : b.FileName;
    // Buttons of one name give one line with the later value, as the store writes.
    if (!doc.WriteString(kExchangeButtonsSection, b.Caption, value)) out.Skipped.push_back(b.Caption);
  }
  out.Bytes = doc.ToBytes();
  return out;
}

bool SaveExport(const std::string& path, const ExchangeExport& exported) {
  return platform::WriteFileAtomically(path, exported.Bytes);
}

}  // namespace wendlix
