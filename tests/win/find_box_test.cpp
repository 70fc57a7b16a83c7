// The find box as a real window: typed keys and mouse messages in, the owner's callbacks out;
// where it stands on the screen at its DPI; what it paints; and that closing it gives back every
// object it made. Matching, ranking, rows and placement are the core's (tests/unit/find).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/look_support.h"
#include "support/pictures_support.h"
#include "support/win_test_support.h"
#include "win/appbar/monitors.h"
#include "win/common/handle_counts.h"
#include "win/common/unique_handle.h"
#include "win/diagnostics/resource_counts.h"
#include "win/find/find_box.h"

namespace wendlix {
namespace {

using testing_support::Canvas;
using testing_support::MakeWindow;
using testing_support::SolidImages;

// A window standing in for the bar: the box's owner.
unique_hwnd MakeOwner(const Rect& r) {
  return unique_hwnd(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"bar", WS_POPUP | WS_VISIBLE, r.left,
                                     r.top, r.Width(), r.Height(), nullptr, nullptr, nullptr, nullptr));
}

Rect PrimaryWork() {
  const MonitorList monitors = EnumMonitors();
  return monitors[PrimaryMonitor(monitors)].work;
}

// Entries 0..: ids 100 + index, images by index % 3.
std::vector<FindBoxEntry> Entries(HIMAGELIST images, const std::vector<FindCandidate>& candidates) {
  std::vector<FindBoxEntry> entries;
  for (std::size_t i = 0; i < candidates.size(); ++i)
    entries.push_back({candidates[i], FindBoxIcon{images, static_cast<int>(i % 3)}, 100 + i});
  return entries;
}

const std::vector<FindCandidate> kButtons = {
    {"计算器", "工具", 0, 0}, {"记事本", "工具", 1, 0},   {"QQ音乐", "娱乐", 2, 0},
    {"集市", "网站", 3, 0},   {"𠀀 Extra", "其他", 4, 0},
};

std::vector<FindCandidate> Tools(int count) {
  std::vector<FindCandidate> c;
  for (int i = 1; i <= count; ++i) {
    char name[16];
    std::snprintf(name, sizeof(name), "Tool %02d", i);
    c.push_back({name, "工具", static_cast<std::uint32_t>(i), 0});
  }
  return c;
}

// What the owner was told, in order.
struct Told {
  std::vector<std::string> calls;
  FindBox::Callbacks Callbacks() {
    return {[this](std::uint64_t id) { calls.push_back("launch " + std::to_string(id)); },
            [this](FindBoxEnd why) {
              calls.push_back(why == FindBoxEnd::kLaunched    ? "closed launched"
                              : why == FindBoxEnd::kCancelled ? "closed cancelled"
                                                              : "closed deactivated");
            }};
  }
};

void Key(HWND h, UINT vk) { SendMessageW(h, WM_KEYDOWN, vk, 1); }
void Chars(HWND h, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(h, WM_CHAR, c, 1);
}

// The line of a description that starts with `name`.
std::string Line(const std::string& describe, const std::string& name) {
  const std::size_t at = ("\n" + describe).find("\n" + name + "\t");
  return at == std::string::npos ? std::string() : describe.substr(at, describe.find('\n', at) - at);
}

FindBoxRequest LeftBarRequest(HWND owner, std::vector<FindBoxEntry> entries) {
  return {owner, MakeRect(PrimaryWork().left, PrimaryWork().top, 60, 400), abeLeft, 0, std::move(entries)};
}

// A box, its owner and what it told; solid 16-pixel images.
class FindBoxTest : public ::testing::Test {
 protected:
  bool Open(const std::vector<FindCandidate>& candidates, const wchar_t* typed) {
    return box.Open(LeftBarRequest(owner.get(), Entries(images.get(), candidates)), typed);
  }
  unique_himagelist images = SolidImages(16);
  unique_hwnd owner = MakeOwner(MakeRect(0, 0, 60, 400));
  Told told;
  FindBox box{told.Callbacks()};
};

TEST_F(FindBoxTest, TypedKeysFindChooseAndStartOrClose) {
  ASSERT_TRUE(Open(kButtons, L"j"));
  const HWND h = box.Handle();
  EXPECT_EQ(GetFocus(), h);
  EXPECT_EQ(GetActiveWindow(), h);
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(h, GW_OWNER), owner.get());

  Chars(h, L"s");
  Key(h, VK_DOWN);
  EXPECT_EQ(Line(box.Describe(), "query"), "query\tjs");
  EXPECT_EQ(Line(box.Describe(), "count"), "count\t3\t0\t2");
  // Backspace, a character from beyond the first plane (two halves), Chinese typed as itself.
  Key(h, VK_BACK);
  Key(h, VK_BACK);
  Chars(h, L"\xD840\xDC00");
  EXPECT_EQ(Line(box.Describe(), "query"), "query\t𠀀");
  Key(h, VK_BACK);
  Chars(h, L"qq音");
  Key(h, VK_UP);
  EXPECT_TRUE(told.calls.empty());
  Key(h, VK_RETURN);
  EXPECT_EQ(told.calls, (std::vector<std::string>{"launch 102", "closed launched"}));
  EXPECT_FALSE(box.IsOpen());
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(box.Describe(), "");

  // Escape; Alt+F4's close; the owner's own closing tells nothing.
  told.calls.clear();
  ASSERT_TRUE(Open(kButtons, L"q"));
  Key(box.Handle(), VK_ESCAPE);
  ASSERT_TRUE(Open(kButtons, L"q"));
  SendMessageW(box.Handle(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(Open(kButtons, L"q"));
  box.Close();
  EXPECT_EQ(told.calls, (std::vector<std::string>{"closed cancelled", "closed cancelled"}));
  EXPECT_FALSE(box.IsOpen());
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(FindBoxTest, MouseHoverChoosesClickStartsWheelScrolls) {
  ASSERT_TRUE(Open(Tools(20), L"t"));
  const HWND h = box.Handle();
  const FindBoxLayout& l = box.Layout();
  ASSERT_EQ(l.VisibleRows, 8);
  const int x = l.List.left + 20;
  const auto rowY = [&](int row) { return l.List.top + row * l.RowHeight + l.RowHeight / 2; };

  UINT lines = 0;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_EQ(lines, 3u);
  SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, -60), At(x, rowY(0)));  // half a notch: nothing yet
  EXPECT_EQ(Line(box.Describe(), "count"), "count\t20\t0\t0");
  SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, -60), At(x, rowY(0)));
  SendMessageW(h, WM_MOUSEMOVE, 0, At(x, rowY(2)));
  EXPECT_EQ(Line(box.Describe(), "count"), "count\t20\t3\t5");  // three rows down, the third shown chosen
  // Pressed on one row and released on another: nothing starts; then a click on one row.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, rowY(1)));
  SendMessageW(h, WM_LBUTTONUP, 0, At(x, rowY(4)));
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, l.Query.top + 2));
  SendMessageW(h, WM_LBUTTONUP, 0, At(x, l.Query.top + 2));
  EXPECT_TRUE(told.calls.empty());
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(x, rowY(1)));
  SendMessageW(h, WM_LBUTTONUP, 0, At(x, rowY(1)));
  EXPECT_EQ(told.calls, (std::vector<std::string>{"launch 104", "closed launched"}));
}

TEST_F(FindBoxTest, ClosesWhenAnotherWindowTakesTheActivation) {
  const unique_hwnd other(MakeWindow(L"STATIC", nullptr, WS_VISIBLE, {500, 500, 550, 550}));
  ASSERT_TRUE(Open(kButtons, L"j"));
  SetActiveWindow(other.get());
  EXPECT_EQ(told.calls, (std::vector<std::string>{"closed deactivated"}));
  EXPECT_FALSE(box.IsOpen());

  // A callback may do away with the box, or open it again.
  std::unique_ptr<FindBox> owned;
  owned = std::make_unique<FindBox>(FindBox::Callbacks{[&](std::uint64_t) { owned.reset(); }, nullptr});
  ASSERT_TRUE(owned->Open(LeftBarRequest(owner.get(), Entries(nullptr, kButtons)), L"j"));
  Key(owned->Handle(), VK_RETURN);
  EXPECT_EQ(owned, nullptr);
  FindBox* self = nullptr;
  FindBox reopening({nullptr, [&](FindBoxEnd) { self->Open(LeftBarRequest(owner.get(), {}), L"x"); }});
  self = &reopening;
  ASSERT_TRUE(reopening.Open(LeftBarRequest(owner.get(), {}), L"j"));
  Key(reopening.Handle(), VK_ESCAPE);
  ASSERT_TRUE(reopening.IsOpen());
  EXPECT_EQ(Line(reopening.Describe(), "query"), "query\tx");
  reopening.Close();
}

TEST_F(FindBoxTest, StandsBesideTheBarOnItsScreenAtItsDpi) {
  const Rect work = PrimaryWork();
  struct {
    TAppToolBarEdge edge;
    Rect bar;
  } const bars[] = {
      {abeRight, {work.right - 60, work.bottom - 100, work.right, work.bottom}},   // the box would hang below
      {abeBottom, {work.right - 100, work.bottom - 40, work.right, work.bottom}},  // and right of the screen
  };
  for (int dpi : {96, 144}) {
    // 300 pixels wide at 96 DPI; as high as its rows at that DPI make it.
    const int w = dpi == 96 ? 300 : 450;
    for (const auto& b : bars) {
      ASSERT_TRUE(box.Open({owner.get(), b.bar, b.edge, dpi, {}}, L"j"));
      const int h = box.Layout().Box.cy;
      // Beside a right bar, its bottom held on the screen; above a bottom bar, its right edge held.
      const Rect want = b.edge == abeRight ? Rect{b.bar.left - w, work.bottom - h, b.bar.left, work.bottom}
                                           : Rect{work.right - w, b.bar.top - h, work.right, b.bar.top};
      RECT got{};
      GetWindowRect(box.Handle(), &got);
      EXPECT_EQ((Rect{got.left, got.top, got.right, got.bottom}), want) << dpi << " " << b.edge;
      EXPECT_EQ(Line(box.Describe(), "dpi"), "dpi\t" + std::to_string(dpi));
    }
  }
  box.Close();
  EXPECT_TRUE(told.calls.empty());
}

int CountOther(const Canvas& c, const RECT& r, COLORREF background) {
  return (r.right - r.left) * (r.bottom - r.top) - c.CountIn(r, background);
}

// Text is smoothed: its colour shows in its darkest (or, light on dark, its lightest) pixel.
int Extreme(const Canvas& c, const RECT& r, bool lightest) {
  int found = lightest ? 0 : 255;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF p = c.At(x, y);
      const int level = (GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3;
      found = lightest ? std::max(found, level) : std::min(found, level);
    }
  return found;
}

std::unique_ptr<Canvas> Print(const FindBox& box) {
  auto canvas = std::make_unique<Canvas>(box.Layout().Box.cx, box.Layout().Box.cy);
  SendMessageW(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
  return canvas;
}

TEST_F(FindBoxTest, PaintsIconsNamesGroupsAndTheChosenRowInTheBarsColours) {
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    FindBoxRequest request = LeftBarRequest(owner.get(), Entries(images.get(), kButtons));
    request.Dpi = dpi;
    // "j": 计算器 (red), 记事本 (green), 集市 (red); the second chosen.
    ASSERT_TRUE(box.Open(std::move(request), L"j"));
    Key(box.Handle(), VK_DOWN);
    const FindBoxLayout& l = box.Layout();
    const std::unique_ptr<Canvas> shot = Print(box);
    const auto row = [&](int r, int left, int right) {
      return RECT{left, l.List.top + r * l.RowHeight, right, l.List.top + (r + 1) * l.RowHeight};
    };
    const int iconLeft = l.List.left + (dpi == 96 ? 2 : 3);
    const int nameLeft = iconLeft + l.IconSize + l.Gap;
    // The icons, scaled with the DPI: a full row of the image's colour, no wider.
    const int middle = l.List.top + l.RowHeight / 2;
    EXPECT_EQ(shot->CountIn(RECT{l.List.left, middle, nameLeft, middle + 1}, RGB(255, 0, 0)), l.IconSize);
    EXPECT_EQ(shot->CountIn(row(1, l.List.left, nameLeft), RGB(0, 255, 0)), l.IconSize * l.IconSize);
    // The chosen row in the highlight, its name in the highlight's text colour; the others on
    // the menus' colour with their names in menu text and their groups greyed.
    EXPECT_EQ(shot->At(l.List.left + 1, middle + l.RowHeight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(shot->At(l.List.left + 1, middle), GetSysColor(COLOR_MENU));
    const int half = (l.List.left + l.List.right) / 2;
    EXPECT_GT(CountOther(*shot, row(1, nameLeft, half), GetSysColor(COLOR_HIGHLIGHT)), 20);
    EXPECT_GT(Extreme(*shot, row(1, nameLeft, half), true), 224);  // highlight text: white
    const COLORREF menu = GetSysColor(COLOR_MENU);
    EXPECT_GT(CountOther(*shot, row(0, nameLeft, half), menu), 20);
    EXPECT_LT(Extreme(*shot, row(0, nameLeft, half), false), 48);  // menu text: black
    EXPECT_GT(CountOther(*shot, row(0, half, l.List.right), menu), 10);
    EXPECT_GT(Extreme(*shot, row(0, half, l.List.right), false), 96);  // greyed
    // No match: a greyed line of text where the first row would be, nothing chosen.
    Chars(box.Handle(), L"zzz");
    const std::unique_ptr<Canvas> none = Print(box);
    const RECT list{l.List.left, l.List.top, l.List.right, l.List.bottom};
    EXPECT_EQ(none->CountIn(list, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(CountOther(*none, row(0, l.List.left, l.List.right), menu), 20);
    EXPECT_GT(Extreme(*none, row(0, l.List.left, l.List.right), false), 96);
    EXPECT_EQ(CountOther(*none, row(1, l.List.left, l.List.right), menu), 0);
  }
  box.Close();
}

// Each look: ground, field and chosen row from its palette, text readable in the dark and
// high-contrast looks; the open box repaints when the look changes.
TEST_F(FindBoxTest, PaintsEachLookReadablyAndRepaintsWhenTheLookChanges) {
  ASSERT_TRUE(Open(kButtons, L"j"));
  Key(box.Handle(), VK_DOWN);
  const FindBoxLayout& l = box.Layout();
  const RECT field{l.Query.left + 3, l.Query.top + 3, l.Query.right - 3, l.Query.bottom - 3};
  const auto row = [&](int r) {
    return RECT{l.List.left + 20, l.List.top + r * l.RowHeight, l.List.right - 6,
                l.List.top + (r + 1) * l.RowHeight};
  };
  for (ThemeMode mode : {ThemeMode::kDark, ThemeMode::kHighContrast, ThemeMode::kLight}) {
    SCOPED_TRACE(testing_support::LookName(mode));
    testing_support::LookScope look(mode);
    UpdateWindow(box.Handle());
    SendMessageW(box.Handle(), ThemeChangedMessage(), 0, 0);
    EXPECT_TRUE(GetUpdateRect(box.Handle(), nullptr, FALSE));
    const std::unique_ptr<Canvas> shot = Print(box);
    const FindBoxPalette& c = CurrentPalette().findBox;
    EXPECT_EQ(shot->At(l.List.left + 1, l.List.top + 1), c.background);
    EXPECT_EQ(shot->At(l.List.left + 1, l.List.top + l.RowHeight + 1), c.highlight);
    EXPECT_EQ(shot->At(field.right - 1, field.top), c.field);
    if (mode == ThemeMode::kLight) continue;  // the system's own colours, as ever
    EXPECT_GE(testing_support::TextContrast(*shot, field, c.field), kReadableContrast);
    EXPECT_GE(testing_support::TextContrast(*shot, row(0), c.background), kReadableContrast);
    EXPECT_GE(testing_support::TextContrast(*shot, row(1), c.highlight), kReadableContrast);
  }
  box.Close();
}

// The owner opens the box on what it holds in memory and adds what it read afterwards; pictures
// that were on their way are asked for again.
TEST_F(FindBoxTest, TakesEntriesAndPicturesThatArriveAfterItOpened) {
  ASSERT_TRUE(box.Open(LeftBarRequest(owner.get(), {{{"记事本", "工具", 1, 0}, FindBoxIcon{}, 7}})));
  box.Add({{{"计算器", "工具", 0, 0}, FindBoxIcon{images.get(), 2}, 8}});
  Chars(box.Handle(), L"j");
  EXPECT_EQ(Line(box.Describe(), "count"), "count\t2\t0\t0");

  std::vector<std::uint64_t> asked;
  box.RefreshIcons([&](std::uint64_t id) {
    asked.push_back(id);
    return FindBoxIcon{images.get(), 1};
  });
  EXPECT_EQ(asked, (std::vector<std::uint64_t>{7}));  // only the entry shown without a picture
  const FindBoxLayout& l = box.Layout();
  const std::unique_ptr<Canvas> shot = Print(box);
  const RECT icons{l.List.left, l.List.top, l.List.left + 2 * l.IconSize, l.List.top + 2 * l.RowHeight};
  EXPECT_EQ(shot->CountIn(icons, RGB(0, 0, 255)), l.IconSize * l.IconSize);
  EXPECT_EQ(shot->CountIn(icons, RGB(0, 255, 0)), l.IconSize * l.IconSize);
  Key(box.Handle(), VK_RETURN);
  EXPECT_EQ(told.calls, (std::vector<std::string>{"launch 8", "closed launched"}));

  // The owner going away takes the box with it, and tells nothing.
  unique_hwnd going = MakeOwner(MakeRect(0, 0, 60, 400));
  ASSERT_TRUE(box.Open(LeftBarRequest(going.get(), Entries(images.get(), kButtons)), L"j"));
  going.reset();
  EXPECT_FALSE(box.IsOpen());
  EXPECT_EQ(told.calls, (std::vector<std::string>{"launch 8", "closed launched"}));
}

long OwnGdi() { return LiveHandleCount(HandleKind::kGdi); }
long OwnUser() { return LiveHandleCount(HandleKind::kUser); }

TEST_F(FindBoxTest, ClosingGivesBackEveryObjectItMade) {
  // Images of another size than the rows': the box makes icons of them.
  const unique_himagelist large = SolidImages(32);
  long heldGdi = 0, heldUser = 0;
  const auto session = [&](UINT closingKey) {
    ASSERT_TRUE(box.Open(LeftBarRequest(owner.get(), Entries(large.get(), Tools(30))), L"t"));
    const HWND h = box.Handle();
    UpdateWindow(h);
    Chars(h, L"oo");
    Key(h, VK_NEXT);
    SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    UpdateWindow(h);
    heldGdi = OwnGdi();
    heldUser = OwnUser();
    Key(h, closingKey);
  };
  session(VK_ESCAPE);  // whatever a first opening sets up for good stays out of the figures
  const ResourceCounts before = SampleResourceCounts();
  const long gdi = OwnGdi(), user = OwnUser();
  session(VK_ESCAPE);
  EXPECT_GT(heldGdi, gdi);    // its fonts
  EXPECT_GT(heldUser, user);  // its window and the icons
  session(VK_RETURN);
  SetActiveWindow(owner.get());
  const ResourceCounts after = SampleResourceCounts();
  EXPECT_EQ(OwnGdi(), gdi);
  EXPECT_EQ(OwnUser(), user);
  EXPECT_EQ(GdiObjects(after), GdiObjects(before));
  EXPECT_EQ(after.GuiUser, before.GuiUser);
  EXPECT_EQ(after.Windows, before.Windows);
  EXPECT_EQ(told.calls, (std::vector<std::string>{"closed cancelled", "closed cancelled", "launch 108",
                                                  "closed launched"}));
}

}  // namespace
}  // namespace wendlix
