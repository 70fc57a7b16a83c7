#include "core/launch/launch_counts.h"

#include <gtest/gtest.h>

#include <string>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

TEST(LaunchCounts, KeysAreTheTargetsHashInAnyCase) {
  // The published FNV-1a values, so that a file written by one build reads in every other.
  EXPECT_EQ(LaunchCounts::KeyOf(""), "CBF29CE484222325");
  EXPECT_EQ(LaunchCounts::KeyOf("a"), "AF63DC4C8601EC8C");
  EXPECT_EQ(LaunchCounts::KeyOf("C:\\Tools\\记事本.LNK"), "0C7474775A1DFF9B");
  EXPECT_EQ(LaunchCounts::KeyOf("c:\\tools\\记事本.lnk"), "0C7474775A1DFF9B");
  // A target that could not be a key ("=" in an address) is one all the same.
  EXPECT_EQ(LaunchCounts::KeyOf("http://news.example.org/?a=b"), "37CEFA5AB7BDAA32");

  LaunchCounts counts;
  counts.Count("C:\\Tools\\Notes.lnk");
  counts.Count("c:\\tools\\notes.LNK");
  counts.Count("http://news.example.org/");
  EXPECT_EQ(counts.Of("C:\\TOOLS\\NOTES.LNK"), 2u);
  EXPECT_EQ(counts.Of("http://news.example.org/"), 1u);
  EXPECT_EQ(counts.Of("C:\\Tools\\Other.lnk"), 0u);
}

TEST(LaunchCounts, WrittenAsOneSectionBesideTheRestAndReadBack) {
  IniFile ini = IniFile::FromBytes("[Wendlix V3.0]\r\nWidth=86\r\n[Launch Counts]\r\nFFFFFFFFFFFFFFFF=9\r\n");
  LaunchCounts counts = LaunchCounts::Read(ini);
  counts.Count("a");
  counts.Count("a");
  counts.Count("http://news.example.org/?a=b");
  counts.Write(ini);
  const std::string bytes =
      "[Wendlix V3.0]\r\nWidth=86\r\n"
      "[Launch Counts]\r\n37CEFA5AB7BDAA32=1\r\nAF63DC4C8601EC8C=2\r\nFFFFFFFFFFFFFFFF=9\r\n";
  EXPECT_EQ(ini.ToBytes(), bytes);
  const LaunchCounts again = LaunchCounts::Read(IniFile::FromBytes(bytes));
  EXPECT_EQ(again.Size(), 3u);
  EXPECT_EQ(again.Of("A"), 2u);
}

TEST(LaunchCounts, NothingCountedWritesNothing) {
  IniFile ini = IniFile::FromBytes("[Wendlix V3.0]\r\nWidth=86\r\n");
  LaunchCounts().Write(ini);
  EXPECT_FALSE(ini.Modified());
  // A section left with nothing worth keeping goes.
  ini = IniFile::FromBytes("[Wendlix V3.0]\r\nWidth=86\r\n[Launch Counts]\r\nxyz=3\r\n");
  LaunchCounts::Read(ini).Write(ini);
  EXPECT_EQ(ini.ToBytes(), "[Wendlix V3.0]\r\nWidth=86\r\n");
}

TEST(LaunchCounts, LinesThatAreNoHashAndCountAreLeftOut) {
  for (const char* line : {"AF63DC4C8601EC8C=5", "af63dc4c8601ec8c=5"}) {  // hex in either case
    const LaunchCounts counts =
        LaunchCounts::Read(IniFile::FromBytes(std::string("[Launch Counts]\r\n") + line + "\r\n"));
    EXPECT_EQ(counts.Of("a"), 5u) << line;
    EXPECT_EQ(counts.Size(), 1u) << line;
  }
  // No count, a key a digit short or long or not hex, a count beyond what the file holds.
  for (const char* line :
       {"AF63DC4C8601EC8C=0", "AF63DC4C8601EC8C=-4", "AF63DC4C8601EC8C=many", "AF63DC4C8601EC8=5",
        "AF63DC4C8601EC8CC=5", "AF63DC4C8601EC8G=5", "AF63DC4C8601EC8C=2147483648"})
    EXPECT_EQ(
        LaunchCounts::Read(IniFile::FromBytes(std::string("[Launch Counts]\r\n") + line + "\r\n")).Size(), 0u)
        << line;
  // The first line of a key counts, as the store reads keys.
  const LaunchCounts twice = LaunchCounts::Read(
      IniFile::FromBytes("[Launch Counts]\r\nAF63DC4C8601EC8C=5\r\naf63dc4c8601ec8c=7\r\n"));
  EXPECT_EQ(twice.Of("a"), 5u);
}

// Once a count passes the bound every count is halved, rounding up; counts above it, as older
// copies wrote them, are halved as they are read, as often as it takes.
TEST(LaunchCounts, CountsAgeByHalvingAllWhenOnePassesTheBound) {
  const std::string a = LaunchCounts::KeyOf("a"), b = LaunchCounts::KeyOf("b"), c = LaunchCounts::KeyOf("c");
  LaunchCounts counts = LaunchCounts::Read(
      IniFile::FromBytes("[Launch Counts]\r\n" + a + "=1000\r\n" + b + "=3\r\n" + c + "=1\r\n"));
  EXPECT_EQ(counts.Of("a"), LaunchCounts::kAgeAt);
  counts.Count("a");
  EXPECT_EQ((std::vector<std::uint32_t>{counts.Of("a"), counts.Of("b"), counts.Of("c")}),
            (std::vector<std::uint32_t>{501, 2, 1}));
  counts = LaunchCounts::Read(
      IniFile::FromBytes("[Launch Counts]\r\n" + a + "=5000\r\n" + b + "=600\r\n" + c + "=7\r\n"));
  EXPECT_EQ((std::vector<std::uint32_t>{counts.Of("a"), counts.Of("b"), counts.Of("c")}),
            (std::vector<std::uint32_t>{625, 75, 1}));
}

// A file as an older copy may have left it: one line per target "t<i>", counted count(i) times.
std::string FileOf(int targets, std::uint32_t (*count)(int)) {
  std::string bytes = "[Launch Counts]\r\n";
  for (int i = 0; i < targets; ++i)
    bytes += LaunchCounts::KeyOf("t" + std::to_string(i)) + "=" + std::to_string(count(i)) + "\r\n";
  return bytes;
}

TEST(LaunchCounts, AFileOfTooManyKeepsTheMostStarted) {
  // ti started i % 7 + 1 times: the 6 left out are started once.
  const int targets = static_cast<int>(LaunchCounts::kMaxKept) + 6;
  const auto count = [](int i) { return static_cast<std::uint32_t>(i % 7 + 1); };
  const LaunchCounts kept = LaunchCounts::Read(IniFile::FromBytes(FileOf(targets, count)));
  EXPECT_EQ(kept.Size(), LaunchCounts::kMaxKept);
  int leftOut = 0;
  for (int i = 0; i < targets; ++i) {
    const std::uint32_t n = kept.Of("t" + std::to_string(i));
    if (n == 0) {
      EXPECT_EQ(count(i), 1u) << i;
      ++leftOut;
    } else {
      EXPECT_EQ(n, count(i)) << i;
    }
  }
  EXPECT_EQ(leftOut, 6);
}

// A file full of things started twice long ago: something new, started once a session, enters at
// once above them and rises session by session.
TEST(LaunchCounts, WhatIsStartedNowEntersAFullFileAndRises) {
  const int targets = static_cast<int>(LaunchCounts::kMaxKept);
  IniFile ini = IniFile::FromBytes(FileOf(targets, [](int) { return 2u; }));
  for (std::uint32_t session = 1; session <= 3; ++session) {
    LaunchCounts counts = LaunchCounts::Read(ini);
    counts.Count("new");
    counts.Write(ini);
    const LaunchCounts again = LaunchCounts::Read(ini);
    EXPECT_EQ(again.Size(), LaunchCounts::kMaxKept);
    EXPECT_EQ(again.Of("new"), 2 + session);
  }
}

}  // namespace
}  // namespace wendlix
