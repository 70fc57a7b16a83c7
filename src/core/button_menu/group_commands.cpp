#include "core/button_menu/group_commands.h"

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

bool IsLaunchButton(const GroupPanel& panel, int index) {
  return index >= 0 && index < static_cast<int>(panel.Children.size()) && !panel.Children[index].IsCollapse();
}

// Launch buttons keep their Tag equal to their place among the children, counted from 1.
void RenumberLaunchButtons(GroupPanel& panel) {
  int n = 0;
  for (BarButton& b : panel.Children)
    if (!b.IsCollapse()) b.Tag = std::min(++n, kCollapseTagBase - 1);
}

std::optional<int> SameNamedButton(const GroupPanel& panel, std::string_view name, int except) {
  for (int i = 0; i < static_cast<int>(panel.Children.size()); ++i)
    if (i != except && IsLaunchButton(panel, i) && SameTextAscii(panel.Children[i].Hint, name)) return i;
  return std::nullopt;
}

}  // namespace

TPanelData NewGroupData() {
  TPanelData r;
  r.Color = 0x00E5E5E5;      // red, green, blue 229
  r.FromColor = 0x00FFFFFF;  // white
  r.ToColor = 0x008F8F8E;    // red 142, green 143, blue 143
  r.DrawStyle = 0;
  r.PictureFile.clear();
  r.Visible = r.ShowTitle = r.ShowCaption = r.ShowAsButton = r.LayoutLeft = r.BevelDown = true;
  r.SmallIcon = r.ShowTitleIcon = false;
  return r;
}

std::string AddressWithoutPrefix(std::string_view fileName, std::uint16_t kind) {
  const std::string_view prefix = kind == gkWeb ? "HTTP://" : "MAILTO:";
  const std::size_t at = FindTextAscii(fileName, prefix);
  return std::string(at == std::string_view::npos ? fileName : fileName.substr(at + prefix.size()));
}

std::string DeleteButtonQuestion(std::uint16_t kind, const GroupButton& b) {
  std::string detail;
  switch (kind) {
    case gkShortcut: detail = "同时将会从磁盘上删除以下文件:\r" + b.FileName; break;
    case gkWeb: detail = "其所指向的网址是:\r" + b.FileName; break;
    default: detail = "其所定义的电子邮箱地址是:\r" + AddressWithoutPrefix(b.FileName, gkEmail); break;
  }
  return "你是否确认要删除按钮: 【" + b.Caption + "】?\r\r" + detail;
}

std::string DeleteGroupQuestion(const TPanelData& g) {
  std::string detail;
  switch (g.PanelStyle) {
    case gkShortcut:
      detail = g.Directory +
               "\r\r删除该快捷方式工具栏, \r并不会从磁盘上清除其所包含的快捷方式文件;\r"
               "你可通过其他方式删除该工具栏下的所有快捷方式文件\r\r";
      break;
    case gkWeb: detail = "删除该工具栏将请除其所包含的所有网址信息\r\r"; break;
    case gkEmail: detail = "删除该工具栏将请除其所包含的所有电子邮件地址信息\r\r"; break;
    default: break;
  }
  return "将要删除工具栏 ------ 【" + g.Title + "】\r\r" + detail + "是否确认继续删除当前工具栏！";
}

FlagFollowUp ToggleDisplayFlag(TPanelData& d, int tag) {
  switch (tag) {
    case 10: d.ShowTitle = !d.ShowTitle; return FlagFollowUp::kLayout;
    case 20: d.ShowCaption = !d.ShowCaption; return FlagFollowUp::kLayout;
    case 30: d.LayoutLeft = !d.LayoutLeft; return FlagFollowUp::kLayout;
    case 40: d.SmallIcon = !d.SmallIcon; return FlagFollowUp::kRefill;
    case 50: d.BevelDown = !d.BevelDown; return FlagFollowUp::kAppearance;
    case 60: d.ShowTitleIcon = !d.ShowTitleIcon; return FlagFollowUp::kAppearance;
    default: return FlagFollowUp::kNone;
  }
}

bool MayCreateGroupFolder(std::string_view folder, std::string_view quickLaunchFolder) {
  return !quickLaunchFolder.empty() && SameTextAscii(AddBackslash(folder), AddBackslash(quickLaunchFolder));
}

bool IsFilled(const GroupPanel& panel) {
  for (const BarButton& b : panel.Children)
    if (b.IsCollapse()) return true;
  return false;
}

std::vector<std::string> OtherButtonNames(const GroupPanel& panel, int except) {
  std::vector<std::string> names;
  for (int i = 0; i < static_cast<int>(panel.Children.size()); ++i)
    if (i != except && IsLaunchButton(panel, i)) names.push_back(panel.Children[i].Hint);
  return names;
}

std::vector<std::string> SectionButtonNames(const IniFile& gpf, std::string_view title) {
  return gpf.ReadSection(ButtonSectionName(title));
}

std::vector<std::string> OtherGroupTitles(const std::vector<GroupPanel>& groups, int except,
                                          const std::vector<GroupListEntry>& kept) {
  std::vector<std::string> titles;
  for (int i = 0; i < static_cast<int>(groups.size()); ++i)
    if (i != except) titles.push_back(groups[i].Data.Title);
  // A group that shares a kept title (its record is the one on disk now) keeps it.
  const bool own = except >= 0 && except < static_cast<int>(groups.size());
  for (const GroupListEntry& entry : kept)
    if (!own || !SameTextAscii(entry.Title, groups[except].Data.Title)) titles.push_back(entry.Title);
  return titles;
}

int PutLaunchButton(GroupPanel& panel, const std::string& name, const std::string& target) {
  if (panel.Data.PanelStyle != gkShortcut) {
    if (const std::optional<int> same = SameNamedButton(panel, name, -1)) {
      ChangeLaunchButton(panel, *same, name, target);
      return *same;
    }
  }
  // Before the collapse button, which stays last.
  auto at = panel.Children.end();
  for (auto it = panel.Children.begin(); it != panel.Children.end(); ++it)
    if (it->IsCollapse()) at = it;
  BarButton b;
  b.Caption = b.Hint = name;
  b.FileName = target;
  const int index = static_cast<int>(at - panel.Children.begin());
  panel.Children.insert(at, std::move(b));
  RenumberLaunchButtons(panel);
  return index;
}

void ChangeLaunchButton(GroupPanel& panel, int index, const std::string& name, const std::string& target) {
  if (!IsLaunchButton(panel, index)) return;
  BarButton& b = panel.Children[index];
  b.Caption = b.Hint = name;
  b.FileName = target;
  if (panel.Data.PanelStyle == gkShortcut) return;
  if (const std::optional<int> same = SameNamedButton(panel, name, index)) RemoveLaunchButton(panel, *same);
}

bool RemoveLaunchButton(GroupPanel& panel, int index) {
  if (!IsLaunchButton(panel, index)) return false;
  panel.Children.erase(panel.Children.begin() + index);
  RenumberLaunchButtons(panel);
  return true;
}

int DeleteGroupAt(std::vector<GroupPanel>& groups, std::size_t index) {
  if (index >= groups.size()) return 0;
  groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(index));
  for (std::size_t i = index; i < groups.size(); ++i) {
    GroupPanel& g = groups[i];
    g.Tag = g.MenuItem.Tag = static_cast<int>(i);
    for (BarButton& b : g.Children)
      if (b.IsCollapse()) b.Tag = kCollapseTagBase + g.Tag;
  }
  return static_cast<int>(index) + 1;
}

}  // namespace wendlix
