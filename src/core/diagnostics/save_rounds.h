// Numbered saves for the kill tests: round N writes a settings file and a group file
// whose bytes depend on N alone, so a checker can tell a file that is some round's
// whole save from one cut short or mixed from two.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace wendlix {

class IniFile;

// Replaces everything in `ini` and `gpf` by round `round`'s bar settings and groups,
// written as the bar writes them when it closes, plus the round's number.
void WriteSaveRound(IniFile& ini, IniFile& gpf, std::uint32_t round);

// The bytes round `round` gives each file.
struct SaveRoundBytes {
  std::string Settings;
  std::string Groups;
};
SaveRoundBytes SaveRoundFiles(std::uint32_t round);

// The round a document says it holds; nullopt when it names none.
std::optional<std::uint32_t> SaveRoundOf(const IniFile& doc);

}  // namespace wendlix
