#include "win/diagnostics/test_switches.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/bar/bar_save.h"
#include "core/diagnostics/save_rounds.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/common/owned_memory.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

constexpr char kSettingsName[] = "Wendlix.INI";
constexpr char kGroupsName[] = "Wendlix.GPF";

bool highContrastForced = false;

std::vector<std::wstring> SplitArguments(std::wstring_view arguments) {
  const std::wstring line = L"x " + std::wstring(arguments);
  int count = 0;
  const unique_localmem<LPWSTR> argv(CommandLineToArgvW(line.c_str(), &count));
  std::vector<std::wstring> args;
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv.get()[i]);
  return args;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  const unique_find find(FindFirstFileW(ToWide(folder + "*").c_str(), &data));
  if (!find) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(FromWide(name));
  } while (FindNextFileW(find.get(), &data));
  return names;
}

bool IsOurTemporary(const std::string& name) {
  return platform::IsAtomicWriteTemporary(kSettingsName, name) ||
         platform::IsAtomicWriteTemporary(kGroupsName, name);
}

// The round a file holds when it is exactly that round's save and reads without damage.
std::optional<std::uint32_t> CheckedRound(const std::string& path, bool groups, std::string& problem) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    problem = path + " cannot be read";
    return std::nullopt;
  }
  const IniFile doc = IniFile::FromBytes(*bytes);
  const std::optional<std::uint32_t> round = SaveRoundOf(doc);
  if (doc.Damage() != IniDamage::kNone || !round) {
    problem = path + " does not parse as a saved round (" + std::to_string(bytes->size()) + " bytes)";
    return std::nullopt;
  }
  const SaveRoundBytes expected = SaveRoundFiles(*round);
  if (*bytes != (groups ? expected.Groups : expected.Settings)) {
    problem = path + " is not round " + std::to_string(*round) + " byte for byte";
    return std::nullopt;
  }
  return round;
}

bool SaveRound(const std::string& folder, std::uint32_t round) {
  IniFile ini(folder + kSettingsName);
  IniFile gpf(folder + kGroupsName);
  const std::vector<GroupListEntry> stored = ReadGroupList(ini);
  WriteSaveRound(ini, gpf, round);
  return !SaveBarDocuments(ini, gpf, stored);
}

// Checks what a killed writer left, saves the next round and checks that it cleaned up.
// The verdict line, and the next round to save (0 after a bad verdict).
std::string CheckAndSave(const std::string& folder, std::uint32_t& nextRound) {
  nextRound = 0;
  const std::vector<std::string> before = FolderNames(folder);
  int stale = 0;
  bool haveIni = false, haveGpf = false;
  for (const std::string& name : before) {
    if (SameTextAscii(name, kSettingsName)) {
      haveIni = true;
    } else if (SameTextAscii(name, kGroupsName)) {
      haveGpf = true;
    } else if (IsOurTemporary(name)) {
      ++stale;
    } else {
      return "bad: a file a start could mistake for settings: " + name;
    }
  }
  std::uint32_t iniRound = 0, gpfRound = 0;
  if (haveIni || haveGpf) {
    std::string problem;
    const auto ini = CheckedRound(folder + kSettingsName, false, problem);
    if (!ini) return "bad: " + problem;
    const auto gpf = CheckedRound(folder + kGroupsName, true, problem);
    if (!gpf) return "bad: " + problem;
    iniRound = *ini;
    gpfRound = *gpf;
    // A round saves the group file first: it may be one ahead, never behind.
    if (gpfRound < iniRound || gpfRound > iniRound + 1)
      return "bad: settings round " + std::to_string(iniRound) + " beside groups round " +
             std::to_string(gpfRound);
  }
  const std::uint32_t round = (iniRound > gpfRound ? iniRound : gpfRound) + 1;
  if (!SaveRound(folder, round)) return "bad: saving round " + std::to_string(round) + " failed";
  for (const std::string& name : FolderNames(folder)) {
    if (IsOurTemporary(name)) return "bad: the save left or kept a temporary: " + name;
  }
  nextRound = round + 1;
  return "ok ini=" + std::to_string(iniRound) + " gpf=" + std::to_string(gpfRound) +
         " stale=" + std::to_string(stale);
}

void AppendLine(const std::string& path, const std::string& line) {
  const unique_file file(CreateFileW(ToWide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  FlushFileBuffers(file.get());
}

int RunSaves(const std::string& folderArgument, const std::string& log, bool forever) {
  const std::string folder = AddBackslash(folderArgument);
  std::uint32_t round = 0;
  const std::string verdict = CheckAndSave(folder, round);
  AppendLine(log, verdict);
  if (round == 0) return 1;
  while (forever) {
    if (!SaveRound(folder, round++)) {
      AppendLine(log, "bad: saving round " + std::to_string(round - 1) + " failed");
      return 1;
    }
  }
  return 0;
}

}  // namespace

bool TestSwitchesEnabled() {
  wchar_t value[8] = {};
  const DWORD n = GetEnvironmentVariableW(L"WENDLIX_TEST_SWITCHES", value, 8);
  return n == 1 && value[0] == L'1';
}

std::optional<int> RunTestSwitch(std::wstring_view arguments) {
  if (arguments.find(L"/wx-") == std::wstring_view::npos || !TestSwitchesEnabled()) return std::nullopt;
  const std::vector<std::wstring> args = SplitArguments(arguments);
  if (args.size() == 1 && args[0] == L"/wx-high-contrast") {
    ForceHighContrast(true);
    return std::nullopt;  // the bar starts
  }
  if (args.size() != 3) return std::nullopt;
  const bool loop = args[0] == L"/wx-save-loop";
  if (!loop && args[0] != L"/wx-save-check") return std::nullopt;
  try {
    return RunSaves(FromWide(args[1]), FromWide(args[2]), loop);
  } catch (...) {
    return 1;
  }
}

bool ForcedHighContrast() { return highContrastForced; }

void ForceHighContrast(bool forced) { highContrastForced = forced; }

}  // namespace wendlix
