#include "core/drops/file_drop_effect.h"

#include "core/text/paths.h"

namespace wendlix {

std::optional<std::string> DragSourceDirOf(const std::vector<std::string>& files) {
  for (const std::string& f : files) {
    if (!f.empty()) return ExtractFilePath(f);
  }
  return std::nullopt;
}

std::uint32_t FileDropEffect(std::string_view dragSourceDir, std::uint32_t offered) {
  if (dragSourceDir == "C:\\") return deNone;
  return (offered & deLink) ? deLink : deNone;
}

}  // namespace wendlix
