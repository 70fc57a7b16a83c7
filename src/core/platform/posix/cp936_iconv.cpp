// Native table source: glibc's GB18030 converter, corrected to Windows' code page 936.
// GB18030 agrees with Windows on every double-byte code except the few listed below,
// which Windows keeps in the private use area (GB18030-2005 gave them real characters).
#include <iconv.h>

#include <cstddef>
#include <cstring>
#include <mutex>

#include "core/platform/cp936_table.h"

namespace wendlix::platform {
namespace {

// A run of codes that Windows maps to consecutive private-use characters.
struct PrivateUseRun {
  std::uint16_t first;
  std::uint16_t last;
  char16_t unicode;  // of `first`
};

// Every code where glibc's GB18030 differs from Windows, measured with
// MultiByteToWideChar(936) over all double-byte codes. Sorted by code.
constexpr PrivateUseRun kWindowsRuns[] = {
    {0xA2E3, 0xA2E3, 0xE76C}, {0xA6D9, 0xA6DF, 0xE78D}, {0xA6EC, 0xA6ED, 0xE794},
    {0xA6F3, 0xA6F3, 0xE796}, {0xA8BC, 0xA8BC, 0xE7C7}, {0xA8BF, 0xA8BF, 0xE7C8},
    {0xA989, 0xA995, 0xE7E7}, {0xFE50, 0xFE7E, 0xE815}, {0xFE80, 0xFEA0, 0xE844},
};

class GbConverter {
 public:
  GbConverter() : cd_(iconv_open("UTF-16LE", "GB18030")) {}
  ~GbConverter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  GbConverter(const GbConverter&) = delete;
  GbConverter& operator=(const GbConverter&) = delete;

  // One UTF-16 unit for exactly these bytes, or 0.
  char16_t Convert(const char* bytes, std::size_t size) {
    char in[4];
    if (cd_ == reinterpret_cast<iconv_t>(-1) || size > sizeof in) return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::memcpy(in, bytes, size);
    unsigned char out[8];
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = size, outLeft = sizeof out;
    const std::size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
    if (r == static_cast<std::size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2) return 0;
    return static_cast<char16_t>(out[0] | out[1] << 8);
  }

 private:
  iconv_t cd_;
  std::mutex mutex_;
};

GbConverter& Converter() {
  static GbConverter converter;
  return converter;
}

}  // namespace

char16_t Cp936SingleByteToUnicode(std::uint8_t byte) {
  // GB18030 has neither: Windows gives the euro sign to 0x80 and a private-use
  // character to 0xFF (and writes that character back as 0xFF).
  if (byte == 0x80) return 0x20AC;
  if (byte == 0xFF) return 0xF8F5;
  return 0;
}

char16_t Cp936PairToUnicode(std::uint8_t lead, std::uint8_t trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
  const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
  for (const PrivateUseRun& run : kWindowsRuns) {
    if (code >= run.first && code <= run.last) return static_cast<char16_t>(run.unicode + (code - run.first));
  }
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  return Converter().Convert(bytes, 2);
}

}  // namespace wendlix::platform
