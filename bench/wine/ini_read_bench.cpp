// Start-up reading of a large group file, timed in one run two ways: our profile store
// (parse once, then look up) against the plain approach of one GetPrivateProfileStringA
// call per key. The plain side is too slow for all 32,000 keys, so it reads an evenly
// spread sample and the figure is extrapolated (printed as such).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../ini_group_sample.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "win/common/wide.h"

namespace {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

std::string ToAnsi(const std::string& utf8) {
  const std::wstring wide = wendlix::ToWide(utf8);
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

int main() {
  if (GetACP() != 936)
    std::printf("warning: ANSI code page %u, not 936; Chinese names will not match\n", GetACP());
  const wendlix::bench::GroupFileSample sample = wendlix::bench::MakeGroupFileSample();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path =
      std::string(temp) + "wendlix_read_bench_" + std::to_string(GetCurrentProcessId()) + ".gpf";
  if (!wendlix::platform::WriteFileAtomically(path, sample.bytes)) {
    std::printf("cannot write %s\n", path.c_str());
    return 1;
  }
  const std::size_t keyCount = sample.keys.size();

  // Ours: the whole file from disk, every key, best of several runs.
  double ours = 1e30;
  std::size_t checksum = 0;
  for (int run = 0; run < 15; ++run) {
    const double start = Now();
    const wendlix::IniFile ini(path);
    std::size_t total = 0;
    for (const auto& [section, key] : sample.keys) total += ini.ReadString(section, key, "").size();
    ours = std::min(ours, Now() - start);
    checksum = total;
  }

  // The plain way: one call per key, on an evenly spread sample.
  const std::size_t stride = 32;
  std::vector<std::pair<std::string, std::string>> ansiKeys;
  for (std::size_t i = 0; i < keyCount; i += stride) {
    ansiKeys.emplace_back(ToAnsi(sample.keys[i].first), ToAnsi(sample.keys[i].second));
  }
  std::vector<char> buffer(4096);
  std::size_t plainTotal = 0;
  const double start = Now();
  for (const auto& [section, key] : ansiKeys) {
    plainTotal += GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), path.c_str());
  }
  const double plainSample = Now() - start;
  const double plain = plainSample * static_cast<double>(keyCount) / static_cast<double>(ansiKeys.size());
  DeleteFileA(path.c_str());

  std::printf("group file: %zu bytes, %zu keys\n", sample.bytes.size(), keyCount);
  std::printf("profile store, load + read every key:       %10.2f ms (best of 15; %zu value bytes)\n", ours,
              checksum);
  std::printf("GetPrivateProfileStringA, %5zu sampled keys: %10.2f ms (%zu value bytes)\n", ansiKeys.size(),
              plainSample, plainTotal);
  std::printf("GetPrivateProfileStringA, all keys (extrapolated x%zu): %10.2f ms\n", stride, plain);
  std::printf("speed-up: %.0fx\n", plain / ours);
  return 0;
}
