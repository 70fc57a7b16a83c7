// Export and import of a group on real files and through the real dialogs: what reaches the
// disk, and that a refused or failed command leaves it alone. Which lines merge, which title is
// taken and which damage is refused are the core's (tests/unit/exchange).
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>

#include "core/bar/bar_texts.h"
#include "core/bar/group_file.h"
#include "core/exchange/exchange_export.h"
#include "core/exchange/exchange_file.h"
#include "core/exchange/exchange_import.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/encoding.h"
#include "support/win_test_support.h"
#include "win/exchange/exchange_commands.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/shell/shell_links.h"
#include "win/ui/message_form.h"

namespace wendlix {
namespace {

using namespace testing_support;

std::string Gbk(std::string_view utf8) { return Utf8ToCp936(utf8).value(); }

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

  GroupPanel target = Panel(gkWeb, "收藏");
  const ExchangeOutcome imported = ImportGroupFrom(target, Files(dir, {"收藏", "Programs"}),
                                                   dir / "常用网址.GLF", {"Programs"}, never.Callback());
  EXPECT_TRUE(imported.Changed);
  EXPECT_EQ(imported.Error, "");
  EXPECT_TRUE(never.asked.empty());
  EXPECT_EQ(target.Data.Color, 0x00112233);
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
  const std::string first = ReadBytes(dir / "web.GLF");

  group = Panel(gkWeb, "常用网址", {{"新闻", "http://news.example.cn/", false}});
  answers.ok = false;
  ExchangeOutcome out = ExportGroupTo(group, gpf, dir / "web.glf", answers.Callback());
  EXPECT_FALSE(out.Changed);
  EXPECT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(ReadBytes(dir / "web.GLF"), first);

  answers.ok = true;
  EXPECT_TRUE(ExportGroupTo(group, gpf, dir / "web.GLF", answers.Callback()).Changed);
  const ExchangeFile file = LoadExchangeFile(dir / "web.GLF", ExchangeReading::kImport);
  EXPECT_EQ(file.Lines, (std::vector<ExchangeLine>{{"新闻", "http://news.example.cn/"}}));  // 搜索 is gone
}

TEST(ExchangeCommands, MissingFileOrUnwritableFilesChangeNothing) {
  TempFolder dir("exchange_damaged");
  const std::string gpf = dir / "Wendlix.GPF";
  const std::string gpfBytes =
      Gbk("[Groups]\r\n收藏=C:\\\r\n[收藏  Buttons]\r\n旧站=http://old.example.cn/\r\n");
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  ASSERT_TRUE(
      WriteBytes(dir / "x.GLF", "[Config]\r\nPanel Style=1\r\n[Buttons]\r\na=http://a.example.cn/\r\n"));
  // A file that is not there; then a good file into a group file that cannot be written.
  const struct {
    std::string chosen, error;
    bool readOnly;
  } cases[] = {
      {dir / "nothere", ImportErrorText(dir / "nothere.GLF", ExchangeFault::kMissing), false},
      {dir / "x.GLF", SaveFailedText(gpf), true},
  };
  for (const auto& c : cases) {
    SetFileAttributesW(ToWide(gpf).c_str(), c.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    GroupPanel group = Panel(gkWeb, "收藏");
    const GroupPanel before = group;
    Answers answers;
    const ExchangeOutcome out =
        ImportGroupFrom(group, Files(dir, {"收藏"}), c.chosen, {}, answers.Callback());
    EXPECT_FALSE(out.Changed) << c.chosen;
    EXPECT_EQ(out.Error, c.error) << c.chosen;
    ExpectSameGroup(group, before);
    EXPECT_EQ(ReadBytes(gpf), gpfBytes);
  }

  // An export to a place that cannot be written says so and leaves what is there.
  ASSERT_TRUE(WriteBytes(dir / "locked.GLF", "old"));
  ASSERT_TRUE(SetFileAttributesW(ToWide(dir / "locked.GLF").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(dir / "folder.GLF"));
  for (const std::string& chosen : {dir / "无此目录\\常用网址", dir / "locked.GLF", dir / "folder.GLF"}) {
    Answers yes;
    const ExchangeOutcome out = ExportGroupTo(WebSource(), gpf, chosen, yes.Callback());
    EXPECT_FALSE(out.Changed) << chosen;
    EXPECT_EQ(out.Error, ExportFailedText(out.Path)) << chosen;
  }
  EXPECT_FALSE(Exists(dir / "无此目录"));
  EXPECT_EQ(ReadBytes(dir / "locked.GLF"), "old");
}

TEST(ExchangeCommands, HiddenShortcutGroupExportsTheLinksOfItsFolder) {
  TempFolder dir("exchange_hidden");
  const std::string links = dir.Path() + "links\\";
  ASSERT_TRUE(MakeFolder(links));
  ASSERT_FALSE(MakeShortcutFile(WindowsPath("notepad.exe"), links + "记事本.lnk").empty());
  GroupPanel shortcuts = Panel(gkShortcut, "程序");
  shortcuts.Data.Visible = false;
  shortcuts.Data.Directory = links;
  shortcuts.Visible = false;
  Answers answers;
  ASSERT_TRUE(ExportGroupTo(shortcuts, dir / "Wendlix.GPF", dir / "links", answers.Callback()).Changed);
  const ExchangeFile file = LoadExchangeFile(dir / "links.GLF", ExchangeReading::kImport);
  EXPECT_EQ(file.Lines, (std::vector<ExchangeLine>{{"记事本", "记事本.lnk"}}));
}

// A file dialog: records its suggested name and file types, then types `typed` and presses
// OK, or Cancel when `typed` is empty.
struct DialogSeen {
  std::string name;
  std::vector<std::string> filters;
};
ModalScript::Step FileDialog(const std::string& typed, DialogSeen* seen = nullptr) {
  return OnWindow(L"#32770", [typed, seen](HWND dlg) {
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
  });
}

// A message box: records its title and text, then presses OK or closes it (Cancel).
ModalScript::Step Box(bool ok, std::string* title, std::string* text = nullptr) {
  return OnWindow(TMessageForm::kClassName, [ok, title, text](HWND form) {
    *title = WindowText(form);
    if (text) *text = WindowText(GetDlgItem(form, TMessageForm::kMessageId));
    const HWND button = FindWindowExW(form, nullptr, L"BUTTON", L"确认(&O)");
    if (ok && button)
      PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    else
      PostMessageW(form, WM_CLOSE, 0, 0);
  });
}

// Runs `command` while the script of `steps` acts on the windows it shows; true when every step
// was met and no window was left open.
template <class Command>
bool RunWithUi(Command command, std::vector<ModalScript::Step> steps) {
  ModalScript script(std::move(steps), {TMessageForm::kClassName, L"#32770"});
  command();
  return script.Finished();
}

TEST(ExchangeCommands, DialogsSuggestTheTitleAndOfferExchangeFiles) {
  TempFolder dir("exchange_dialogs");
  const std::vector<std::string> filters{"组配置文件(*.GLF)", "所有文件(*.*)"};
  DialogSeen seen;
  std::optional<std::string> chosen;
  // A name typed without extension is given ".GLF" by the dialog.
  EXPECT_TRUE(RunWithUi([&] { chosen = ChooseExportPath(nullptr, "网址/收藏: 2.0"); },
                        {FileDialog(dir / "导出", &seen)}));
  EXPECT_EQ(seen.name, "网址_收藏_ 2.0");
  EXPECT_EQ(seen.filters, filters);
  // Wine gives the extension in lower case.
  EXPECT_TRUE(chosen && SameTextAscii(*chosen, dir / "导出.GLF")) << chosen.value_or("(cancelled)");

  ASSERT_TRUE(WriteBytes(dir / "in.GLF", "[Config]\r\n"));
  seen = {};
  EXPECT_TRUE(
      RunWithUi([&] { chosen = ChooseImportPath(nullptr, "邮件"); }, {FileDialog(dir / "in.GLF", &seen)}));
  EXPECT_EQ(seen.name, "邮件");
  EXPECT_EQ(chosen, dir / "in.GLF");

  EXPECT_TRUE(RunWithUi([&] { chosen = ChooseImportPath(nullptr, "邮件"); }, {FileDialog("")}));
  EXPECT_EQ(chosen, std::nullopt);
}

TEST(ExchangeCommands, MenuCommandsShowTheirQuestionAndErrorBoxes) {
  TempFolder dir("exchange_menu");
  const std::string gpf = dir / "Wendlix.GPF";
  const std::string gpfBytes = Gbk("[程序  Buttons]\r\nNotepad=Notepad.lnk\r\n");
  ASSERT_TRUE(WriteBytes(gpf, gpfBytes));
  EXPECT_TRUE(RunWithUi([&] { L1Click(nullptr, WebSource(), gpf); }, {FileDialog(dir / "web")}));
  ASSERT_TRUE(Exists(dir / "web.GLF"));

  // The kind question: closing it changes nothing; OK takes kind and title, lists the new title in the
  // old one's place in the settings file (the other groups kept) and drops the old one's sections.
  GroupPanel group = Panel(gkShortcut, "程序");
  const GroupPanel before = group;
  bool changed = true;
  std::string title, question;
  EXPECT_TRUE(RunWithUi([&] { changed = I2Click(nullptr, group, Files(dir, {"程序"})); },
                        {FileDialog(dir / "web.GLF"), Box(false, &title, &question)}));
  EXPECT_FALSE(changed);
  EXPECT_EQ(title, kImportConflictCaption);
  EXPECT_EQ(question, ImportConflictQuestion(gkShortcut, gkWeb));
  ExpectSameGroup(group, before);
  EXPECT_EQ(ReadBytes(gpf), gpfBytes);

  EXPECT_TRUE(RunWithUi(
      [&] {
        changed = I2Click(nullptr, group, Files(dir, {"程序", "Programs"}));
      },
      {FileDialog(dir / "web.GLF"), Box(true, &title)}));
  EXPECT_TRUE(changed);
  EXPECT_EQ(group.Data.PanelStyle, gkWeb);
  EXPECT_EQ(group.Data.Title, "常用网址");
  const IniFile after(gpf);
  EXPECT_EQ(after.ReadSections(), (std::vector<std::string>{"常用网址  Buttons", "Groups", "常用网址"}));
  EXPECT_EQ(after.ReadSection("常用网址  Buttons"), (std::vector<std::string>{"新闻", "搜索"}));
  EXPECT_EQ(IniFile(dir / "Wendlix.INI").ReadSection("Groups"),
            (std::vector<std::string>{"常用网址", "Programs"}));

  // A damaged file: the error box, and nothing changed.
  ASSERT_TRUE(WriteBytes(dir / "bad.GLF", "[Buttons]\r\n"));
  const std::string afterImport = ReadBytes(gpf);
  EXPECT_TRUE(RunWithUi([&] { changed = I2Click(nullptr, group, Files(dir, {"程序"})); },
                        {FileDialog(dir / "bad.GLF"), Box(true, &title)}));
  EXPECT_FALSE(changed);
  EXPECT_EQ(title, kImportErrorCaption);
  EXPECT_EQ(ReadBytes(gpf), afterImport);

  // An export that cannot be written says so.
  EXPECT_TRUE(RunWithUi([&] { L1Click(nullptr, WebSource(), gpf); },
                        {FileDialog(dir / "无此目录\\web"), Box(true, &title)}));
  EXPECT_EQ(title, kExportCaption);
}

}  // namespace
}  // namespace wendlix
