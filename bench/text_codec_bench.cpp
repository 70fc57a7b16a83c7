// Reading and writing a 650 KB group file in code page 936 (Chinese names, ASCII keys):
// our table codec against iconv over the whole buffer, the plain approach. Target:
// decoding well under 3 ms.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>

#include "core/text/encoding.h"

namespace {

const std::string& GroupFileUtf8() {
  static const std::string text = [] {
    std::string s;
    for (int i = 0; s.size() < 780 * 1024; ++i) {
      const std::string n = std::to_string(i);
      s += "[\xE5\xB8\xB8\xE7\x94\xA8\xE5\xB7\xA5\xE5\x85\xB7" + n + "]\r\n";         // [常用工具n]
      s += "Title=\xE5\xB7\xA5\xE5\x85\xB7\xE6\xA0\x8F " + n + "\r\n";                // 工具栏
      s += "Directory=D:\\\xE6\xA1\x8C\xE9\x9D\xA2\\\xE5\xBF\xAB\xE6\x8D\xB7\\\r\n";  // 桌面\快捷
      s += "Color=-2147483633\r\nFontName=\xE5\xAE\x8B\xE4\xBD\x93\r\n";              // 宋体
      s += "Button1=\xE8\xAE\xB0\xE4\xBA\x8B\xE6\x9C\xAC.lnk\r\n";                    // 记事本
    }
    return s;
  }();
  return text;
}

const std::string& GroupFileBytes() {
  static const std::string bytes = *wendlix::Utf8ToCp936(GroupFileUtf8());
  return bytes;
}

void BM_Cp936Decode(benchmark::State& state) {
  const std::string& bytes = GroupFileBytes();
  for (auto _ : state) benchmark::DoNotOptimize(wendlix::Cp936ToUtf8(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Cp936Decode)->Unit(benchmark::kMillisecond);

void BM_IconvDecode(benchmark::State& state) {
  const std::string& bytes = GroupFileBytes();
  iconv_t cd = iconv_open("UTF-8", "GB18030");
  std::string out(bytes.size() * 2, '\0');
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    char* o = out.data();
    std::size_t inLeft = bytes.size(), outLeft = out.size();
    benchmark::DoNotOptimize(iconv(cd, &in, &inLeft, &o, &outLeft));
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_IconvDecode)->Unit(benchmark::kMillisecond);

void BM_Cp936Encode(benchmark::State& state) {
  const std::string& text = GroupFileUtf8();
  for (auto _ : state) benchmark::DoNotOptimize(wendlix::Utf8ToCp936(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Cp936Encode)->Unit(benchmark::kMillisecond);

}  // namespace
