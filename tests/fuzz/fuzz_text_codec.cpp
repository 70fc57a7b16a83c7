// Arbitrary bytes through every text conversion and path helper. Whatever comes in, the
// output is well-formed and stable: decoded code page 936 is valid UTF-8 that encodes
// and decodes back to itself, accepted UTF-8 reads back unchanged, and the path helpers
// split a path into pieces that join to the original.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/encoding.h"
#include "core/text/paths.h"
#include "support/fuzz_check.h"

namespace {

bool IsValidUtf8(const std::string& s) { return wendlix::Utf16ToUtf8(wendlix::Utf8ToUtf16(s)) == s; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wendlix;
  using fuzz_support::Check;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::string decoded = Cp936ToUtf8(bytes);
  Check(IsValidUtf8(decoded), "decoded code page 936 is UTF-8");
  const auto reencoded = Utf8ToCp936(decoded);
  Check(reencoded.has_value() && reencoded->size() <= bytes.size(), "decoded text encodes again");
  Check(Cp936ToUtf8(*reencoded) == decoded, "encoded again, it decodes the same");

  if (const auto encoded = Utf8ToCp936(bytes))
    Check(Cp936ToUtf8(*encoded) == bytes, "accepted UTF-8 round-trips");

  const std::string cleaned = Utf16ToUtf8(Utf8ToUtf16(bytes));
  Check(IsValidUtf8(cleaned), "UTF-16 gives UTF-8");
  if (IsValidUtf8(bytes)) Check(cleaned == bytes, "valid UTF-8 reads back unchanged");

  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  Check(IsValidUtf8(Utf16ToUtf8(units)), "any UTF-16 gives UTF-8");

  Check(ExtractFilePath(bytes) + ExtractFileName(bytes) == bytes, "folder and name join");
  Check(ExtractFileBaseName(bytes) + ExtractFileExt(bytes) == ExtractFileName(bytes),
        "base and extension join");
  Check(ChangeFileExt(bytes, ExtractFileExt(bytes)) == bytes, "its own extension changes nothing");
  const std::string withBackslash = AddBackslash(bytes);
  Check(bytes.empty() ? withBackslash.empty() : withBackslash.back() == '\\', "a backslash ends it");
  return 0;
}
