// Group exchange files (".GLF"): a "Config" section with one group's settings and a
// "Buttons" section of name = value lines. A file is untrusted: it is read and checked as
// a whole into an ExchangeFile before anything in the bar changes, and a file that fails
// the check is refused as damaged.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/panel_data.h"

namespace wendlix {

inline constexpr std::string_view kExchangeConfigSection = "Config";
inline constexpr std::string_view kExchangeButtonsSection = "Buttons";
inline constexpr std::size_t kMaxExchangeFileBytes = 4u * 1024u * 1024u;

// Import into an existing group reads the title from "Title Text"; the web-site
// collections beside the program read it from "Title" and also read "ShowAsButton".
enum class ExchangeReading : std::uint8_t { kImport, kCollection };

enum class ExchangeFault : std::uint8_t {
  kNone,
  kMissing,     // no such file
  kUnreadable,  // it exists but cannot be read
  kTooLarge,    // over kMaxExchangeFileBytes
  kNoConfig,    // import: no "Config" section
  kNoSections,  // collection: neither "Config" nor "Buttons"
  kBadKind,     // "Panel Style" present but not 0, 1 or 2
};

// One line of "Buttons": the button's name and its value (a file name for a shortcut
// group, an address for the others).
struct ExchangeLine {
  std::string Name;
  std::string Value;
  bool operator==(const ExchangeLine&) const = default;
};

// The settings a file gives. A setting is present only when its key is there and its value
// is usable: out-of-range numbers, unknown colours, unusable font names, folders and
// pictures on another computer, and titles the group file cannot hold all count as missing.
struct ExchangeSettings {
  std::optional<std::uint16_t> PanelStyle;
  std::optional<std::string> Title;
  std::optional<bool> ShowAsButton;  // collections only
  std::optional<bool> ShowTitle, ShowCaption, LayoutLeft, BevelDown, SmallIcon, ShowTitleIcon;
  std::optional<int> Width, Height;  // import only
  std::optional<std::string> Directory, PictureFile;
  std::optional<std::int32_t> Color, FromColor, ToColor;
  std::optional<std::uint8_t> DrawStyle;
  std::optional<std::int32_t> FontColor;
  std::optional<int> FontSize;
  std::optional<std::string> FontName;
  bool operator==(const ExchangeSettings&) const = default;
};

struct ExchangeFile {
  ExchangeFault Fault = ExchangeFault::kNone;
  ExchangeSettings Settings;
  // One line per name (names compared ignoring case, the first line of a name answering,
  // as the group file reads it), in file order. Lines with an empty value (no button comes
  // of them) and lines the group file cannot hold are left out.
  std::vector<ExchangeLine> Lines;

  bool Damaged() const { return Fault != ExchangeFault::kNone; }
};

// Copies the look and the folder a file gives (flags but Visible and ShowAsButton,
// folder, colours, drawing style, picture, font) over `data`; missing settings keep its own.
void TakeAppearance(TPanelData& data, const ExchangeSettings& settings);

// Checks bytes as a whole; a damaged result carries no settings and no lines.
ExchangeFile ParseExchangeFile(std::string_view bytes, ExchangeReading reading);
// Reads the file at `path` (missing, unreadable and over-large files are damaged).
ExchangeFile LoadExchangeFile(const std::string& path, ExchangeReading reading);

// The file an import opens: the name chosen, with ".GLF" appended only when it has no
// extension at all.
std::string ImportFilePath(std::string_view chosen);
// The file an export writes: the name chosen when it already ends in ".GLF" (any case),
// else the name with ".GLF" appended, so an export never replaces a file of another type
// and a title with a dot in it ("Web 2.0") keeps all of its name.
std::string ExportFilePath(std::string_view chosen);

// Values the group file can hold unchanged in code page 936.
bool FitsGroupFileKey(std::string_view name);
bool FitsGroupFileValue(std::string_view value);
// A title the group file can hold as a section and as a key, that is not the "Groups"
// section and cannot be taken for another group's button section.
bool IsStorableGroupTitle(std::string_view title);
// Another group has this title: titles compare as the store compares section names.
bool IsTitleTaken(std::string_view title, const std::vector<std::string>& titles);
// 0x00BBGGRR, or a system colour that exists (0x80000000 + 0..30, but for the unused 25).
bool IsValidStoredColor(std::int32_t color);
// A face name a font can carry: 1 to 31 UTF-16 units.
bool IsUsableFontName(std::string_view name);
// A path on this computer: not "\\server\..." (or "//..."), no "scheme://".
bool IsLocalPath(std::string_view path);

// Effective kind as the fills treat it: anything above 1 is an e-mail group.
std::uint16_t EffectiveKind(std::uint16_t panelStyle);

// A shortcut group's line value must be a bare entry name of its folder.
bool IsBareFileName(std::string_view name);

// The document an export writes. The whole file is replaced, so buttons removed since an
// earlier export do not come back with the next import. `Skipped` names the lines the
// format could not hold (the rest of the export is still written).
struct ExchangeExport {
  std::string Bytes;  // code page 936, CRLF
  std::vector<std::string> Skipped;
};
ExchangeExport ExportGroup(const GroupRecord& group, bool visibleNow);
// Replaces the file at `path` with the export in one step; false when it cannot be
// written, the old file then being untouched.
bool SaveExport(const std::string& path, const ExchangeExport& exported);

}  // namespace wendlix
