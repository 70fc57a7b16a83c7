// Export and import of a group on real files: the exchange file and the group file as they
// are on disk after each command, with the questions answered by the test.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "core/bar/bar_texts.h"
#include "core/bar/group_file.h"
#include "core/exchange/exchange_export.h"
#include "core/exchange/exchange_file.h"
#include "core/exchange/exchange_import.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/encoding.h"
#include "shell_test_support.h"
#include "win/exchange/exchange_commands.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/shell/shell_links.h"
#include "win/ui/message_form.h"

namespace wendlix {
namespace {

using namespace testing_support;

std::string Gbk(std::string_view utf8) { return Utf8ToCp936(utf8).value(); }
std::string Bytes(const std::string& path) { return platform::ReadWholeFile(path).value_or("<missing>"); }

// Records every question and answers them all alike.
struct Answers {
  bool ok = true;
  std::vector<std::string> asked;
  ExchangeQuestion Callback() {
    return [this](const std::string& q) {
      asked.push_back(q);
      return ok;
    };
  }
};

GroupPanel Panel(std::uint16_t kind, const std::string& title, std::vector<GroupButton> buttons = {}) {
  GroupRecord r;
  r.Data.Title = title;
  r.Data.PanelStyle = kind;
  r.Width = 140;
  r.Height = 90;
  r.Buttons = std::move(buttons);
  GroupPanel p = PanelFromRecord(r, 0);
  p.Visible = p.Data.Visible && !p.Data.ShowAsButton;
  return p;
}

GroupPanel WebSource() {
  GroupPanel p =
      Panel(gkWeb, "常用网址",
            {{"新闻", "http://news.example.cn/", false}, {"搜索", "http://search.example.cn/", false}});
  p.Data.Color = 0x00112233;
  p.Data.Font = {0x000000FF, 12, "黑体"};
  p.Width = 160;
  p.Height = 230;
  return p;
}

// The bar's two files in `dir`, its groups list naming `titles` in band order.
ImportFiles Files(const TempFolder& dir, std::vector<std::string> titles) {
  ImportFiles files{dir / "Wendlix.GPF", dir / "Wendlix.INI", {}};
  for (std::string& t : titles) files.List.push_back({std::move(t), ""});
  return files;
}

void ExpectSameGroup(const GroupPanel& a, const GroupPanel& b) {
  EXPECT_EQ(a.Data, b.Data);
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.Hint, b.Hint);
  EXPECT_EQ(a.MenuItem, b.MenuItem);
}

std::vector<std::string> Captions(const GroupPanel& p) {
  std::vector<std::string> out;
  for (const BarButton& b : p.Children) {
    if (!b.IsCollapse()) out.push_back(b.Hint + "=" + b.FileName);
  }
  return out;
}

TEST(ExchangeCommands, ExportThenImportIntoAnotherWebGroupAddsItsAddresses) {
  TempFolder dir("exchange_roundtrip");
  const std::string gpf = dir / "Wendlix.GPF";
  ASSERT_TRUE(
      WriteBytes(gpf, Gbk("[Groups]\r\n收藏=C:\\\r\n[收藏  Buttons]\r\n旧站=http://old.example.cn/\r\n"
                          "新闻=http://stale.example.cn/\r\n")));
  Answers never;
  const ExchangeOutcome exported = ExportGroupTo(WebSource(), gpf, dir / "常用网址", never.Callback());
  EXPECT_TRUE(exported.Changed);
  EXPECT_EQ(exported.Path, dir / "常用网址.GLF");
  EXPECT_EQ(exported.Error, "");
  EXPECT_EQ(exported.Warning, "");
  EXPECT_TRUE(never.asked.empty());
  EXPECT_NE(Bytes(exported.Path).find(Gbk("Title Text=常用网址\r\n")), std::string::npos);

  GroupPanel target = Panel(gkWeb, "收藏");
  const ExchangeOutcome imported = ImportGroupFrom(target, Files(dir, {"收藏", "Programs"}),
                                                   dir / "常用网址.GLF", {"Programs"}, never.Callback());
  EXPECT_TRUE(imported.Changed);
  EXPECT_EQ(imported.Error, "");
  EXPECT_TRUE(never.asked.empty());  // same kind: nothing asked, the title stays
  EXPECT_EQ(target.Data.Title, "收藏");
  EXPECT_EQ(target.Data.Color, 0x00112233);
  EXPECT_EQ(target.Data.Font, (GroupFont{0x000000FF, 12, "黑体"}));
  EXPECT_EQ(target.Width, 160);
  EXPECT_EQ(target.Height, 230);

  // The group file holds the merged lines and the new record; a refill shows them.
  const IniFile after(gpf);
  EXPECT_EQ(ReadGroupRecord(after, "收藏").Data, target.Data);
  FillByKind(target, after, DiskShortcutFolder{});
  EXPECT_EQ(Captions(target),
            (std::vector<std::string>{"旧站=http://old.example.cn/", "新闻=http://news.example.cn/",
                                      "搜索=http://search.example.cn/"}));
}

TEST(ExchangeCommands, ExportAsksBeforeReplacingAndWritesTheFileAnew) {
  TempFolder dir("exchange_replace");
  const std::string gpf = dir / "Wendlix.GPF";
  Answers answers;
  GroupPanel group = WebSource();
  ASSERT_TRUE(ExportGroupTo(group, gpf, dir / "web.GLF", answers.Callback()).Changed);
  const std::string first = Bytes(dir / "web.GLF");

  // One button less, and one whose name the format cannot hold.
  group = Panel(gkWeb, "常用网址",
                {{"新闻", "http://news.example.cn/", false}, {"a=b", "http://x.example.cn/", false}});
  answers.ok = false;
  ExchangeOutcome out = ExportGroupTo(group, gpf, dir / "web.glf", answers.Callback());
  EXPECT_FALSE(out.Changed);
  EXPECT_EQ(out.Error, "");
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_NE(answers.asked[0].find(dir / "web.glf"), std::string::npos);
  EXPECT_EQ(Bytes(dir / "web.GLF"), first);

  answers.ok = true;
  out = ExportGroupTo(group, gpf, dir / "web.GLF", answers.Callback());
  EXPECT_TRUE(out.Changed);
  EXPECT_NE(out.Warning.find("a=b"), std::string::npos);
  const ExchangeFile file = LoadExchangeFile(dir / "web.GLF", ExchangeReading::kImport);
  EXPECT_EQ(file.Lines, (std::vector<ExchangeLine>{{"新闻", "http://news.example.cn/"}}));  // 搜索 is gone

  // Another type is never replaced: "web.txt" becomes "web.txt.GLF".
  ASSERT_TRUE(WriteBytes(dir / "web.txt", "keep"));
  out = ExportGroupTo(group, gpf, dir / "web.txt", answers.Callback());
  EXPECT_EQ(out.Path, dir / "web.txt.GLF");
  EXPECT_EQ(Bytes(dir / "web.txt"), "keep");
}

TEST(ExchangeCommands, KindConflictIsAskedAndOnlyOkChangesTheGroup) {
  TempFolder dir("exchange_kind");
  const std::string gpf = dir / "Wendlix.GPF";
  const std::string gpfBytes =
      Gbk("[Groups]\r\n程序=D:\\Tools\\\r\n[程序  Buttons]\r\nNotepad=Notepad.lnk\r\n");
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  Answers answers;
  ASSERT_TRUE(ExportGroupTo(WebSource(), gpf, dir / "web", answers.Callback()).Changed);

  GroupPanel group = Panel(gkShortcut, "程序");
  group.Data.Directory = "D:\\Tools\\";
  const GroupPanel before = group;
  answers.ok = false;
  ExchangeOutcome out = ImportGroupFrom(group, Files(dir, {"程序"}), dir / "web.GLF", {}, answers.Callback());
  EXPECT_FALSE(out.Changed);
  EXPECT_EQ(out.Error, "");
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(answers.asked[0], ImportConflictQuestion(gkShortcut, gkWeb));
  ExpectSameGroup(group, before);
  EXPECT_EQ(Bytes(gpf), gpfBytes);

  // A title another group holds is not taken: the group keeps its own, and its section
  // loses the lines of the old kind.
  answers.ok = true;
  out = ImportGroupFrom(group, Files(dir, {"程序", "常用网址"}), dir / "web.GLF", {"常用网址"},
                        answers.Callback());
  EXPECT_TRUE(out.Changed);
  EXPECT_EQ(group.Data.PanelStyle, gkWeb);
  EXPECT_EQ(group.Data.Title, "程序");
  IniFile after(gpf);
  EXPECT_EQ(after.ReadSection("程序  Buttons"), (std::vector<std::string>{"新闻", "搜索"}));

  // Into a shortcut group again on a fresh file: OK takes kind and title.
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  group = before;
  answers.asked.clear();
  out = ImportGroupFrom(group, Files(dir, {"程序", "Programs"}), dir / "web.GLF", {"Programs"},
                        answers.Callback());
  EXPECT_TRUE(out.Changed);
  EXPECT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(group.Data.PanelStyle, gkWeb);
  EXPECT_EQ(group.Data.Title, "常用网址");
  EXPECT_EQ(group.Hint, "常用网址");
  EXPECT_EQ(group.MenuItem.Caption, "常用网址");
  after = IniFile(gpf);
  EXPECT_EQ(after.ReadSection("常用网址  Buttons"), (std::vector<std::string>{"新闻", "搜索"}));
  EXPECT_EQ(ReadGroupRecord(after, "常用网址").Data.PanelStyle, gkWeb);
  // Renamed by the file, the group is listed under its new title, and leaves nothing under its
  // old one for a later group to find.
  EXPECT_EQ(IniFile(dir / "Wendlix.INI").ReadSection("Groups"),
            (std::vector<std::string>{"常用网址", "Programs"}));
  EXPECT_FALSE(after.SectionExists("程序  Buttons"));
  EXPECT_FALSE(after.SectionExists("程序"));

  // A settings file that cannot take the new list: the box names it, the group is imported, and
  // the old title's sections stay for the list the file still holds.
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  ASSERT_TRUE(WriteBytes(dir / "Wendlix.INI", Gbk("[Groups]\r\n程序=D:\\Tools\\\r\n")));
  ASSERT_TRUE(SetFileAttributesW(ToWide(dir / "Wendlix.INI").c_str(), FILE_ATTRIBUTE_READONLY));
  group = before;
  out = ImportGroupFrom(group, Files(dir, {"程序"}), dir / "web.GLF", {}, answers.Callback());
  EXPECT_TRUE(out.Changed);
  EXPECT_EQ(out.Error, SaveFailedText(dir / "Wendlix.INI"));
  EXPECT_EQ(group.Data.Title, "常用网址");
  after = IniFile(gpf);
  EXPECT_TRUE(after.SectionExists("常用网址") && after.SectionExists("程序  Buttons"));
  SetFileAttributesW(ToWide(dir / "Wendlix.INI").c_str(), FILE_ATTRIBUTE_NORMAL);

  // A title the group file lists for another group is not taken either.
  ASSERT_TRUE(WriteBytes(gpf, Gbk("[Groups]\r\n程序=D:\\Tools\\\r\n常用网址=C:\\\r\n")));
  group = before;
  out = ImportGroupFrom(group, Files(dir, {"程序"}), dir / "web.GLF", {}, answers.Callback());
  EXPECT_TRUE(out.Changed);
  EXPECT_EQ(group.Data.Title, "程序");
}

TEST(ExchangeCommands, DamagedFileOrUnwritableGroupFileChangesNothing) {
  TempFolder dir("exchange_damaged");
  const std::string gpf = dir / "Wendlix.GPF";
  const std::string gpfBytes =
      Gbk("[Groups]\r\n收藏=C:\\\r\n[收藏  Buttons]\r\n旧站=http://old.example.cn/\r\n");
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  // The file chosen is the file read: "x.txt" is not "x.GLF".
  ASSERT_TRUE(
      WriteBytes(dir / "x.GLF", "[Config]\r\nPanel Style=1\r\n[Buttons]\r\na=http://a.example.cn/\r\n"));
  ASSERT_TRUE(WriteBytes(dir / "x.txt", "[Buttons]\r\na=http://a.example.cn/\r\n"));
  ASSERT_TRUE(
      WriteBytes(dir / "kind.GLF", "[Config]\r\nPanel Style=7\r\n[Buttons]\r\na=http://a.example.cn/\r\n"));
  ASSERT_TRUE(WriteBytes(dir / "big.GLF", "[Config]\r\n" + std::string(kMaxExchangeFileBytes, ';')));
  const struct {
    std::string chosen, path;
    ExchangeFault fault;
  } cases[] = {
      {dir / "nothere", dir / "nothere.GLF", ExchangeFault::kMissing},
      {dir / "x.txt", dir / "x.txt", ExchangeFault::kNoConfig},
      {dir / "kind.GLF", dir / "kind.GLF", ExchangeFault::kBadKind},
      {dir / "big.GLF", dir / "big.GLF", ExchangeFault::kTooLarge},
  };
  for (const auto& c : cases) {
    GroupPanel group = Panel(gkWeb, "收藏");
    const GroupPanel before = group;
    Answers answers;
    const ExchangeOutcome out =
        ImportGroupFrom(group, Files(dir, {"收藏"}), c.chosen, {}, answers.Callback());
    EXPECT_FALSE(out.Changed) << c.chosen;
    EXPECT_EQ(out.Path, c.path);
    EXPECT_EQ(out.Error, ImportErrorText(c.path, c.fault)) << c.chosen;
    EXPECT_TRUE(answers.asked.empty());
    ExpectSameGroup(group, before);
    EXPECT_EQ(Bytes(gpf), gpfBytes);
  }

  // A group file that cannot be written: the group stays as it was, and the box says so.
  ASSERT_TRUE(SetFileAttributesW(ToWide(gpf).c_str(), FILE_ATTRIBUTE_READONLY));
  GroupPanel group = Panel(gkWeb, "收藏");
  const GroupPanel before = group;
  Answers answers;
  const ExchangeOutcome out =
      ImportGroupFrom(group, Files(dir, {"收藏"}), dir / "x.GLF", {}, answers.Callback());
  EXPECT_FALSE(out.Changed);
  EXPECT_EQ(out.Error, SaveFailedText(gpf));
  ExpectSameGroup(group, before);
  EXPECT_EQ(Bytes(gpf), gpfBytes);
}

TEST(ExchangeCommands, ExportToAPlaceThatCannotBeWrittenReportsIt) {
  TempFolder dir("exchange_unwritable");
  const std::string gpf = dir / "Wendlix.GPF";
  ASSERT_TRUE(WriteBytes(dir / "locked.GLF", "old"));
  ASSERT_TRUE(SetFileAttributesW(ToWide(dir / "locked.GLF").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(CreateDirectoryW(ToWide(dir / "folder.GLF").c_str(), nullptr));
  for (const std::string& chosen : {dir / "无此目录\\常用网址", dir / "locked.GLF", dir / "folder.GLF"}) {
    Answers yes;
    const ExchangeOutcome out = ExportGroupTo(WebSource(), gpf, chosen, yes.Callback());
    EXPECT_FALSE(out.Changed) << chosen;
    EXPECT_EQ(out.Error, ExportFailedText(out.Path)) << chosen;
  }
  EXPECT_FALSE(Exists(dir / "无此目录"));
  EXPECT_EQ(Bytes(dir / "locked.GLF"), "old");
}

TEST(ExchangeCommands, CollapsedOrHiddenGroupExportsTheButtonsItStores) {
  TempFolder dir("exchange_hidden");
  const std::string gpf = dir / "Wendlix.GPF";
  ASSERT_TRUE(WriteBytes(gpf, Gbk("[邮件  Buttons]\r\n张三=zhang@example.cn\r\n")));
  GroupPanel mail = Panel(gkEmail, "邮件");
  mail.Data.ShowAsButton = true;
  mail.Visible = false;
  ASSERT_TRUE(Captions(mail).empty());
  Answers answers;
  ASSERT_TRUE(ExportGroupTo(mail, gpf, dir / "mail", answers.Callback()).Changed);
  EXPECT_EQ(LoadExchangeFile(dir / "mail.GLF", ExchangeReading::kImport).Lines,
            (std::vector<ExchangeLine>{{"张三", "MAILTO:zhang@example.cn"}}));

  // A hidden shortcut group: its folder's links, by file name only.
  const std::string links = dir.Path() + "links\\";
  ASSERT_TRUE(CreateDirectoryW(ToWide(links).c_str(), nullptr));
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  ASSERT_FALSE(MakeShortcutFile(FromWide(windows) + "\\notepad.exe", links + "记事本.lnk").empty());
  GroupPanel shortcuts = Panel(gkShortcut, "程序");
  shortcuts.Data.Visible = false;
  shortcuts.Data.Directory = links;
  shortcuts.Visible = false;
  ASSERT_TRUE(ExportGroupTo(shortcuts, gpf, dir / "links", answers.Callback()).Changed);
  const ExchangeFile file = LoadExchangeFile(dir / "links.GLF", ExchangeReading::kImport);
  EXPECT_EQ(file.Lines, (std::vector<ExchangeLine>{{"记事本", "记事本.lnk"}}));
  EXPECT_NE(Bytes(dir / "links.GLF").find("Visible=0\r\n"), std::string::npos);
}

// One window the test expects the command to show, and what to do with it.
struct UiStep {
  const wchar_t* cls;  // L"#32770" for a file dialog, TMessageForm's class for a box
  std::function<void(HWND)> act;
};

// The visible top-level windows of this process, with their class names.
std::vector<std::pair<HWND, std::wstring>> OwnWindows() {
  std::vector<std::pair<HWND, std::wstring>> out;
  EnumWindows(
      [](HWND w, LPARAM lp) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(w)) return TRUE;
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        reinterpret_cast<std::vector<std::pair<HWND, std::wstring>>*>(lp)->emplace_back(w, name);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

// Runs `command` (which shows its windows modally on this thread) while another thread
// waits for each step's window in turn, a new one of that class, up to about 20 s each,
// and acts on it. A window no step expects, or one the act left open, is closed, so that a
// wrong turn fails the test instead of hanging it. Answers how many steps met their window
// and closed it.
template <class Command>
int RunWithUi(Command command, const std::vector<UiStep>& steps) {
  std::vector<HWND> seen;
  for (const auto& [w, name] : OwnWindows()) seen.push_back(w);
  const auto fresh = [&](const wchar_t* cls) -> HWND {
    for (const auto& [w, name] : OwnWindows()) {
      if ((!cls || name == cls) && std::find(seen.begin(), seen.end(), w) == seen.end()) return w;
    }
    return nullptr;
  };
  std::atomic<bool> done = false;
  int met = 0;
  std::thread helper([&] {
    for (const UiStep& step : steps) {
      HWND w = nullptr;
      for (int i = 0; i < 1000 && !done && !(w = fresh(step.cls)); ++i) Sleep(20);
      if (!w) break;
      seen.push_back(w);
      step.act(w);
      for (int i = 0; i < 1000 && IsWindow(w) && IsWindowVisible(w); ++i) Sleep(20);
      if (IsWindow(w) && IsWindowVisible(w)) {
        PostMessageW(w, WM_CLOSE, 0, 0);  // the act did not close it: not met
        break;
      }
      ++met;
    }
    while (!done) {
      if (const HWND stray = fresh(nullptr)) {
        seen.push_back(stray);
        PostMessageW(stray, WM_CLOSE, 0, 0);
      }
      Sleep(20);
    }
  });
  command();
  done = true;
  helper.join();
  return met;
}

// A file dialog: records its suggested name and file types, then types `typed` and presses
// OK, or Cancel when `typed` is empty.
struct DialogSeen {
  std::string name;
  std::vector<std::string> filters;
};
UiStep FileDialog(const std::string& typed, DialogSeen* seen = nullptr) {
  return {L"#32770", [typed, seen](HWND dlg) {
            if (seen) {
              wchar_t text[512] = {};
              GetDlgItemTextW(dlg, cmb13, text, 512);
              seen->name = FromWide(text);
              const HWND types = GetDlgItem(dlg, cmb1);
              const LRESULT count = SendMessageW(types, CB_GETCOUNT, 0, 0);
              for (LRESULT i = 0; i < count; ++i) {
                wchar_t item[512] = {};
                if (SendMessageW(types, CB_GETLBTEXTLEN, i, 0) < 512)
                  SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                seen->filters.push_back(FromWide(item));
              }
            }
            if (!typed.empty()) SetDlgItemTextW(dlg, cmb13, ToWide(typed).c_str());
            PostMessageW(dlg, WM_COMMAND, typed.empty() ? IDCANCEL : IDOK, 0);
          }};
}

// A message box: records its title, then presses OK or closes it (Cancel).
UiStep Box(bool ok, std::string* title) {
  return {TMessageForm::kClassName, [ok, title](HWND form) {
            wchar_t text[256] = {};
            GetWindowTextW(form, text, 256);
            *title = FromWide(text);
            const HWND button = FindWindowExW(form, nullptr, L"BUTTON", L"确认(&O)");
            if (ok && button)
              PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                           reinterpret_cast<LPARAM>(button));
            else
              PostMessageW(form, WM_CLOSE, 0, 0);
          }};
}

TEST(ExchangeCommands, DialogsSuggestTheTitleAndOfferExchangeFiles) {
  TempFolder dir("exchange_dialogs");
  const std::vector<std::string> filters{"组配置文件(*.GLF)", "所有文件(*.*)"};
  DialogSeen seen;
  std::optional<std::string> chosen;
  // A name typed without extension is given ".GLF" by the dialog.
  EXPECT_EQ(RunWithUi([&] { chosen = ChooseExportPath(nullptr, "网址/收藏: 2.0"); },
                      {FileDialog(dir / "导出", &seen)}),
            1);
  EXPECT_EQ(seen.name, "网址_收藏_ 2.0");
  EXPECT_EQ(seen.filters, filters);
  // Wine gives the extension in lower case.
  EXPECT_TRUE(chosen && SameTextAscii(*chosen, dir / "导出.GLF")) << chosen.value_or("(cancelled)");

  ASSERT_TRUE(WriteBytes(dir / "in.GLF", "[Config]\r\n"));
  seen = {};
  EXPECT_EQ(
      RunWithUi([&] { chosen = ChooseImportPath(nullptr, "邮件"); }, {FileDialog(dir / "in.GLF", &seen)}), 1);
  EXPECT_EQ(seen.name, "邮件");
  EXPECT_EQ(seen.filters, filters);
  EXPECT_EQ(chosen, dir / "in.GLF");

  EXPECT_EQ(RunWithUi([&] { chosen = ChooseImportPath(nullptr, "邮件"); }, {FileDialog("")}), 1);
  EXPECT_EQ(chosen, std::nullopt);
}

TEST(ExchangeCommands, MenuCommandsShowTheirQuestionAndErrorBoxes) {
  TempFolder dir("exchange_menu");
  const std::string gpf = dir / "Wendlix.GPF";
  const std::string gpfBytes = Gbk("[程序  Buttons]\r\nNotepad=Notepad.lnk\r\n");
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  EXPECT_EQ(RunWithUi([&] { L1Click(nullptr, WebSource(), gpf); }, {FileDialog(dir / "web")}), 1);
  ASSERT_TRUE(Exists(dir / "web.GLF"));

  // The kind question: closing it changes nothing; OK imports.
  GroupPanel group = Panel(gkShortcut, "程序");
  const GroupPanel before = group;
  bool changed = true;
  std::string title;
  EXPECT_EQ(RunWithUi([&] { changed = I2Click(nullptr, group, Files(dir, {"程序"})); },
                      {FileDialog(dir / "web.GLF"), Box(false, &title)}),
            2);
  EXPECT_FALSE(changed);
  EXPECT_EQ(title, kImportConflictCaption);
  ExpectSameGroup(group, before);
  EXPECT_EQ(Bytes(gpf), gpfBytes);

  EXPECT_EQ(RunWithUi([&] { changed = I2Click(nullptr, group, Files(dir, {"程序"})); },
                      {FileDialog(dir / "web.GLF"), Box(true, &title)}),
            2);
  EXPECT_TRUE(changed);
  EXPECT_EQ(group.Data.PanelStyle, gkWeb);

  // A damaged file: the error box, and nothing changed.
  ASSERT_TRUE(WriteBytes(dir / "bad.GLF", "[Buttons]\r\n"));
  const std::string afterImport = Bytes(gpf);
  const GroupPanel imported = group;
  title.clear();
  EXPECT_EQ(RunWithUi([&] { changed = I2Click(nullptr, group, Files(dir, {"程序"})); },
                      {FileDialog(dir / "bad.GLF"), Box(true, &title)}),
            2);
  EXPECT_FALSE(changed);
  EXPECT_EQ(title, kImportErrorCaption);
  ExpectSameGroup(group, imported);
  EXPECT_EQ(Bytes(gpf), afterImport);

  // An export that cannot be written says so.
  title.clear();
  EXPECT_EQ(RunWithUi([&] { L1Click(nullptr, WebSource(), gpf); },
                      {FileDialog(dir / "无此目录\\web"), Box(true, &title)}),
            2);
  EXPECT_EQ(title, kExportCaption);
}

}  // namespace
}  // namespace wendlix
