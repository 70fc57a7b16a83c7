#include "core/diagnostics/save_rounds.h"

#include <string_view>
#include <vector>

#include "core/bar/bar_save.h"
#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

constexpr std::string_view kRoundSection = "Save Round";
constexpr std::string_view kRoundKey = "Round";
constexpr int kGroupCount = 20;
constexpr int kButtonsPerGroup = 30;

void EraseAll(IniFile& doc) {
  for (const std::string& section : doc.ReadSections()) doc.EraseSection(section);
}

// Sizes, titles, addresses and the number of groups all move with the round, so that
// consecutive files differ in length as well as in content.
std::vector<GroupRecord> RoundGroups(std::uint32_t round) {
  const std::string n = std::to_string(round);
  std::vector<GroupRecord> groups;
  const int count = kGroupCount - static_cast<int>(round % 3);
  for (int g = 0; g < count; ++g) {
    GroupRecord r;
    r.Data.Title = "组" + std::to_string(g) + "·" + n;
    r.Data.Directory = "C:\\快捷方式\\" + n + "\\" + std::to_string(g);
    r.Data.PanelStyle = g % 2 ? gkWeb : gkEmail;
    r.Data.Color = static_cast<std::int32_t>(round * 7919u % 0xFFFFFFu);
    r.Width = 100 + static_cast<int>((round + g) % 200);
    r.Height = 60 + static_cast<int>(round % 300);
    const std::string scheme = g % 2 ? "http://" : "MAILTO:";
    for (int b = 0; b < kButtonsPerGroup; ++b) {
      const std::string id = std::to_string(b);
      r.Buttons.push_back({"按钮" + id, scheme + "例子" + n + ".cn/" + id, false});
    }
    groups.push_back(std::move(r));
  }
  return groups;
}

BarSettings RoundSettings(std::uint32_t round) {
  BarSettings s;
  s.AutoRun = false;
  s.Width = 40 + static_cast<int>(round % 400);
  s.Height = 300 + static_cast<int>(round % 97);
  s.AppBar.Edge = static_cast<int>(round % 4);
  s.AppBar.AutoHide = round % 2 == 0;
  s.AppBar.ActiveDelay = static_cast<int>(round % 2000);
  return s;
}

}  // namespace

void WriteSaveRound(IniFile& ini, IniFile& gpf, std::uint32_t round) {
  EraseAll(ini);
  EraseAll(gpf);
  const std::vector<GroupRecord> groups = RoundGroups(round);
  BarSettings settings = RoundSettings(round);
  settings.Groups = static_cast<int>(groups.size());
  WriteBarDocuments(ini, gpf, settings, TweakFlags{}, ShellWindowStates{}, groups);
  ini.WriteInteger(kRoundSection, kRoundKey, static_cast<int>(round));
  gpf.WriteInteger(kRoundSection, kRoundKey, static_cast<int>(round));
}

SaveRoundBytes SaveRoundFiles(std::uint32_t round) {
  IniFile ini = IniFile::FromBytes("");
  IniFile gpf = IniFile::FromBytes("");
  WriteSaveRound(ini, gpf, round);
  return {ini.ToBytes(), gpf.ToBytes()};
}

std::optional<std::uint32_t> SaveRoundOf(const IniFile& doc) {
  const int round = doc.ReadInteger(kRoundSection, kRoundKey, -1);
  if (round < 0) return std::nullopt;
  return static_cast<std::uint32_t>(round);
}

}  // namespace wendlix
