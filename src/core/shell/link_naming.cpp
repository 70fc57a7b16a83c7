#include "core/shell/link_naming.h"

#include "core/text/paths.h"

namespace wendlix {

namespace {
constexpr int kMaxLinkNumber = 100000;
}

std::string UniqueLinkPath(std::string_view linkPath, const std::function<bool(const std::string&)>& exists) {
  std::string path = ChangeFileExt(linkPath, ".lnk");
  if (!exists(path)) return path;
  const std::string stem = path.substr(0, path.size() - 4);
  for (int n = 1; n <= kMaxLinkNumber; ++n) {
    path = stem + "(" + std::to_string(n) + ").lnk";
    if (!exists(path)) return path;
  }
  return {};
}

std::string DriveLinkName(std::string_view displayName) {
  std::string name(displayName);
  if (const auto colon = name.find(':'); colon != std::string::npos) name.erase(colon, 1);
  for (char& c : name) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|')
      c = '_';
  }
  return name;
}

}  // namespace wendlix
