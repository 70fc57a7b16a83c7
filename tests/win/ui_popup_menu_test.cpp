// The owner-drawn popup menu: what it builds, how it paints into a DC, late filling, and
// one real opening on the screen.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/bar_menu/bar_menu.h"
#include "support/look_support.h"
#include "support/pictures_support.h"
#include "support/win_test_support.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/ui/popup_menu.h"

namespace wendlix {
namespace {

using testing_support::Canvas;
using testing_support::Pump;
using testing_support::SolidImages;

MenuModel SampleModel() {
  MenuItem checked = MakeItem("checked", "&Checked");
  checked.Checked = true;
  MenuItem disabled = MakeItem("disabled", "&Disabled", 0, 1);
  disabled.Enabled = false;
  MenuItem hidden = MakeItem("hidden", "Hidden");
  hidden.Visible = false;
  MenuItem radio = MakeItem("radio", "Radio");
  radio.Checked = radio.RadioItem = true;
  return MenuModel("Wendlix V2.05",
                   {MakeItem("image", "&Image 图像", 0, 0), checked, MakeSeparator("sep"), disabled, hidden,
                    MakeSubMenu("sub", "&Sub", {radio, MakeItem("beta", "&Beta")}),
                    MakeFillOnOpenSubMenu("folder", "&Folder", 1000)});
}

MENUITEMINFOW InfoAt(HMENU menu, int pos) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  GetMenuItemInfoW(menu, pos, TRUE, &info);
  return info;
}

// Each item as the system holds it: owner-drawn, then s(eparator), r(adio), c(hecked), d(isabled),
// > (a sub-menu), and the name of the model's command it runs.
std::vector<std::string> Describe(HMENU menu, const MenuModel& model) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const MENUITEMINFOW info = InfoAt(menu, i);
    const MenuItem* command = model.FindByCommand(info.wID);
    std::string d = info.fType & MFT_OWNERDRAW ? "o" : "-";
    for (auto [on, c] : {std::pair{info.fType & MFT_SEPARATOR, 's'},
                         {info.fType & MFT_RADIOCHECK, 'r'},
                         {info.fState & MFS_CHECKED, 'c'},
                         {info.fState & MFS_DISABLED, 'd'},
                         {info.hSubMenu != nullptr, '>'}})
      if (on) d += c;
    if (command && !info.hSubMenu) d += " " + command->Name;
    items.push_back(d);
  }
  return items;
}

TEST(PopupMenu, BuildsOwnerDrawnItemsWithStatesAndSubMenus) {
  MenuModel model = SampleModel();
  PopupMenu menu(model);
  const HMENU root = menu.Build();
  // The hidden item is left out; a late sub-menu holds a disabled, unnamed "(空)" placeholder.
  EXPECT_EQ(Describe(root, model),
            (std::vector<std::string>{"o image", "oc checked", "os", "od disabled", "o>", "o>"}));
  const HMENU sub = GetSubMenu(root, 4);
  EXPECT_EQ(Describe(sub, model), (std::vector<std::string>{"orc radio", "o beta"}));
  EXPECT_EQ(Describe(GetSubMenu(root, 5), model), (std::vector<std::string>{"od "}));
  // A screen reader's menu proxy reads each owner-drawn item's text, "&" mark and all, at the start of its
  // data.
  for (auto [m, i, text] : {std::tuple{root, 0, L"&Image 图像"}, {root, 2, L"-"}, {sub, 1, L"&Beta"}}) {
    const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(InfoAt(m, i).dwItemData);
    ASSERT_EQ(msaa->dwMSAASignature, MSAA_MENU_SIG);
    EXPECT_EQ(std::wstring(msaa->pszWText, msaa->cchWText), text);
  }

  // Typed accelerators reach the model (which item a character runs is the core's): owner-drawn
  // items have no text the system could match.
  LRESULT r = 0;
  ASSERT_TRUE(
      menu.HandleMenuMessage(WM_MENUCHAR, MAKEWPARAM(L'b', MF_POPUP), reinterpret_cast<LPARAM>(sub), r));
  EXPECT_EQ(r, MAKELRESULT(1, MNC_EXECUTE));

  // Built again after a change: the new state, and the old handles are gone.
  model.Find("checked")->Checked = false;
  model.Find("hidden")->Visible = true;
  const HMENU again = menu.Build();
  EXPECT_EQ(Describe(again, model),
            (std::vector<std::string>{"o image", "o checked", "os", "od disabled", "o hidden", "o>", "o>"}));
  EXPECT_FALSE(IsMenu(root));
}

TEST(PopupMenu, FillsLateSubMenusOnceOnFirstOpening) {
  MenuModel model = SampleModel();
  PopupMenu menu(model);
  int fills = 0;
  menu.SetFillHandler([&](MenuItem& sub) {
    ++fills;
    sub.Children = {MakeItem("f1", "One", 1), MakeItem("f2", "Two", 2),
                    MakeFillOnOpenSubMenu("deeper", "Deeper", 1000)};
  });
  const HMENU root = menu.Build();
  const HMENU folder = GetSubMenu(root, 5);
  LRESULT result = -1;
  EXPECT_FALSE(menu.HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(CreateMenu()), 0, result));
  ASSERT_TRUE(menu.HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(folder), 5, result));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(fills, 1);
  EXPECT_EQ(Describe(folder, model), (std::vector<std::string>{"o f1", "o f2", "o>"}));
  const MENUITEMINFOW two = InfoAt(folder, 1);

  // The new items measure like the others; the nested late sub-menu fills in turn.
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, two.wID, 0, 0, two.dwItemData};
  EXPECT_TRUE(menu.HandleMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), result));
  EXPECT_GT(mis.itemHeight, 0u);
  menu.HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(folder), 5, result);
  EXPECT_EQ(fills, 1);  // only the first opening fills
  menu.HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(folder, 2)), 2, result);
  EXPECT_EQ(fills, 2);

  // A fill that fails or finds nothing leaves the placeholder, and nothing escapes.
  for (bool fail : {true, false}) {
    MenuModel other = SampleModel();
    PopupMenu failing(other);
    failing.SetFillHandler([&](MenuItem& sub) {
      sub.Children.clear();
      if (fail) throw std::runtime_error("unreadable folder");
    });
    const HMENU f = GetSubMenu(failing.Build(), 5);
    EXPECT_TRUE(failing.HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f), 5, result));
    EXPECT_EQ(Describe(f, other), (std::vector<std::string>{"od "})) << fail;
  }
}

bool AnyIn(const Canvas& canvas, const RECT& r, COLORREF c) { return canvas.CountIn(r, c) > 0; }

// The top-level items measured and drawn one under another into a canvas, item 4 selected.
struct PaintedMenu {
  std::vector<RECT> rects;
  int y = 3, width = 0;  // real menus start a few pixels down: slices must not depend on it
  std::unique_ptr<Canvas> canvas;
  std::vector<COLORREF> groundsLeft;  // the DC's background colour after each item
};

// Without `build`, the items of the menu as last built are drawn again.
PaintedMenu PaintMenu(PopupMenu& menu, bool build = true) {
  PaintedMenu painted;
  const HMENU root = build ? menu.Build() : menu.Handle();
  const int count = GetMenuItemCount(root);
  std::vector<RECT>& rects = painted.rects;
  int& y = painted.y;
  LRESULT result = 0;
  for (int i = 0; i < count; ++i) {
    const MENUITEMINFOW info = InfoAt(root, i);
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
    EXPECT_TRUE(menu.HandleMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), result)) << i;
    rects.push_back(RECT{0, y, 0, y + static_cast<LONG>(mis.itemHeight)});
    y += mis.itemHeight;
    painted.width = std::max(painted.width, static_cast<int>(mis.itemWidth));
  }
  painted.canvas = std::make_unique<Canvas>(painted.width, y + 3);
  const HWND menuHandle = reinterpret_cast<HWND>(root);
  for (int i = 0; i < count; ++i) {
    rects[i].right = painted.width;
    const MENUITEMINFOW info = InfoAt(root, i);
    const UINT state = i == 4 ? ODS_SELECTED : 0;
    DRAWITEMSTRUCT dis{
        ODT_MENU,       0, info.wID, ODA_DRAWENTIRE, state, menuHandle, painted.canvas->Dc(), rects[i],
        info.dwItemData};
    EXPECT_TRUE(menu.HandleMenuMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), result)) << i;
    painted.groundsLeft.push_back(GetBkColor(painted.canvas->Dc()));
  }
  return painted;
}

TEST(PopupMenu, PaintsStripImagesChecksAndStatesIntoADc) {
  unique_himagelist images = SolidImages(16);
  MenuModel model = SampleModel();
  PopupMenu menu(model, images.get());
  const PaintedMenu painted = PaintMenu(menu);
  const std::vector<RECT>& rects = painted.rects;
  const int y = painted.y, width = painted.width;
  const Canvas& canvas = *painted.canvas;
  const int strip = menu.TitleStripWidth();
  EXPECT_GT(strip, 10);
  EXPECT_GT(width, strip + 60);
  LRESULT result = 0;
  // The strip is one gradient over the whole menu (dark toward the bottom), with the title in white.
  int lastBlue = 256, white = 0;
  for (int py = 3; py < y; ++py) {
    const COLORREF c = canvas.At(1, py);
    EXPECT_LE(GetBValue(c), lastBlue) << "strip breaks at y " << py;
    lastBlue = GetBValue(c);
    for (int px = 0; px < strip; ++px) white += canvas.At(px, py) == RGB(255, 255, 255);
  }
  EXPECT_GT(white, 20);
  const COLORREF menuColor = GetSysColor(COLOR_MENU);
  auto box = [&](int i) { return RECT{strip, rects[i].top, strip + 22, rects[i].bottom}; };
  EXPECT_TRUE(AnyIn(canvas, box(0), RGB(255, 0, 0)));               // image 0
  EXPECT_TRUE(AnyIn(canvas, box(1), GetSysColor(COLOR_MENUTEXT)));  // a tick
  EXPECT_FALSE(AnyIn(canvas, box(3), RGB(0, 255, 0)));              // disabled image is dimmed
  EXPECT_TRUE(
      AnyIn(canvas, RECT{strip + 25, rects[3].top, width, rects[3].bottom}, GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_EQ(canvas.At(width - 3, rects[0].top + 1), menuColor);
  EXPECT_EQ(canvas.At(width - 3, rects[4].top + 1), GetSysColor(COLOR_HIGHLIGHT));  // selected

  // Messages about other menus and other controls are not this control's.
  MEASUREITEMSTRUCT foreign{ODT_MENU, 0, 1, 0, 0, 12345};
  EXPECT_FALSE(menu.HandleMenuMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&foreign), result));
  EXPECT_FALSE(menu.HandleMenuMessage(WM_DRAWITEM, 0, 0, result));
  EXPECT_FALSE(menu.HandleMenuMessage(WM_COMMAND, 1, 0, result));
}

// Each look: ground and selection from its palette, text readable in the dark and high-contrast
// looks, high contrast's strip plain; a built menu redraws its strip when the look changes.
TEST(PopupMenu, PaintsEachLookReadablyAndRedrawsTheStripWhenTheLookChanges) {
  unique_himagelist images = SolidImages(16);
  MenuModel model = SampleModel();
  PopupMenu menu(model, images.get()), fresh(model, images.get());
  menu.Build();
  for (ThemeMode mode : {ThemeMode::kDark, ThemeMode::kHighContrast, ThemeMode::kLight}) {
    SCOPED_TRACE(testing_support::LookName(mode));
    testing_support::LookScope look(mode);
    LRESULT result = 0;
    EXPECT_FALSE(menu.HandleMenuMessage(ThemeChangedMessage(), 0, 0, result));
    const PaintedMenu p = PaintMenu(menu, false), built = PaintMenu(fresh);
    const MenuPalette& c = CurrentPalette().menu;
    const int left = menu.TitleStripWidth() + 26;
    const auto text = [&](int i) { return RECT{left, p.rects[i].top, p.width - 20, p.rects[i].bottom}; };
    EXPECT_EQ(p.canvas->At(p.width - 3, p.rects[0].top + 1), c.background);
    EXPECT_EQ(p.canvas->At(p.width - 3, p.rects[4].top + 1), c.highlight);
    // The system draws a sub-menu's arrow after the item, its mask in the DC's two colours.
    EXPECT_EQ(p.groundsLeft[0], c.background);
    EXPECT_EQ(p.groundsLeft[4], c.highlight);
    for (int y = p.rects[0].top; y < p.y; y += 5) EXPECT_EQ(p.canvas->At(1, y), built.canvas->At(1, y));
    if (mode == ThemeMode::kLight) continue;  // the system's own colours, as ever
    EXPECT_GE(testing_support::TextContrast(*p.canvas, text(0), c.background), kReadableContrast);
    EXPECT_GE(testing_support::TextContrast(*p.canvas, text(4), c.highlight), kReadableContrast);
    if (mode == ThemeMode::kHighContrast) {
      EXPECT_EQ(p.canvas->At(1, p.rects[0].top), c.highlight);
    }
  }
}

// The owner of a real opening: forwards the menu messages and, once the menu waits for
// input, looks at the screen and then types or dismisses.
struct OpenMenuRun {
  PopupMenu* menu = nullptr;
  wchar_t key = 0;  // typed once the menu is idle; 0 dismisses it
  bool idle = false, stripOnScreen = false, nestedRefused = false;
  RECT menuRect{};

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* run = reinterpret_cast<OpenMenuRun*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (run && run->menu && run->menu->HandleMenuMessage(msg, wp, lp, result)) return result;
    if (run && msg == WM_ENTERIDLE && wp == MSGF_MENU && !run->idle) {
      run->idle = true;
      run->Look(reinterpret_cast<HWND>(lp));
      const HMENU open = run->menu->Handle();
      run->nestedRefused =
          run->menu->Popup(hwnd, POINT{0, 0}) == nullptr && run->menu->Build() == open && IsMenu(open);
      if (run->key)
        PostMessageW(reinterpret_cast<HWND>(lp), WM_CHAR, run->key, 0);
      else
        EndMenu();
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  void Look(HWND menuWindow) {
    if (!menuWindow) menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !GetWindowRect(menuWindow, &menuRect)) return;
    WindowDc screen(nullptr);
    const int w = menuRect.right - menuRect.left, h = menuRect.bottom - menuRect.top;
    Canvas shot(w, h);
    BitBlt(shot.Dc(), 0, 0, w, h, screen.get(), menuRect.left, menuRect.top, SRCCOPY);
    // Down the left, inside the frame: the strip's blues, not the menu's grey.
    int blue = 0;
    for (int y = 0; y < h; ++y) {
      const COLORREF c = shot.At(5, y);
      blue += GetBValue(c) > GetRValue(c) + 40;
    }
    stripOnScreen = blue > h / 2;
  }
};

TEST(PopupMenu, OpensOnTheScreenAndReturnsTheChosenItem) {
  unique_himagelist images = SolidImages(16);
  MenuModel model = BuildMainPMenu({{"程序", 0, true}, {"网址", 1, false}});
  MainPMenuPopup(model, BarSettings{}, {});
  PopupMenu menu(model, images.get());
  const unique_hwnd owner(testing_support::MakeWindow(L"WendlixPopupMenuTestOwner", nullptr));
  ASSERT_TRUE(owner);
  OpenMenuRun run{&menu};
  SetWindowLongPtrW(owner.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&run));
  SetWindowLongPtrW(owner.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OpenMenuRun::Proc));

  EXPECT_EQ(menu.Popup(owner.get(), POINT{100, 40}), nullptr);  // dismissed
  if (!run.idle) GTEST_SKIP() << "the menu never waited for input (no display?)";
  EXPECT_TRUE(run.stripOnScreen);
  EXPECT_TRUE(run.nestedRefused);
  EXPECT_GT(run.menuRect.right - run.menuRect.left, menu.TitleStripWidth() + 60);

  run = OpenMenuRun{&menu, L'a'};  // "关于 Wendlix (&A)..."
  const MenuItem* chosen = menu.Popup(owner.get(), POINT{100, 40});
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Name, "AboutN");
  Pump();
}

}  // namespace
}  // namespace wendlix
