#include "core/text/paths.h"

#include "core/text/ascii.h"

namespace wendlix {
namespace {

// Searching bytes is safe on UTF-8: "\", ":" and "." never occur inside a multi-byte
// character (unlike a code page 936 trail byte, which can be 0x5C).
std::size_t NameStart(std::string_view path) {
  const std::size_t sep = path.find_last_of("\\:");
  return sep == std::string_view::npos ? 0 : sep + 1;
}

// Position of the extension's dot, or npos when the file name has none.
std::size_t ExtensionDot(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < NameStart(path)) return std::string_view::npos;
  return dot;
}

}  // namespace

std::string AddBackslash(std::string_view s) {
  std::string out(s);
  if (!out.empty() && out.back() != '\\') out.push_back('\\');
  return out;
}

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtractFileExt(std::string_view path) {
  const std::size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ExtractFileBaseName(std::string_view path) {
  const std::size_t start = NameStart(path);
  const std::size_t dot = ExtensionDot(path);
  return std::string(
      path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::string out(path.substr(0, ExtensionDot(path)));
  out.append(ext);
  return out;
}

bool IsShortcutFile(std::string_view fileName) {
  const std::string ext = ToUpperAscii(ExtractFileExt(fileName));
  return ext == ".LNK" || ext == ".PIF" || ext == ".URL";
}

}  // namespace wendlix
