#include "core/button_menu/button_menu.h"

#include <string_view>

#include "core/text/paths.h"

namespace wendlix {
namespace {

constexpr char kDeleteButtonCaption[] = "删除按钮(&D)";

MenuItem Flag(std::string name, std::string caption, int tag) {
  return MakeItem(std::move(name), std::move(caption), tag);
}

void Set(MenuModel& menu, std::string_view name, bool MenuItem::*field, bool value) {
  if (MenuItem* item = menu.Find(name)) item->*field = value;
}

// "&" in a name or title is shown as it stands.
std::string Literal(std::string_view text) {
  std::string out;
  for (char c : text) out += c == '&' ? std::string("&&") : std::string(1, c);
  return out;
}

}  // namespace

MenuModel BuildPopupMenuBtn() {
  MenuModel menu({}, {
                         MakeItem("N9", "新建按钮(&N)...", 0, 5),
                         MakeItem("S3", "按钮属性(&S)..."),
                         MakeSeparator("N7"),
                         MakeItem("D1", kDeleteButtonCaption, 0, 1),
                         MakeSeparator("N49"),
                         MakeSubMenu("B1", "按钮显示设定(&B)",
                                     {Flag("T2", "显示按钮文本(&T)", kFlagShowCaption),
                                      Flag("P1", "图标显示在上方(&P)", kFlagIconAbove),
                                      Flag("N16", "显示大图标(&L)", kFlagLargeIcons)}),
                         MakeSeparator("N10"),
                         MakeSubMenu("S4", "显示工具栏(&S)", {}),
                         MakeSeparator("N11"),
                         MakeItem("N6", "新建组(&G)...", 0, 20),
                         MakeSeparator("N3"),
                         MakeSubMenu("S2", "设置组属性(&O)...",
                                     {MakeItem("S5", "设置(&S)......", 0, 4), MakeSeparator("N15"),
                                      Flag("T1", "显示组标题(&T)", kFlagShowTitle),
                                      Flag("I1", "显示组图标(&I)", kFlagTitleIcon),
                                      Flag("D3", "下按边框(&D)", kFlagBevelDown), MakeSeparator("N12"),
                                      MakeItem("N5", "工具栏显示为按钮(&S)"), MakeSeparator("N8"),
                                      MakeItem("L1", "导出(&L)..."), MakeItem("I2", "导入(&I)...")},
                                     4),
                         MakeSeparator("N13"),
                         MakeItem("D2", "删除组(&E)", 0, 2),
                         MakeSeparator("N14"),
                         MakeItem("O1", "Windows 资源管理器(&E)"),
                         MakeItem("H1", "隐藏(&H)"),
                         MakeSeparator("N36"),
                         MakeItem("R1", "刷新(&R)", 0, 3),
                     });
  EnsureNotEmpty(*menu.Find("S4"));
  menu.AssignCommandIds();
  return menu;
}

bool CanDeleteButton(std::uint16_t kind, const GroupButton& button) {
  return kind != gkShortcut || (!button.IsDirectory && IsShortcutFile(button.FileName));
}

void PopupMenuBtnPopup(MenuModel& menu, const ButtonMenuState& s) {
  // The groups list as the bar menu shows it, with the same names, tags and check marks.
  if (MenuItem* list = menu.Find("S4")) {
    list->Children.clear();
    for (const GroupMenuEntry& g : s.Groups) {
      MenuItem entry =
          MakeItem(std::string(kGroupEntryPrefix) + std::to_string(g.Tag), Literal(g.Caption), g.Tag);
      entry.Checked = g.Checked;
      list->Children.push_back(std::move(entry));
    }
    EnsureNotEmpty(*list);
  }

  const bool group = s.Group.has_value();
  const TPanelData d = group ? *s.Group : TPanelData{};
  // Everything but the groups list and the new group needs a group.
  for (std::string_view name : {"N9", "B1", "S2", "D2", "O1", "H1", "R1"})
    Set(menu, name, &MenuItem::Enabled, group);
  Set(menu, "T1", &MenuItem::Checked, group && d.ShowTitle);
  Set(menu, "T2", &MenuItem::Checked, group && d.ShowCaption);
  Set(menu, "P1", &MenuItem::Checked, group && !d.LayoutLeft);
  Set(menu, "D3", &MenuItem::Checked, group && d.BevelDown);
  Set(menu, "I1", &MenuItem::Checked, group && d.ShowTitleIcon);
  Set(menu, "N16", &MenuItem::Visible, true);
  Set(menu, "N16", &MenuItem::Checked, group && d.SmallIcon);
  Set(menu, "N5", &MenuItem::Checked, group && d.ShowAsButton);

  const bool button = group && s.Button.has_value();
  for (std::string_view name : {"S3", "N7", "D1"}) Set(menu, name, &MenuItem::Visible, button);
  // Properties rewrite the button's file as delete removes it: both only for what delete may touch.
  const bool changeable = button && CanDeleteButton(d.PanelStyle, *s.Button);
  Set(menu, "D1", &MenuItem::Enabled, changeable);
  Set(menu, "S3", &MenuItem::Enabled, changeable);
  if (MenuItem* d1 = menu.Find("D1"))
    d1->Caption = button ? std::string(kDeleteButtonCaption) + " \"" + Literal(s.Button->Caption) + "\""
                         : kDeleteButtonCaption;

  if (MenuItem* d2 = menu.Find("D2"))
    d2->Caption = group ? "删除 \"" + Literal(d.Title) + "\" 组(&E)" : "删除组(&E)";
  Set(menu, "D2", &MenuItem::Enabled, group && s.BandCount > 1);

  const bool hide = !(s.VisibleBandCount == 1 && !(group && d.ShowAsButton));
  Set(menu, "H1", &MenuItem::Visible, hide);
  const bool explore = !group || d.PanelStyle == gkShortcut;
  Set(menu, "O1", &MenuItem::Visible, explore);
  Set(menu, "N14", &MenuItem::Visible, explore || hide);
  menu.AssignCommandIds();
}

ButtonMenuAction ButtonMenuActionOf(const MenuItem& item) {
  using A = ButtonMenuAction;
  const std::string_view name = item.Name;
  if (name.empty() || !item.IsCommand() || !item.Enabled || !item.Visible) return A::kNone;
  if (name.starts_with(kGroupEntryPrefix)) return A::kGroupVisible;
  struct Entry {
    std::string_view Name;
    A Action;
  };
  static constexpr Entry kActions[] = {
      {"N9", A::kNewButton},
      {"S3", A::kButtonProperties},
      {"D1", A::kDeleteButton},
      {"T1", A::kDisplayFlag},
      {"T2", A::kDisplayFlag},
      {"P1", A::kDisplayFlag},
      {"N16", A::kDisplayFlag},
      {"D3", A::kDisplayFlag},
      {"I1", A::kDisplayFlag},
      {"N6", A::kNewGroup},
      {"S5", A::kGroupProperties},
      {"N5", A::kShowAsButton},
      {"L1", A::kExport},
      {"I2", A::kImport},
      {"D2", A::kDeleteGroup},
      {"O1", A::kExplore},
      {"H1", A::kHide},
      {"R1", A::kRefresh},
  };
  for (const Entry& e : kActions)
    if (e.Name == name) return e.Action;
  return A::kNone;
}

}  // namespace wendlix
