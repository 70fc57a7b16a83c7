// Our code page 936 codec against Windows' own conversion: the native table (dumped by
// tests/tools/cp936_dump) code by code, and the exe's codec on mixed and broken text.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/text/cp936.h"
#include "core/text/encoding.h"

namespace wendlix {
namespace {

std::u16string WindowsDecode(const std::string& bytes, DWORD flags = 0) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(936, flags, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(936, flags, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

// nullopt when Windows has to put its default character in (no best fit: a look-alike
// such as "e" for "é" would read back as different text).
std::optional<std::string> WindowsEncode(const std::u16string& text) {
  if (text.empty()) return std::string();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, size, out.data(), n, nullptr, nullptr);
  return out;
}

// Windows turns a lead byte and the byte after it into one "?" even when that byte is a
// line break or "="; we keep the byte. Decoding with Windows piece by piece, cut after
// every such lead byte (Windows reads a lead byte at the end of its input as "?"), gives
// what our codec must produce.
std::u16string WindowsDecodeKeepingBadTrails(const std::string& bytes) {
  std::u16string out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (!IsCp936LeadByte(b)) continue;
    if (i + 1 < bytes.size() && IsCp936TrailByte(static_cast<std::uint8_t>(bytes[i + 1]))) {
      ++i;
      continue;
    }
    out += WindowsDecode(bytes.substr(start, i + 1 - start));
    start = i + 1;
  }
  return out + WindowsDecode(bytes.substr(start));
}

std::string CodeBytes(unsigned code) {
  std::string s;
  if (code >= 0x100) s.push_back(static_cast<char>(code >> 8));
  s.push_back(static_cast<char>(code & 0xFF));
  return s;
}

TEST(Cp936Agreement, NativeTableMatchesWindowsOnEveryCode) {
  wchar_t path[MAX_PATH * 2];
  const DWORD len = GetEnvironmentVariableW(L"WENDLIX_CP936_NATIVE_TABLE", path, MAX_PATH * 2);
  if (len == 0 || len >= MAX_PATH * 2) {
    GTEST_SKIP() << "WENDLIX_CP936_NATIVE_TABLE is not set; write the native table with cp936_dump "
                    "and name its Windows path there";
  }
  std::FILE* file = _wfopen(path, L"rb");
  ASSERT_NE(file, nullptr) << "cannot open the native table";

  std::set<unsigned> seen;
  std::vector<std::string> mismatches;
  const auto report = [&](unsigned code, const char* what, unsigned a = 0, unsigned b = 0, unsigned c = 0) {
    char text[96];
    std::snprintf(text, sizeof text, "%04X: %s %04X %04X %04X", code, what, a, b, c);
    mismatches.emplace_back(text);
  };
  char line[64];
  while (std::fgets(line, sizeof line, file)) {
    char codeText[8] = {};
    unsigned native = 0;
    if (std::sscanf(line, "%7s %x", codeText, &native) != 2) continue;
    const auto code = static_cast<unsigned>(std::strtoul(codeText, nullptr, 16));
    const bool single = std::strlen(codeText) == 2;
    if (!seen.insert(code).second) report(code, "listed twice");
    const std::string bytes = CodeBytes(code);

    // Windows: a single byte as it reads on its own, a pair only when it is a character.
    const std::u16string win = WindowsDecode(bytes, single ? 0 : MB_ERR_INVALID_CHARS);
    const unsigned windows = win.size() == 1 ? win[0] : 0;
    const std::u16string ours = Utf8ToUtf16(Cp936ToUtf8(bytes));
    const unsigned exe =
        single ? (ours.size() == 1 ? ours[0] : 0) : Cp936CodeToUnicode(static_cast<std::uint16_t>(code));
    if (native != windows || exe != windows) {
      report(code, "native, exe, Windows:", native, exe, windows);
      continue;
    }
    if (windows == 0 || windows == u'?') continue;

    // Round trip: the character goes back to this very code, with Windows and with us.
    const std::u16string unit(1, static_cast<char16_t>(windows));
    if (WindowsEncode(unit) != bytes) report(code, "Windows encodes it elsewhere");
    if (Utf8ToCp936(Utf16ToUtf8(unit)) != bytes) report(code, "we encode it elsewhere");
    if (!single && ours != unit) report(code, "Cp936ToUtf8 disagrees with the table");
  }
  std::fclose(file);

  EXPECT_EQ(seen.size(), 128u + 126u * 191u) << "the table should list every code";
  std::string detail;
  for (std::size_t i = 0; i < mismatches.size() && i < 20; ++i) detail += mismatches[i] + "\n";
  EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " codes differ:\n" << detail;
}

TEST(Cp936Agreement, ExeCodecMatchesWindowsOnMixedText) {
  const std::string wellFormed[] = {
      "",
      "[Wendlix V3.0]\r\nTitle=\xB9\xA4\xBE\xDF\xC0\xB8\r\n",  // 工具栏
      "\x80 \xFF \xA2\xE3 \xAA\xA1 \xFE\x50 \xA8\xA6",         // euro, 0xFF, private use, é
      "C:\\\xD7\xC0\xC3\xE6\\\xB1\xCA\xBC\xC7.lnk",            // C:\桌面\笔记.lnk
      "\x81\x5C\x81\x5D\x81\x40\xFE\xFE",                      // "\" and "]" as trail bytes
  };
  for (const std::string& bytes : wellFormed) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const std::u16string windows = WindowsDecode(bytes);
    EXPECT_EQ(Utf8ToUtf16(Cp936ToUtf8(bytes)), windows);
    EXPECT_EQ(Utf8ToCp936(Utf16ToUtf8(windows)), bytes);
    EXPECT_EQ(WindowsEncode(windows), bytes);
  }

  // Broken text, then byte soup from the interesting ranges, reproducible.
  std::vector<std::string> broken = {"a\x81",
                                     "\xB0\r\nKey=1",
                                     "\xB0=\xB0",
                                     std::string("\xB0\0x", 3),
                                     "\xB0\x7F\xB0\xFF",
                                     "\x81\x30\x81\x30",
                                     "\xB0\xB0\xB0",
                                     "\x80\x80\xFF\xFF\x81",
                                     "]\xC0\x5D\xC0]\r\n",
                                     "\xFE\x0A\xFE"};
  const unsigned char alphabet[] = {0x00, 0x0A, 0x0D, '=',  '?',  0x30, 0x3F, 0x40, 0x5C, 0x5D, 0x7E,
                                    0x7F, 0x80, 0x81, 0xA0, 0xA1, 0xA2, 0xAA, 0xB0, 0xD6, 0xFE, 0xFF};
  std::uint32_t seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    std::string& bytes = broken.emplace_back();
    for (int i = 0; i < round % 23; ++i) {
      seed = seed * 1664525u + 1013904223u;
      bytes.push_back(static_cast<char>(alphabet[(seed >> 16) % sizeof alphabet]));
    }
  }
  for (const std::string& bytes : broken) {
    ASSERT_EQ(Utf8ToUtf16(Cp936ToUtf8(bytes)), WindowsDecodeKeepingBadTrails(bytes))
        << testing::PrintToString(bytes);
  }
}

TEST(Cp936Agreement, UnencodableTextIsRefusedWhereWindowsFallsBack) {
  const std::u16string texts[] = {
      u"\xD83D\xDE00",  // emoji
      u"a\x00A9",       // ©
      u"\x00C9",        // É: plain WideCharToMultiByte would write é
      u"\xD55C",        // Hangul
      u"x\xD800y",      // lone surrogate
      u"\x0080",
  };
  for (const std::u16string& text : texts) {
    EXPECT_EQ(WindowsEncode(text), std::nullopt);
    EXPECT_EQ(Utf8ToCp936(Utf16ToUtf8(text)), std::nullopt);
  }
  const std::u16string fine = u"\x4E2D\x6587 \x20AC\x00E9\xE000\xF8F5";
  EXPECT_EQ(Utf8ToCp936(Utf16ToUtf8(fine)), WindowsEncode(fine));
}

}  // namespace
}  // namespace wendlix
