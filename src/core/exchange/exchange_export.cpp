#include "core/exchange/exchange_export.h"

#include <array>

#include "core/text/ascii.h"

namespace wendlix {
namespace {

bool IsDeviceName(std::string_view base) {
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view d : kPlain) {
    if (SameTextAscii(base, d)) return true;
  }
  // COM1..COM9 and LPT1..LPT9.
  return base.size() == 4 && (StartsWithTextAscii(base, "COM") || StartsWithTextAscii(base, "LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string ExchangeFileNameSuggestion(std::string_view title) {
  std::string name;
  name.reserve(title.size());
  for (const char c : title) {
    const auto u = static_cast<unsigned char>(c);
    // Every character replaced is ASCII, so no byte of a multi-byte character is touched.
    const bool bad =
        u < 0x20 || u == 0x7F || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    name += bad ? '_' : c;
  }
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  if (name.empty()) return "工具栏";
  // Windows reads "CON" and "CON.GLF" alike as the console: the device name is the part
  // before the first dot, blanks before it ignored.
  std::string_view base = std::string_view(name).substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  if (IsDeviceName(base)) name.insert(base.size(), "_");
  return name;
}

std::string ExportReplaceQuestion(const std::string& path) {
  return "文件已经存在：\r\r\"" + path + "\"\r\r是否用当前工具栏的配置替换它？";
}

std::string ExportFailedText(const std::string& path) {
  return "无法导出工具栏配置文件：\r\r\"" + path + "\"\r\r请检查该文件夹是否存在并且可以写入。";
}

std::string ExportSkippedText(const std::string& path, const std::vector<std::string>& skipped) {
  std::string text = "工具栏已导出到：\r\r\"" + path + "\"\r\r以下项目无法保存在配置文件中，没有导出：\r";
  for (const std::string& name : skipped) text += "\r" + name;
  return text;
}

}  // namespace wendlix
