// The main window as the program makes it, on settings files of the test's own: the message
// routes only the real window has (a menu item reaching its command, the auto-hide timer, the
// hotkey held off while a menu or box has the keyboard, closing saves), and that opening its
// menus touches no file and no registry value.
#include "win/app/main_form.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bar/bar_texts.h"
#include "core/bar/group_construction.h"
#include "core/profile/ini_file.h"
#include "core/text/encoding.h"
#include "support/import_hooks.h"
#include "support/win_test_support.h"
#include "win/common/accessible_ids.h"
#include "win/common/registry.h"
#include "win/common/wide.h"
#include "win/inspect/bar_query.h"
#include "win/shell/shell_windows.h"
#include "win/ui/p_messages.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

using namespace testing_support;

// The popup menu window on the screen, if one is.
HWND MenuWindow() {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32768", nullptr));)
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

// A step that acts once on the open menu.
ModalScript::Step OnMenu(std::function<void(HWND)> act) {
  return [act = std::move(act)] {
    const HWND menu = MenuWindow();
    if (menu) act(menu);
    return menu != nullptr;
  };
}

// ---- counting the bar's own file and registry calls, through this exe's import table

bool g_counting = false;
DWORD g_countingThread = 0;
std::vector<std::string> g_calls;

template <int N, typename R, typename... A>
struct Counted {
  static inline void* original = nullptr;
  static inline const char* name = nullptr;
  // One calling convention on x64: the hook stands in for the system's function as it is.
  static R Call(A... a) {
    if (g_counting && GetCurrentThreadId() == g_countingThread) g_calls.emplace_back(name);
    return reinterpret_cast<R (*)(A...)>(original)(a...);
  }
};

template <int N, typename R, typename... A>
ImportHook Hook(const char* name, R (*)(A...)) {
  Counted<N, R, A...>::name = name;
  return {name, reinterpret_cast<void*>(&Counted<N, R, A...>::Call), &Counted<N, R, A...>::original};
}

const std::vector<ImportHook>& FileAndRegistryHooks() {
  static const std::vector<ImportHook> hooks = {
      Hook<0>("CreateFileW", &CreateFileW),
      Hook<1>("CreateFileA", &CreateFileA),
      Hook<2>("GetFileAttributesW", &GetFileAttributesW),
      Hook<3>("GetFileAttributesExW", &GetFileAttributesExW),
      Hook<4>("FindFirstFileW", &FindFirstFileW),
      Hook<5>("GetPrivateProfileStringW", &GetPrivateProfileStringW),
      Hook<6>("RegOpenKeyExW", &RegOpenKeyExW),
      Hook<7>("RegCreateKeyExW", &RegCreateKeyExW),
      Hook<8>("RegQueryValueExW", &RegQueryValueExW),
      Hook<9>("RegSetValueExW", &RegSetValueExW),
  };
  return hooks;
}

// ---- the window

constexpr char kHotKey[] = "Ctrl+Alt+Shift+F9";

// Receives the bar's answers to the inspection queries.
std::string g_answer;
LRESULT CALLBACK AnswerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_COPYDATA) return DefWindowProcW(h, msg, wp, lp);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  g_answer.assign(static_cast<const char*>(data->lpData), data->cbData);
  return TRUE;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ForgetConfigBase(); }
  void TearDown() override {
    form_.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ForgetConfigBase();
  }

  // The bar on the right edge with one web group (its title and button lines in code page 936).
  void Start(const std::string& title = "Web",
             const std::string& buttons = "News=http://news.example.cn/\r\n") {
    const std::string ini =
        "[Wendlix V3.0]\r\nAutoRun=0\r\nReLoadSet=0\r\nEdge=2\r\nAutoHide=0\r\nAlwaysOnTop=1\r\n"
        "Groups=1\r\nWidth=86\r\nHeight=300\r\nHotKey=" +
        std::string(kHotKey) + "\r\n\r\n[Groups]\r\n" + title + "=C:\\\r\n";
    Create(ini, "[" + title + "]\r\nPanel Style=1\r\nHeight=150\r\n[" + title + "  Buttons]\r\n" + buttons);
    ShowWindow(form_->Handle(), SW_SHOWNOACTIVATE);
    Pump();
  }
  // The window made on these files, not yet shown.
  void Create(const std::string& ini, const std::string& gpf) {
    ASSERT_TRUE(WriteBytes(folder_ / "Wendlix.INI", ini));
    ASSERT_TRUE(WriteBytes(folder_ / "Wendlix.GPF", gpf));
    program_ = {folder_ / "Wendlix.exe", folder_.Path(), "Wendlix"};
    form_ = std::make_unique<TWendlixMainForm>(program_, state_);
    ASSERT_TRUE(form_->Create(GetModuleHandleW(nullptr), nullptr));
  }
  HWND Bar() const { return form_->Handle(); }
  std::string Ask(const std::string& query) {
    g_answer.clear();
    COPYDATASTRUCT data{kBarQueryMagic, static_cast<DWORD>(query.size()), const_cast<char*>(query.data())};
    SendMessageW(Bar(), WM_COPYDATA, reinterpret_cast<WPARAM>(asker_.get()), reinterpret_cast<LPARAM>(&data));
    return g_answer;
  }

  // A click on the title button, found in the bar's own layout report: the bar settings menu.
  void ClickTitleButton() {
    const std::string layout = Ask("layout");
    int l = 0, t = 0, r = 0, b = 0;
    const std::size_t at = layout.find("btntitle\t");
    ASSERT_NE(at, std::string::npos) << layout;
    ASSERT_EQ(std::sscanf(layout.c_str() + at + 9, "%d,%d,%d,%d", &l, &t, &r, &b), 4) << layout;
    const LPARAM centre = MAKELPARAM((l + r) / 2, (t + b) / 2);
    SendMessageW(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(Bar(), WM_LBUTTONUP, 0, centre);
  }

  // Opens a menu with `open` and runs `during` once it is on the screen; then dismisses it
  // (unless `during` chose an item). True when a menu was seen.
  bool WithMenu(const std::function<void()>& open, const std::function<void(HWND menu)>& during) {
    bool seen = false;
    // The second step comes after whatever `during` posted was handled.
    ModalScript script({OnMenu([&](HWND menu) {
                          seen = true;
                          during(menu);
                        }),
                        [] {
                          if (MenuWindow()) EndMenu();
                          return true;
                        }});
    open();
    Pump();
    return seen;
  }

  static void ForgetConfigBase() {
    if (const unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), false))
      DeleteRegValue(key.get(), "Confing FileName");
  }

  TempFolder folder_{"main_window"};
  ProgramInfo program_;
  BarState state_;
  std::unique_ptr<TWendlixMainForm> form_;
  const unique_hwnd asker_{[] {
    const HWND h = MakeWindow(L"WendlixMainWindowTestAsker", nullptr, 0);
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerProc));
    return h;
  }()};
};

TEST_F(MainWindowTest, MenuItemReachesItsCommandAndTheTimerFollows) {
  Start();
  ASSERT_EQ(Ask("timer"), "AutoHideTimer=0 AutoHide=0");
  // "自动隐藏(&N)", typed in the open menu.
  EXPECT_TRUE(WithMenu([&] { ClickTitleButton(); }, [](HWND menu) { PostMessageW(menu, WM_CHAR, L'n', 0); }));
  EXPECT_EQ(Ask("timer"), "AutoHideTimer=1 AutoHide=1");
  // The real timer reaches the toolbar through the window: with the pointer away and another
  // window active, it slides to its sliver.
  const unique_hwnd other(
      MakeWindow(L"WendlixMainWindowTestOther", nullptr, WS_VISIBLE, {300, 300, 400, 400}));
  SetForegroundWindow(other.get());
  SetActiveWindow(other.get());
  SetCursorPos(10, 300);
  const int sliver = GetSystemMetrics(SM_CXSCREEN) - 2 * GetSystemMetrics(SM_CXBORDER);
  EXPECT_TRUE(PumpUntil([&] {
    RECT r{};
    GetWindowRect(Bar(), &r);
    return r.left == sliver;
  })) << "the auto-hide timer never slid the bar away";
}

TEST_F(MainWindowTest, HotKeyIsIgnoredWhileAMenuOrABoxIsOpen) {
  Start();
  // One field of the keyboard report ("focus=0,0 session=0 foreground=0 hotkey=...").
  const auto field = [&](const std::string& name) {
    const std::string k = " " + Ask("keyboard") + " ";
    const std::size_t at = k.find(" " + name + "=") + name.size() + 2;
    return k.substr(at, k.find(' ', at) - at);
  };
  ASSERT_EQ(field("hotkey"), kHotKey);
  const auto session = [&] { return field("session"); };
  const auto press = [&] { SendMessageW(Bar(), WM_HOTKEY, GlobalHotKey::kId, 0); };

  ASSERT_TRUE(WithMenu([&] { ClickTitleButton(); },
                       [&](HWND) {
                         press();
                         EXPECT_EQ(session(), "0");
                       }));

  SetActiveWindow(Bar());
  ModalScript script({OnWindow(TMessageForm::kClassName,
                               [&](HWND box) {
                                 EXPECT_FALSE(IsWindowEnabled(Bar())) << "the box did not hold the bar off";
                                 press();
                                 EXPECT_EQ(session(), "0");
                                 PostMessageW(box, WM_CLOSE, 0, 0);
                               })},
                     {TMessageForm::kClassName});
  ShowInfoBox("正文", "标题");
  EXPECT_TRUE(script.Finished());

  // Nothing open: the same press calls the bar up.
  press();
  EXPECT_EQ(session(), "1");
}

TEST_F(MainWindowTest, OpeningTheMenusReadsNoFileAndNoRegistryValue) {
  Start();
  const ImportPatch patch(FileAndRegistryHooks());
  ASSERT_GT(patch.Patched(), 0);
  g_countingThread = GetCurrentThreadId();
  g_calls.clear();
  // The hooks see the bar's own reads.
  g_counting = true;
  IniFile probe(folder_ / "Wendlix.INI");
  OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), false);
  g_counting = false;
  const std::size_t seenByProbe = g_calls.size();
  g_calls.clear();

  // From the first message to the menu on the screen: the bar settings menu from the title
  // button, the system tweaks menu from the title strip.
  std::vector<std::vector<std::string>> whileOpening;
  const auto open = [&](const std::function<void()>& how) {
    g_calls.clear();
    g_counting = true;
    const bool seen = WithMenu(how, [&](HWND) {
      g_counting = false;
      whileOpening.push_back(g_calls);
    });
    g_counting = false;
    return seen;
  };
  RECT r{};
  GetWindowRect(Bar(), &r);
  const bool mainMenu = open([&] { ClickTitleButton(); });
  const bool titleMenu = open([&] {
    SendMessageW(Bar(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Bar()), MAKELPARAM(r.left + 5, r.top + 5));
  });

  EXPECT_GE(seenByProbe, 2u);
  ASSERT_TRUE(mainMenu && titleMenu);
  EXPECT_EQ(whileOpening, (std::vector<std::vector<std::string>>{{}, {}}));
}

TEST_F(MainWindowTest, CloseSavesTheSettingsAndEndsTheLoop) {
  Start();
  ASSERT_TRUE(DeleteFileW(ToWide(folder_ / "Wendlix.INI").c_str()));
  SendMessageW(Bar(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(Bar()));
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  const IniFile saved(folder_ / "Wendlix.INI");
  EXPECT_EQ(saved.ReadInteger("Wendlix V3.0", "Edge", -1), 2);
  EXPECT_EQ(saved.ReadString("Wendlix V3.0", "HotKey", ""), kHotKey);
  EXPECT_EQ(saved.ReadSection("Groups"), std::vector<std::string>{"Web"});
}

// The messages the bar sends the shell, through this exe's import of SHAppBarMessage.
std::vector<DWORD> g_appBarMessages;
void* g_shAppBarMessage = nullptr;
UINT_PTR WINAPI NoteAppBarMessage(DWORD msg, PAPPBARDATA data) {
  g_appBarMessages.push_back(msg);
  return reinterpret_cast<decltype(&SHAppBarMessage)>(g_shAppBarMessage)(msg, data);
}

// Before its first paint a full bar lists only the folders of the bands it shows buttons of (a squeezed
// one shows its saved order until then), and tells the shell only where it docks, and once shown, that
// it moved.
TEST_F(MainWindowTest, BeforeItsFirstPaintTheBarListsOnlyTheBandsInViewAndTellsTheShellOnlyItsPlace) {
  std::string ini = "[Wendlix V3.0]\r\nEdge=2\r\nAutoHide=0\r\nGroups=3\r\nHeight=300\r\n[Groups]\r\n", gpf;
  for (const std::string title : {"Shown", "Squeezed", "Unsaved"}) {
    const std::string dir = folder_ / title + "\\";
    ASSERT_TRUE(CreateDirectoryW(ToWide(dir).c_str(), nullptr));
    for (const char* name : {"Kept.url", "New.url"})
      ASSERT_TRUE(WriteBytes(dir + name, "[InternetShortcut]\r\n"));
    ini += title + "=" + dir + "\r\n";
    gpf += "[" + title + "]\r\nTitle Text=" + title + "\r\nDirectory=" + dir + "\r\nHeight=5000\r\n";
    if (title != "Unsaved")
      gpf += "[" + title +
             "  Buttons]\r\nSub=x\\New.url\r\nKept=Kept.url\r\nkept=KEPT.url\r\nGone=Gone.url\r\nNone=\r\n";
  }
  const ImportPatch patch(
      {{"SHAppBarMessage", reinterpret_cast<void*>(&NoteAppBarMessage), &g_shAppBarMessage}});
  Create(ini, gpf);
  const auto buttons = [&](int g) { return PanelRecord(form_->State().Groups[g]).Buttons; };
  const auto listed = [&](const std::string& title) {
    return std::vector<GroupButton>{{"Kept", folder_ / title + "\\Kept.url", false},
                                    {"New", folder_ / title + "\\New.url", false}};
  };
  EXPECT_EQ(buttons(0), listed("Shown"));
  const std::string squeezed = folder_ / "Squeezed\\";
  EXPECT_EQ(buttons(1), (std::vector<GroupButton>{{"New", squeezed + "x\\New.url", false},
                                                  {"Kept", squeezed + "Kept.url", false},
                                                  {"Gone", squeezed + "Gone.url", false}}));
  EXPECT_EQ(buttons(2), listed("Unsaved"));
  ShowWindow(Bar(), SW_SHOWNOACTIVATE);
  EXPECT_EQ(g_appBarMessages, (std::vector<DWORD>{ABM_NEW, ABM_QUERYPOS, ABM_SETPOS, ABM_WINDOWPOSCHANGED}));
  EXPECT_TRUE(PumpUntil([&] { return !form_->State().Groups[1].FromSavedOrder; }));
  EXPECT_EQ(buttons(1), listed("Squeezed"));
}

}  // namespace
}  // namespace wendlix

namespace wendlix {
namespace {

std::string TakeText(BSTR text) {
  const std::string out = text ? FromWide(text) : std::string();
  SysFreeString(text);
  return out;
}

// A screen reader's questions, in the bar's own thread as Windows asks them.
TEST_F(MainWindowTest, ScreenReaderReadsTheBarsPartsAtEachDpiAndClicksByTheDefaultAction) {
  Start(*Utf8ToCp936("网页"),
        *Utf8ToCp936("新闻=http://news.example.cn/\r\n邮件=http://mail.example.cn/\r\n"));
  IAccessible* raw = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Bar(), static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                       reinterpret_cast<void**>(&raw)),
            S_OK);
  Microsoft::WRL::ComPtr<IAccessible> bar;
  bar.Attach(raw);
  const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), LONG id) {
    BSTR out = nullptr;
    (bar.Get()->*get)(AccChild(id), &out);
    return TakeText(out);
  };
  const auto number = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), LONG id) {
    VARIANT out{};
    (bar.Get()->*get)(AccChild(id), &out);
    return out.vt == VT_I4 ? out.lVal : -1;
  };
  LONG count = 0;
  ASSERT_EQ(bar->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);  // the title and system buttons, the group
  EXPECT_EQ(text(&IAccessible::get_accName, CHILDID_SELF), kMainFormCaption);
  EXPECT_EQ(text(&IAccessible::get_accKeyboardShortcut, CHILDID_SELF), kHotKey);
  EXPECT_EQ(number(&IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_TOOLBAR);
  EXPECT_EQ(text(&IAccessible::get_accName, 3), "网页");
  EXPECT_EQ(number(&IAccessible::get_accRole, 3), ROLE_SYSTEM_GROUPING);
  // The group is an object of its own holding its two buttons and its collapse arrow.
  Microsoft::WRL::ComPtr<IDispatch> group;
  ASSERT_EQ(bar->get_accChild(AccChild(3), &group), S_OK);
  Microsoft::WRL::ComPtr<IAccessible> groupAcc;
  ASSERT_EQ(group.As(&groupAcc), S_OK);
  ASSERT_EQ(groupAcc->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(text(&IAccessible::get_accName, 4), "新闻");
  EXPECT_EQ(text(&IAccessible::get_accName, 5), "邮件");
  EXPECT_EQ(text(&IAccessible::get_accDescription, 5), "http://mail.example.cn/");
  EXPECT_EQ(text(&IAccessible::get_accDefaultAction, 4), "启动");
  EXPECT_EQ(number(&IAccessible::get_accRole, 4), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(number(&IAccessible::get_accState, 4), STATE_SYSTEM_FOCUSABLE);

  // Where each button is: its place in the layout, on the screen, at 96 and 144 DPI.
  LONG heights[2] = {};
  for (int dpi : {96, 144}) {
    SendMessageW(Bar(), kWmDpiChanged, MAKEWPARAM(dpi, dpi), 0);
    const std::string layout = Ask("layout");
    const std::size_t at = layout.find("button\t0\t1\t");
    ASSERT_NE(at, std::string::npos) << layout;
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_EQ(std::sscanf(layout.c_str() + layout.find('\t', at + 11) + 3, "%d,%d,%d,%d", &l, &t, &r, &b), 4)
        << layout;
    POINT origin{0, 0};
    ClientToScreen(Bar(), &origin);
    LONG x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(bar->accLocation(&x, &y, &w, &h, AccChild(5)), S_OK);
    EXPECT_EQ((Rect{x, y, x + w, y + h}), (Rect{origin.x + l, origin.y + t, origin.x + r, origin.y + b}))
        << dpi;
    VARIANT hit{};
    ASSERT_EQ(bar->accHitTest(origin.x + (l + r) / 2, origin.y + (t + b) / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, 5) << dpi;
    heights[dpi == 144] = h;
  }
  EXPECT_EQ(heights[1], MulDiv(heights[0], 3, 2));

  // The keyboard's focus is the reader's.
  SendMessageW(Bar(), WM_HOTKEY, GlobalHotKey::kId, 0);
  EXPECT_EQ(number(&IAccessible::get_accState, 4), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  VARIANT focus{};
  ASSERT_EQ(bar->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt == VT_I4 ? focus.lVal : -1, 4);

  // The title button's default action is its click: the bar settings menu opens.
  EXPECT_TRUE(WithMenu([&] { EXPECT_EQ(bar->accDoDefaultAction(AccChild(1)), S_OK); }, [](HWND) {}));
}

}  // namespace
}  // namespace wendlix
