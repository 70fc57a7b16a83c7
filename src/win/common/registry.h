// Registry access with owned keys and UTF-8 strings.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "win/common/unique_handle.h"

namespace wendlix {

// Opens (create=false) or creates a key; empty on failure.
unique_hkey OpenRegKey(HKEY root, const std::string& subKey, bool create,
                       REGSAM access = KEY_READ | KEY_WRITE);
std::optional<std::string> ReadRegString(HKEY key, const std::string& valueName);
// A REG_DWORD value; nullopt when absent or of another type.
std::optional<DWORD> ReadRegDword(HKEY key, const std::string& valueName);
bool WriteRegString(HKEY key, const std::string& valueName, const std::string& value);
bool WriteRegDword(HKEY key, const std::string& valueName, DWORD value);
// True when the value is gone afterwards (also when it never existed).
bool DeleteRegValue(HKEY key, const std::string& valueName);

}  // namespace wendlix
