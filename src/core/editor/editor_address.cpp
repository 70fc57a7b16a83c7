#include "core/editor/editor_address.h"

#include "core/bar/panel_data.h"
#include "core/text/ascii.h"

namespace wendlix {

std::string RemoveSpaces(std::string_view s) {
  const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!s.empty() && isTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && isTrimmed(s.back())) s.remove_suffix(1);
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

std::string_view AddressPrefix(std::uint16_t kind) { return kind == gkWeb ? "HTTP://" : "MAILTO:"; }

bool HasOwnScheme(std::string_view address, std::uint16_t kind) {
  return kind == gkWeb && StartsWithTextAscii(address, "https://");
}

namespace {

// What follows the first occurrence of `prefix`, or the whole address when it holds
// none; `found` tells which.
std::string AfterPrefix(std::string_view address, std::string_view prefix, bool& found) {
  const std::size_t at = FindTextAscii(address, prefix);
  found = at != std::string_view::npos;
  return std::string(found ? address.substr(at + prefix.size()) : address);
}

}  // namespace

std::string PrefixedAddress(std::string_view typed, std::uint16_t kind) {
  if (HasOwnScheme(typed, kind)) return std::string(typed);
  const std::string_view prefix = AddressPrefix(kind);
  bool found = false;
  return std::string(prefix) + AfterPrefix(typed, prefix, found);
}

std::string PageAddress(std::string_view typed, std::uint16_t kind) {
  if (HasOwnScheme(typed, kind)) return std::string(typed);
  const std::string_view prefix = AddressPrefix(kind);
  bool found = false;
  std::string rest = AfterPrefix(typed, prefix, found);
  return found ? std::string(prefix) + rest : rest;
}

std::string AddressForEdit(std::string_view stored, std::uint16_t kind) {
  if (HasOwnScheme(stored, kind)) return std::string(stored);
  bool found = false;
  return AfterPrefix(stored, AddressPrefix(kind), found);
}

}  // namespace wendlix
