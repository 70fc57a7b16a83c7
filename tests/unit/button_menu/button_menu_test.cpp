#include "core/button_menu/button_menu.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

// "name:flags" of the items a test looks at: E enabled, V visible, C checked.
std::string Look(const MenuModel& menu, std::initializer_list<const char*> names) {
  std::string out;
  for (const char* n : names) {
    const MenuItem* i = menu.Find(n);
    out += std::string(n) + ":" + (i->Enabled ? "E" : "") + (i->Visible ? "V" : "") +
           (i->Checked ? "C" : "") + " ";
  }
  return out;
}

ButtonMenuState Over(std::uint16_t kind, std::optional<GroupButton> button, int bands = 3, int visible = 2) {
  ButtonMenuState s;
  TPanelData d;
  d.Title = "工具&箱";
  d.PanelStyle = kind;
  s.Group = d;
  s.Button = std::move(button);
  s.BandCount = bands;
  s.VisibleBandCount = visible;
  s.Groups = {{"工具&箱", 0, true}, {"网址", 1, false}};
  return s;
}

TEST(ButtonMenu, DeleteAndPropertiesFollowWhatTheButtonIs) {
  MenuModel menu = BuildPopupMenuBtn();
  struct Case {
    std::uint16_t Kind;
    GroupButton Button;
    bool Changeable;
  };
  const Case cases[] = {
      {gkShortcut, {"记事本", "C:\\g\\Notepad.Lnk"}, true}, {gkShortcut, {"dos", "C:\\g\\dos.pif"}, true},
      {gkShortcut, {"站", "C:\\g\\site.url"}, true},        {gkShortcut, {"桌面", "C:\\g\\desk.scf"}, false},
      {gkShortcut, {"sub", "C:\\g\\sub", true}, false},     {gkShortcut, {"x", "C:\\g\\x.lnk", true}, false},
      {gkWeb, {"新闻", "http://news.example.org/"}, true},  {gkEmail, {"我", "MAILTO:me@example.org"}, true},
  };
  for (const Case& c : cases) {
    PopupMenuBtnPopup(menu, Over(c.Kind, c.Button));
    const std::string want = c.Changeable ? "S3:EV N7:EV D1:EV " : "S3:V N7:EV D1:V ";
    EXPECT_EQ(Look(menu, {"S3", "N7", "D1"}), want) << c.Button.FileName;
    EXPECT_EQ(menu.Find("D1")->Caption, "删除按钮(&D) \"" + c.Button.Caption + "\"");
  }
  // Away from a button neither shows, and the caption loses its name.
  PopupMenuBtnPopup(menu, Over(gkShortcut, std::nullopt));
  EXPECT_EQ(Look(menu, {"S3", "N7", "D1"}), "S3: N7:E D1: ");
  EXPECT_EQ(menu.Find("D1")->Caption, "删除按钮(&D)");
}

TEST(ButtonMenu, GroupItemsFromTheGroupAndTheBands) {
  MenuModel menu = BuildPopupMenuBtn();
  ButtonMenuState s = Over(gkShortcut, std::nullopt);
  s.Group->ShowTitle = false;
  s.Group->LayoutLeft = true;
  s.Group->SmallIcon = true;
  s.Group->ShowAsButton = false;
  PopupMenuBtnPopup(menu, s);
  EXPECT_EQ(Look(menu, {"T1", "T2", "P1", "N16", "D3", "I1", "N5"}),
            "T1:EV T2:EVC P1:EV N16:EVC D3:EVC I1:EV N5:EV ");
  EXPECT_EQ(menu.Find("D2")->Caption, "删除 \"工具&&箱\" 组(&E)");
  EXPECT_EQ(Look(menu, {"D2", "O1", "H1", "N14"}), "D2:EV O1:EV H1:EV N14:EV ");

  // One band: no delete. One visible band not shown as a button: no hide. Web: no explorer.
  s = Over(gkWeb, std::nullopt, 1, 1);
  PopupMenuBtnPopup(menu, s);
  EXPECT_EQ(Look(menu, {"D2", "O1", "H1", "N14"}), "D2:V O1:E H1:E N14:E ");
  s.Group->ShowAsButton = true;
  PopupMenuBtnPopup(menu, s);
  EXPECT_EQ(Look(menu, {"H1", "N14"}), "H1:EV N14:EV ");

  // The groups list mirrors the bar menu's, renewed on every opening.
  const MenuItem& s4 = *menu.Find("S4");
  ASSERT_EQ(s4.Children.size(), 2u);
  EXPECT_EQ(s4.Children[0].Caption, "工具&&箱");
  EXPECT_TRUE(s4.Children[0].Checked);
  EXPECT_FALSE(s4.Children[1].Checked);
  EXPECT_EQ(ButtonMenuActionOf(s4.Children[1]), ButtonMenuAction::kGroupVisible);
  EXPECT_EQ(s4.Children[1].Tag, 1);
}

TEST(ButtonMenu, OnEmptyPanelBtnOnlyTheGroupsListAndNewGroupWork) {
  MenuModel menu = BuildPopupMenuBtn();
  ButtonMenuState s;
  s.BandCount = 2;
  s.VisibleBandCount = 0;
  s.Groups = {{"a", 0, false}, {"b", 1, false}};
  PopupMenuBtnPopup(menu, s);
  EXPECT_EQ(Look(menu, {"N9", "S3", "D1", "B1", "S4", "N6", "S2", "D2", "O1", "R1"}),
            "N9:V S3: D1: B1:V S4:EV N6:EV S2:V D2:V O1:V R1:V ");
  EXPECT_EQ(menu.Find("D2")->Caption, "删除组(&E)");
  // A grey item runs nothing even if a stale id leads to it.
  EXPECT_EQ(ButtonMenuActionOf(*menu.Find("R1")), ButtonMenuAction::kNone);
  EXPECT_EQ(ButtonMenuActionOf(*menu.Find("N6")), ButtonMenuAction::kNewGroup);
}

TEST(ButtonMenu, ItemsLeadToTheirCommands) {
  MenuModel menu = BuildPopupMenuBtn();
  PopupMenuBtnPopup(menu, Over(gkShortcut, GroupButton{"a", "C:\\a.lnk"}));
  using A = ButtonMenuAction;
  const std::pair<const char*, A> expected[] = {{"N9", A::kNewButton},    {"S3", A::kButtonProperties},
                                                {"D1", A::kDeleteButton}, {"I1", A::kDisplayFlag},
                                                {"N6", A::kNewGroup},     {"S5", A::kGroupProperties},
                                                {"N5", A::kShowAsButton}, {"L1", A::kExport},
                                                {"I2", A::kImport},       {"D2", A::kDeleteGroup},
                                                {"O1", A::kExplore},      {"H1", A::kHide},
                                                {"R1", A::kRefresh},      {"B1", A::kNone}};
  for (const auto& [name, action] : expected) {
    const MenuItem* item = menu.Find(name);
    EXPECT_EQ(ButtonMenuActionOf(*item), action) << name;
    if (item->IsCommand()) {
      EXPECT_EQ(menu.FindByCommand(item->CommandId), item) << name;
    }
  }
  // The display-flag items carry the flag they toggle.
  EXPECT_EQ(menu.Find("P1")->Tag, kFlagIconAbove);
  EXPECT_EQ(menu.Find("D3")->Tag, kFlagBevelDown);
}

}  // namespace
}  // namespace wendlix
