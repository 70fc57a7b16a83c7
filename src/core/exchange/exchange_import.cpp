#include "core/exchange/exchange_import.h"

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"

namespace wendlix {

std::string ImportConflictQuestion(std::uint16_t groupKind, std::uint16_t fileKind) {
  return std::string("当前需要导入的信息与现有信息有冲突\r\r当前工具栏是 【") + GroupKindName(groupKind) +
         "】 " + "\r" + "将要载入的数据是 【" + GroupKindName(fileKind) + "】 的信息" + "\r\r" +
         "是否继续导入信息？";
}

std::string ExchangeFaultReason(ExchangeFault fault) {
  switch (fault) {
    case ExchangeFault::kNone: return {};
    case ExchangeFault::kMissing: return "文件不存在。";
    case ExchangeFault::kUnreadable: return "无法读取该文件。";
    case ExchangeFault::kTooLarge: return "文件大于 4 MB，不是工具栏配置文件。";
    case ExchangeFault::kNoConfig: return "文件中没有 [Config] 节，不是工具栏配置文件。";
    case ExchangeFault::kNoSections: return "文件中既没有 [Config] 节，也没有 [Buttons] 节。";
    case ExchangeFault::kBadKind: return "文件中的工具栏类型 (Panel Style) 不是 0、1 或 2。";
  }
  return {};
}

std::string ImportErrorText(const std::string& path, ExchangeFault fault) {
  return "无法导入工具栏配置文件：\r\r\"" + path + "\"\r\r" + ExchangeFaultReason(fault) +
         "\r工具栏没有任何改动。";
}

std::vector<ExchangeLine> LinesForKind(const std::vector<ExchangeLine>& lines, std::uint16_t kind) {
  if (kind != gkShortcut) return lines;
  std::vector<ExchangeLine> out;
  out.reserve(lines.size());
  for (const ExchangeLine& l : lines) {
    if (IsBareFileName(l.Value)) out.push_back(l);
  }
  return out;
}

std::optional<ImportDecision> DecideImport(const GroupRecord& target, const ExchangeFile& file,
                                           const std::vector<std::string>& otherTitles) {
  if (file.Damaged()) return std::nullopt;
  const ExchangeSettings& s = file.Settings;
  const TPanelData& g = target.Data;
  ImportDecision d;
  const std::uint16_t kind = s.PanelStyle.value_or(g.PanelStyle);
  d.Ask = EffectiveKind(kind) != EffectiveKind(g.PanelStyle);
  if (d.Ask) d.Question = ImportConflictQuestion(g.PanelStyle, kind);

  TPanelData& r = d.Group.Data;
  r = g;  // Visible, ShowAsButton and every missing setting stay the group's
  r.PanelStyle = kind;
  // The file's title only comes with a confirmed kind change, and never takes another
  // group's sections.
  if (d.Ask && s.Title && !IsTitleTaken(*s.Title, otherTitles)) r.Title = *s.Title;
  TakeAppearance(r, s);
  d.Group.Width = s.Width.value_or(target.Width);
  d.Group.Height = s.Height.value_or(target.Height);

  d.Lines = LinesForKind(file.Lines, kind);
  d.EmptySection = d.Ask;
  d.TitleChanged = r.Title != g.Title;
  return d;
}

void MergeButtonLines(IniFile& gpf, std::string_view title, const std::vector<ExchangeLine>& lines,
                      bool emptyFirst) {
  const std::string section = ButtonSectionName(title);
  if (emptyFirst) gpf.EraseSection(section);
  for (const ExchangeLine& l : lines) gpf.WriteString(section, l.Name, l.Value);
}

void ApplyImport(IniFile& gpf, const ImportDecision& decision) {
  MergeButtonLines(gpf, decision.Group.Data.Title, decision.Lines, decision.EmptySection);
}

}  // namespace wendlix
