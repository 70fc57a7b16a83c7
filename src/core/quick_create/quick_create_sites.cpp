#include "core/quick_create/quick_create_sites.h"

#include "core/bar/group_file.h"
#include "core/exchange/exchange_import.h"
#include "core/quick_create/quick_create.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "core/tweaks/tweak_texts.h"

namespace wendlix {
namespace {

std::string MissingCollectionText(std::string_view caption, const std::string& path) {
  return "无法创建网址工具栏: 【" + std::string(caption) + "】" + "\r\r" + "\"" + path + "\"" + "\r\r" +
         "文件不存在。创建该网址工具栏需要以上文件支持！" + "\r" +
         "如何制作网址集文件，请看随后打开的帮助文件 " + kHelpFileName + " 中的“收集文件”一节。";
}

std::string DamagedCollectionText(std::string_view caption, const std::string& path, ExchangeFault fault) {
  return "无法创建网址工具栏: 【" + std::string(caption) + "】" + "\r\r" + "\"" + path + "\"" + "\r\r" +
         ExchangeFaultReason(fault);
}

std::string KindConflictText(std::string_view title, std::uint16_t groupKind, std::uint16_t fileKind) {
  return "已有同名的工具栏 【" + std::string(title) + "】，它是" + GroupKindName(groupKind) + "，\r" +
         "而网址集的数据是" + GroupKindName(fileKind) + "的信息。" + "\r\r" + "没有作任何改动。";
}

template <typename T>
void Take(T& field, const std::optional<T>& value) {
  if (value) field = *value;
}

}  // namespace

std::string CollectionFilePath(std::string_view programFolder, std::string_view caption) {
  return AddBackslash(programFolder) + std::string(caption) + ".GLF";
}

GroupRecord CollectionGroup(std::string_view caption, const ExchangeSettings& s, const GroupFont& mainFont) {
  GroupRecord g;
  TPanelData& r = g.Data;
  // The collection defaults.
  r.PanelStyle = gkWeb;
  r.ShowAsButton = false;
  r.ShowTitle = r.ShowCaption = r.LayoutLeft = r.BevelDown = true;
  r.SmallIcon = true;
  r.ShowTitleIcon = false;
  r.Title = std::string(caption);
  r.Directory.clear();
  r.Color = kClBtnFace;
  r.FromColor = 0x00FFFFFF;
  r.ToColor = kClBtnFace;
  r.DrawStyle = 0;
  r.Font = {kClWindowText, mainFont.Size, mainFont.Name};
  r.PictureFile.clear();

  Take(r.PanelStyle, s.PanelStyle);
  Take(r.Title, s.Title);  // only titles the group file can hold are read at all
  Take(r.ShowAsButton, s.ShowAsButton);
  TakeAppearance(r, s);
  r.Visible = true;
  return g;
}

CollectionDecision DecideCollection(std::string_view caption, const std::string& path,
                                    const ExchangeFile& file, const std::vector<GroupPanel>& groups,
                                    const GroupFont& mainFont, const std::vector<std::string>& taken) {
  CollectionDecision d;
  if (file.Damaged()) {
    d.Act = CollectionDecision::Action::kError;
    d.RunHelp = file.Fault == ExchangeFault::kMissing;
    d.Message =
        d.RunHelp ? MissingCollectionText(caption, path) : DamagedCollectionText(caption, path, file.Fault);
    return d;
  }
  GroupRecord read = CollectionGroup(caption, file.Settings, mainFont);
  bool matched = false;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    if (SameTextAscii(groups[i].Data.Title, read.Data.Title)) {
      matched = true;
      d.Existing = i;  // the last match wins
    }
  }
  if (!matched) {
    d.Act = CollectionDecision::Action::kCreate;
    d.Group = std::move(read);
    std::vector<std::string> titles = taken;
    for (const GroupPanel& g : groups) titles.push_back(g.Data.Title);
    d.Group.Data.Title = FreeGroupTitle(d.Group.Data.Title, titles);
  } else {
    const TPanelData& g = groups[d.Existing].Data;
    if (EffectiveKind(g.PanelStyle) != EffectiveKind(read.Data.PanelStyle)) {
      // Adding web addresses to a shortcut group's saved order (or the reverse) would only
      // spoil the group: refuse, and say why.
      d.Act = CollectionDecision::Action::kKindConflict;
      d.Message = KindConflictText(g.Title, g.PanelStyle, read.Data.PanelStyle);
      return d;
    }
    d.Act = CollectionDecision::Action::kAddToExisting;
    d.Group.Data = g;
    d.Group.Data.Visible = true;
    d.Group.Width = groups[d.Existing].Width;  // saved with the group as its panel is now
    d.Group.Height = groups[d.Existing].Height;
  }
  d.Lines = LinesForKind(file.Lines, d.Group.Data.PanelStyle);
  return d;
}

void ApplyCollection(IniFile& gpf, const CollectionDecision& decision) {
  if (decision.Act != CollectionDecision::Action::kCreate &&
      decision.Act != CollectionDecision::Action::kAddToExisting)
    return;
  MergeButtonLines(gpf, decision.Group.Data.Title, decision.Lines, false);
  SaveGroup(gpf, decision.Group, false);
}

}  // namespace wendlix
