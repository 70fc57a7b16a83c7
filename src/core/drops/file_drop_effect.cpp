#include "core/drops/file_drop_effect.h"

namespace wendlix {

std::optional<std::string> DragSourceDirOf(const std::vector<std::string>& files) {
  for (const std::string& f : files) {
    if (f.empty()) continue;
    const std::size_t cut = f.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : f.substr(0, cut + 1);
  }
  return std::nullopt;
}

std::uint32_t FileDropEffect(std::string_view dragSourceDir, std::uint32_t offered) {
  if (dragSourceDir == "C:\\") return deNone;
  return (offered & deLink) ? deLink : deNone;
}

}  // namespace wendlix
