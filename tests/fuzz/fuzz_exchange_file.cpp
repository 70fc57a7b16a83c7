// Arbitrary bytes as a group exchange file, read both ways (import and web-site
// collection) and decided against groups of every kind. A damaged file must decide nothing;
// an accepted one must give only values the bar can use, never take another group's title
// or sections, write lines that read back as decided, and export to a file that imports
// back to the same record.
#include <string>
#include <vector>

#include "core/bar/group_file.h"
#include "core/exchange/exchange_file.h"
#include "core/exchange/exchange_import.h"
#include "core/profile/ini_file.h"
#include "core/profile/ini_name_table.h"
#include "core/quick_create/quick_create_sites.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "support/fuzz_check.h"

namespace {

using namespace wendlix;
using fuzz_support::Check;

// A group file holding three groups, in code page 936 ("\xB9\xA4\xBE\xDF" is 工具).
constexpr char kGroupFile[] =
    "[Programs  Buttons]\r\nA=a.lnk\r\n[Internet  Buttons]\r\nSina=http://sina.cn\r\n"
    "[\xB9\xA4\xBE\xDF  Buttons]\r\nB=b.lnk\r\n";
const std::vector<std::string> kTitles = {"Programs", "Internet", "工具"};

GroupRecord Target(std::uint16_t kind) {
  GroupRecord g;
  g.Data.Title = kTitles[kind];
  g.Data.PanelStyle = kind;
  g.Data.Directory = "D:\\Tools\\";
  g.Data.ShowAsButton = kind == gkWeb;
  g.Width = 130;
  g.Height = 240;
  return g;
}

void CheckSettings(const ExchangeSettings& s, ExchangeReading reading) {
  Check(!s.PanelStyle || *s.PanelStyle <= gkEmail, "kind");
  Check(!s.Title || IsStorableGroupTitle(*s.Title), "title");
  Check(!s.Width || (*s.Width >= 1 && *s.Width <= 10000), "width");
  Check(!s.Height || (*s.Height >= 1 && *s.Height <= 10000), "height");
  Check(reading == ExchangeReading::kImport || (!s.Width && !s.Height), "collections have no size");
  Check(reading == ExchangeReading::kCollection || !s.ShowAsButton, "import reads no ShowAsButton");
  Check(!s.FontSize || (*s.FontSize >= 1 && *s.FontSize <= 200), "font size");
  Check(!s.DrawStyle || *s.DrawStyle <= 2, "draw style");
  for (const auto* c : {&s.Color, &s.FromColor, &s.ToColor, &s.FontColor})
    Check(!*c || IsValidStoredColor(**c), "colour");
  Check(!s.FontName || IsUsableFontName(*s.FontName), "font name");
  Check(!s.Directory || IsLocalPath(*s.Directory), "remote folder");
  Check(!s.PictureFile || IsLocalPath(*s.PictureFile), "remote picture");
}

void CheckLines(const std::vector<ExchangeLine>& lines, std::uint16_t kind) {
  IniNameTable names;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Check(names.Insert(lines[i].Name, i), "a name twice");
    Check(FitsGroupFileKey(lines[i].Name) && FitsGroupFileValue(lines[i].Value), "line the file cannot hold");
    Check(!lines[i].Value.empty(), "empty line");
    Check(kind != gkShortcut || IsBareFileName(lines[i].Value), "shortcut line that is not an entry name");
  }
}

void CheckImport(const ExchangeFile& file, std::uint16_t kind) {
  const GroupRecord target = Target(kind);
  std::vector<std::string> others;
  for (const std::string& t : kTitles)
    if (t != target.Data.Title) others.push_back(t);
  const std::optional<ImportDecision> d = DecideImport(target, file, others);
  Check(d.has_value() != file.Damaged(), "a damaged file decided something");
  if (!d) return;
  const TPanelData& r = d->Group.Data;
  Check(d->Ask == (r.PanelStyle != kind) && d->Ask == !d->Question.empty(), "question");
  Check(d->EmptySection == d->Ask, "section emptied without a kind change");
  Check(d->Ask || r.Title == target.Data.Title, "title changed without a kind change");
  Check(IsStorableGroupTitle(r.Title), "title the file cannot hold");
  for (const std::string& t : others) Check(!SameTextAscii(t, r.Title), "another group's title");
  Check(d->TitleChanged == (r.Title != target.Data.Title), "menu caption");
  Check(r.Visible == target.Data.Visible && r.ShowAsButton == target.Data.ShowAsButton, "flags not read");
  CheckLines(d->Lines, r.PanelStyle);

  // The group file: the lines read back, other groups' sections stay as they were.
  IniFile gpf = IniFile::FromBytes(kGroupFile);
  ApplyImport(gpf, *d);
  const IniFile back = IniFile::FromBytes(gpf.ToBytes());
  const std::string section = ButtonSectionName(r.Title);
  for (const ExchangeLine& l : d->Lines) Check(back.ReadString(section, l.Name, "") == l.Value, "line lost");
  const IniFile before = IniFile::FromBytes(kGroupFile);
  for (const std::string& t : others) {
    const std::string s = ButtonSectionName(t);
    Check(back.ReadSection(s) == before.ReadSection(s), "another group's buttons changed");
  }

  // Exporting the result and importing it into the same group changes nothing.
  GroupRecord g = d->Group;
  for (const ExchangeLine& l : d->Lines)
    g.Buttons.push_back(
        {l.Name, r.PanelStyle == gkShortcut ? AddBackslash(r.Directory) + l.Value : l.Value, false});
  const ExchangeFile again = ParseExchangeFile(ExportGroup(g, true).Bytes, ExchangeReading::kImport);
  const std::optional<ImportDecision> d2 = DecideImport(g, again, others);
  Check(d2 && !d2->Ask, "export does not import back");
  Check(d2->Group.Data == r && d2->Group.Width == g.Width && d2->Group.Height == g.Height,
        "record round trip");
  Check(again.Lines == d->Lines, "lines round trip");
}

void CheckCollection(const ExchangeFile& file) {
  std::vector<GroupPanel> groups(3);
  for (std::uint16_t k = 0; k < 3; ++k) {
    groups[k].Data = Target(k).Data;
    groups[k].Data.Visible = k != 1;
  }
  const GroupFont font{kClWindowText, 9, "宋体"};
  const CollectionDecision d =
      DecideCollection("搜索引擎网站", "C:\\W\\搜索引擎网站.GLF", file, groups, font);
  using A = CollectionDecision::Action;
  Check((d.Act == A::kError) == file.Damaged(), "collection error");
  IniFile gpf = IniFile::FromBytes(kGroupFile);
  ApplyCollection(gpf, d);
  if (d.Act == A::kError || d.Act == A::kKindConflict) {
    Check(!d.Message.empty() && !gpf.Modified(), "a refused collection changed something");
    return;
  }
  const TPanelData& r = d.Group.Data;
  Check(r.Visible && IsStorableGroupTitle(r.Title), "collection record");
  if (d.Act == A::kAddToExisting) {
    TPanelData own = groups[d.Existing].Data;
    own.Visible = true;
    Check(r == own, "a collection changed a group's settings");
  } else {
    for (const GroupPanel& g : groups) Check(!SameTextAscii(g.Data.Title, r.Title), "created a second group");
  }
  CheckLines(d.Lines, r.PanelStyle);
  const IniFile back = IniFile::FromBytes(gpf.ToBytes());
  for (const ExchangeLine& l : d.Lines)
    Check(back.ReadString(ButtonSectionName(r.Title), l.Name, "") == l.Value, "collection line lost");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const ExchangeFile imported = ParseExchangeFile(bytes, ExchangeReading::kImport);
  const ExchangeFile collection = ParseExchangeFile(bytes, ExchangeReading::kCollection);
  for (const ExchangeFile* f : {&imported, &collection}) {
    if (f->Damaged()) Check(f->Lines.empty() && f->Settings == ExchangeSettings{}, "damaged file kept data");
  }
  CheckSettings(imported.Settings, ExchangeReading::kImport);
  CheckSettings(collection.Settings, ExchangeReading::kCollection);
  CheckLines(imported.Lines, gkWeb);
  for (std::uint16_t kind = 0; kind < 3; ++kind) CheckImport(imported, kind);
  CheckCollection(collection);
  return 0;
}
