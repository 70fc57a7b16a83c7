#include "win/common/registry.h"

#include <vector>

#include "win/common/wide.h"

namespace wendlix {

unique_hkey OpenRegKey(HKEY root, const std::string& subKey, bool create, REGSAM access) {
  unique_hkey key;
  const std::wstring name = ToWide(subKey);
  const LONG rc =
      create ? RegCreateKeyExW(root, name.c_str(), 0, nullptr, 0, access, nullptr, key.put(), nullptr)
             : RegOpenKeyExW(root, name.c_str(), 0, access, key.put());
  if (rc != ERROR_SUCCESS) key.release();
  return key;
}

std::optional<std::string> ReadRegString(HKEY key, const std::string& valueName) {
  const std::wstring name = ToWide(valueName);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return FromWide(buffer.data());
}

std::optional<DWORD> ReadRegDword(HKEY key, const std::string& valueName) {
  DWORD type = 0, value = 0, size = sizeof(value);
  if (RegQueryValueExW(key, ToWide(valueName).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return std::nullopt;
  return value;
}

bool WriteRegString(HKEY key, const std::string& valueName, const std::string& value) {
  const std::wstring name = ToWide(valueName), data = ToWide(value);
  return RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteRegDword(HKEY key, const std::string& valueName, DWORD value) {
  const std::wstring name = ToWide(valueName);
  return RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&value), sizeof(value)) == ERROR_SUCCESS;
}

bool DeleteRegValue(HKEY key, const std::string& valueName) {
  const std::wstring name = ToWide(valueName);
  const LONG rc = RegDeleteValueW(key, name.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace wendlix
