// Naming of the temporaries behind WriteFileAtomically, shared by both platforms so
// that each cleans exactly what it (or an earlier version) could have left behind.
#include <cstddef>

#include "core/platform/file_io.h"

namespace wendlix::platform {

namespace {

constexpr std::string_view kMarker = ".~wx";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kHexDigits = 16;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool AllOf(std::string_view s, bool (*accept)(char)) {
  for (const char c : s) {
    if (!accept(c)) return false;
  }
  return !s.empty();
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string AtomicWriteTemporaryName(std::string_view targetName, std::uint64_t unique) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string name(targetName);
  name += kMarker;
  for (int shift = 60; shift >= 0; shift -= 4) name += kDigits[(unique >> shift) & 0xF];
  name += kSuffix;
  return name;
}

bool IsAtomicWriteTemporary(std::string_view targetName, std::string_view candidate) {
  if (targetName.empty() || candidate.size() <= targetName.size() + kSuffix.size() + 1) return false;
  if (!SameAscii(candidate.substr(0, targetName.size()), targetName)) return false;
  if (!SameAscii(candidate.substr(candidate.size() - kSuffix.size()), kSuffix)) return false;
  std::string_view middle = candidate.substr(targetName.size());
  middle.remove_suffix(kSuffix.size());
  if (SameAscii(middle.substr(0, kMarker.size()), kMarker)) {
    middle.remove_prefix(kMarker.size());
    return middle.size() == kHexDigits && AllOf(middle, IsHex);
  }
  // The earlier form: ".<pid>_<counter>".
  if (middle.front() != '.') return false;
  middle.remove_prefix(1);
  const std::size_t underscore = middle.find('_');
  return underscore != std::string_view::npos && AllOf(middle.substr(0, underscore), IsDigit) &&
         AllOf(middle.substr(underscore + 1), IsDigit);
}

}  // namespace wendlix::platform
