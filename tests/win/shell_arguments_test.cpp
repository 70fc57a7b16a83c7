// Strings the bar hands to the shell or puts on a command line stay one argument, whatever
// they hold, or are refused with a message: web and e-mail buttons, programs, folders,
// the guard's and the autostart's command lines, and the paths of export and import. Two
// launches really run: a copy of this test program, started the way the bar starts
// programs, writes down the arguments it received.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bar/config_location.h"
#include "core/bar/group_construction.h"
#include "core/platform/file_io.h"
#include "core/shell/command_line.h"
#include "core/tweaks/give_back_record.h"
#include "support/win_test_support.h"
#include "win/exchange/exchange_commands.h"
#include "win/launch/launch.h"
#include "win/shell/shell_open.h"

namespace wendlix {
namespace {

using namespace testing_support;

constexpr wchar_t kEchoVariable[] = L"WENDLIX_ECHO_ARGUMENTS_TO";

// The arguments a program receives for these parameters (its name put before them).
std::vector<std::wstring> ArgumentsOf(const std::wstring& parameters) {
  std::vector<std::wstring> args = SplitCommandLine(L"prog.exe " + parameters);
  args.erase(args.begin());
  return args;
}

// Started as the echo program (the variable names a file), this copy of the test exe
// writes its arguments there, separated by NULs, and ends before any test runs.
[[maybe_unused]] const bool kEchoed = [] {
  wchar_t target[MAX_PATH * 2] = {};
  if (!GetEnvironmentVariableW(kEchoVariable, target, MAX_PATH * 2)) return false;
  std::vector<std::wstring> args = SplitCommandLine(GetCommandLineW());
  std::string bytes;
  for (std::size_t i = 1; i < args.size(); ++i) bytes += FromWide(args[i]) + '\0';
  const std::wstring partial = std::wstring(target) + L".part";
  const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(partial.c_str(), target, MOVEFILE_REPLACE_EXISTING);
  ExitProcess(0);
}();

// Runs `call` through the shell with the echo variable set; the arguments the started
// program received, or one "<failed…>" entry.
std::vector<std::string> RunAndEcho(const ShellCall& call, const std::string& echoFile) {
  SetEnvironmentVariableW(kEchoVariable, ToWide(echoFile).c_str());
  HANDLE process = nullptr;
  const INT_PTR code = reinterpret_cast<INT_PTR>(RunShellCall(nullptr, call, &process));
  SetEnvironmentVariableW(kEchoVariable, nullptr);
  if (code <= 32 || !process) return {"<failed to start: " + std::to_string(code) + ">"};
  const DWORD waited = WaitForSingleObject(process, 60000);
  CloseHandle(process);
  if (waited != WAIT_OBJECT_0) return {"<still running>"};
  const std::optional<std::string> bytes = platform::ReadWholeFile(echoFile);
  if (!bytes) return {"<wrote nothing>"};
  std::vector<std::string> args;
  for (std::size_t start = 0; start < bytes->size();) {
    const std::size_t end = bytes->find('\0', start);
    args.push_back(bytes->substr(start, end - start));
    start = end + 1;
  }
  return args;
}

// What an address, a file name or an argument may hold that could break a command line.
std::vector<std::string> HostileTexts() {
  return {" ",          "a b",
          "\"",         "a\" & calc.exe & \"",
          "& calc.exe", "| calc",
          "^&^|",       "%PATH%",
          "%1 %*",      "!PATH!",
          "a\r\nb",     "\n",
          "\ttab",      "end\\",
          "\\\"",       "Ő한🙂",
          "中文 名字",  std::string(3000, 'x') + " & y"};
}

// A name Windows can give a file: none of its reserved characters, no control character,
// and short enough for a component.
bool ValidFileName(const std::string& name) {
  if (name.size() > 200) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
  }
  return true;
}

// Which texts are refused is the core's (BreaksShellArgument, launch_decision_test); here
// Windows' own splitting reads the command lines built from the rest.
TEST(ShellArguments, CommandLinesSplitBackIntoTheirOneArgument) {
  const auto quotedSplitsBack = [](const std::string& arg) {
    return SplitCommandLine(L"prog.exe " + ToWide(QuoteCommandLineArgument(arg)) + L" tail") ==
           std::vector<std::wstring>{L"prog.exe", ToWide(arg), L"tail"};
  };
  for (const char* text : {"", "C:\\dir\\", "\\\\srv\\x y\\", "http://h/?q=\"1 2\""})
    EXPECT_TRUE(quotedSplitsBack(text)) << text;
  for (const std::string& h : HostileTexts()) {
    SCOPED_TRACE(h.substr(0, 40));
    EXPECT_TRUE(quotedSplitsBack(h));
    if (BreaksShellArgument(h)) continue;
    const std::string web = "http://x.cn/" + h;
    const std::optional<ShellCall> webCall =
        LaunchShellCall(DecideLaunch(LaunchButtonSender{gkWeb, web, false}));
    ASSERT_TRUE(webCall);
    EXPECT_EQ(ArgumentsOf(webCall->Parameters), std::vector<std::wstring>{ToWide(web)});
    const std::string exe = "C:\\" + h + "\\Wendlix.exe";
    EXPECT_EQ(SplitCommandLine(ToWide(QuoteCommandPath(exe))), std::vector<std::wstring>{ToWide(exe)});
    EXPECT_EQ(SplitCommandLine(ToWide(GuardCommandLine(exe, 12, 34))),
              (std::vector<std::wstring>{ToWide(exe), ToWide(kGuardSwitch), L"12", L"34"}));
  }
}

TEST(ShellArguments, ExportAndImportPathsNameExactlyOneFile) {
  TempFolder folder("exchange_names");
  const std::string groupFile = folder / "Wendlix.GPF";
  GroupRecord record;
  record.Data.Title = "常用网址";
  record.Data.PanelStyle = gkWeb;
  record.Buttons = {{"新闻", "http://news.example.cn/", false}};
  const GroupPanel source = PanelFromRecord(record, 0);
  const auto yes = [](const std::string&) { return true; };
  const auto countFiles = [&] { return FileNames(folder.Path()).size(); };

  for (const std::string& h : HostileTexts()) {
    SCOPED_TRACE(h.substr(0, 40));
    const std::string name = "组 " + h;
    const std::size_t filesBefore = countFiles();
    const ExchangeOutcome exported = ExportGroupTo(source, groupFile, folder / name, yes);
    if (!ValidFileName(name + ".GLF")) {
      // No such file can exist: refused with a message, and nothing else written instead.
      EXPECT_FALSE(exported.Changed);
      EXPECT_FALSE(exported.Error.empty());
      EXPECT_EQ(countFiles(), filesBefore);
      continue;
    }
    ASSERT_TRUE(exported.Changed) << exported.Error;
    EXPECT_EQ(exported.Path, folder / name + ".GLF");
    EXPECT_TRUE(platform::FileExists(exported.Path));
    EXPECT_EQ(countFiles(), filesBefore + 1);

    GroupRecord empty;
    empty.Data.Title = "空";
    empty.Data.PanelStyle = gkWeb;
    GroupPanel target = PanelFromRecord(empty, 0);
    const ExchangeOutcome imported =
        ImportGroupFrom(target, {groupFile, folder / "Wendlix.INI", {{"空", ""}}}, exported.Path, {}, yes);
    EXPECT_TRUE(imported.Changed) << imported.Error;
    EXPECT_EQ(imported.Path, exported.Path);
    DeleteFileW(ToWide(exported.Path).c_str());
  }
}

TEST(ShellArguments, StartedProgramsReceiveExactlyTheirArgument) {
  TempFolder folder("echo");
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);

  // A web button's call, with this program standing in for the browser.
  const std::string address = "http://例子.cn/a b&c|d^e%PATH%f!g!?q=Ő🙂&x=\\";
  std::optional<ShellCall> web = LaunchShellCall(DecideLaunch(LaunchButtonSender{gkWeb, address, false}));
  ASSERT_TRUE(web);
  web->File = self;
  web->ShowCmd = SW_HIDE;
  EXPECT_EQ(RunAndEcho(*web, folder / "web.txt"), std::vector<std::string>{address});

  // A program button whose program has a hostile name: started alone, it receives nothing.
  const std::string program = folder / "a & b ^ c % d ! e 工具 Ő.exe";
  ASSERT_TRUE(CopyFileW(self, ToWide(program).c_str(), FALSE));
  std::optional<ShellCall> call =
      LaunchShellCall(DecideLaunch(LaunchButtonSender{gkShortcut, program, false}));
  ASSERT_TRUE(call);
  call->ShowCmd = SW_HIDE;
  EXPECT_EQ(RunAndEcho(*call, folder / "program.txt"), std::vector<std::string>{});
}

}  // namespace
}  // namespace wendlix
