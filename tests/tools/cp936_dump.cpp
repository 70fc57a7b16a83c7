// Prints the native code page 936 table, one code a line as "<code hex> <UTF-16 hex>":
// first the bytes 0x80..0xFF on their own (as the codec decodes that one byte), then
// every lead byte with every trail byte 0x40..0xFE, 0 where the pair is no character.
// The Windows test exe reads this file and checks each line against Windows itself.
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/text/cp936.h"
#include "core/text/encoding.h"

int main(int argc, char** argv) {
  std::FILE* out = stdout;
  if (argc > 1) {
    out = std::fopen(argv[1], "wb");
    if (!out) {
      std::fprintf(stderr, "cp936_dump: cannot write %s\n", argv[1]);
      return 1;
    }
  }
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::u16string text =
        wendlix::Utf8ToUtf16(wendlix::Cp936ToUtf8(std::string(1, static_cast<char>(b))));
    std::fprintf(out, "%02X %04X\n", b, text.size() == 1 ? static_cast<unsigned>(text[0]) : 0u);
  }
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
      std::fprintf(out, "%04X %04X\n", code, static_cast<unsigned>(wendlix::Cp936CodeToUnicode(code)));
    }
  }
  const bool ok = std::fflush(out) == 0 && !std::ferror(out);
  if (out != stdout) std::fclose(out);
  return ok ? 0 : 1;
}
