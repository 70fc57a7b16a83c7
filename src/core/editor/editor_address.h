// The editor's text rules: its blank test and how a typed web or e-mail address gets,
// keeps or loses its "HTTP://" or "MAILTO:" prefix.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wendlix {

// The text with control characters and spaces trimmed at both ends and every inner space
// removed. Only used to test whether a field is blank: the field itself stays as typed.
std::string RemoveSpaces(std::string_view s);
inline bool IsBlankField(std::string_view s) { return RemoveSpaces(s).empty(); }

// "HTTP://" for web groups (kind 1), "MAILTO:" for any other kind.
std::string_view AddressPrefix(std::uint16_t kind);

// A web address that starts with "https://" (any case) already names its scheme and is
// never given a second one.
bool HasOwnScheme(std::string_view address, std::uint16_t kind);

// Button mode: the address always leaves with the prefix: added in front when missing,
// otherwise put in place of its first occurrence (text before it is dropped).
std::string PrefixedAddress(std::string_view typed, std::uint16_t kind);

// Buttons page (new and changed entries): a prefix found anywhere replaces everything up
// to its end; an address without one is stored as typed (the bar adds it when filling).
std::string PageAddress(std::string_view typed, std::uint16_t kind);

// What the address field shows for a stored address: the part after the first prefix,
// or the whole address when it has none.
std::string AddressForEdit(std::string_view stored, std::uint16_t kind);

}  // namespace wendlix
