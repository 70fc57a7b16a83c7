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
  const std::string a = "[Launch Counts]\r\n" + LaunchCounts::KeyOf("a") + "=";
  const std::string b = "\r\n" + LaunchCounts::KeyOf("b") + "=", c = "\r\n" + LaunchCounts::KeyOf("c") + "=";
  const auto abc = [](const LaunchCounts& n) {
    return std::vector<std::uint32_t>{n.Of("a"), n.Of("b"), n.Of("c")};
  };
  LaunchCounts counts = LaunchCounts::Read(IniFile::FromBytes(a + "1000" + b + "3" + c + "1\r\n"));
  EXPECT_EQ(abc(counts), (std::vector<std::uint32_t>{1000, 3, 1}));
  counts.Count("a");
  EXPECT_EQ(abc(counts), (std::vector<std::uint32_t>{501, 2, 1}));
  EXPECT_EQ(abc(LaunchCounts::Read(IniFile::FromBytes(a + "5000" + b + "600" + c + "7\r\n"))),
            (std::vector<std::uint32_t>{625, 75, 1}));
}

// A file full of things started twice long ago, and one more than is kept, started once: that one
// is left out. Something new, started once a session, enters above the rest and rises each session.
TEST(LaunchCounts, WhatIsStartedNowEntersAFullFileAndRises) {
  std::string bytes = "[Launch Counts]\r\n";
  for (std::size_t i = 0; i <= LaunchCounts::kMaxKept; ++i)
    bytes +=
        LaunchCounts::KeyOf("t" + std::to_string(i)) + (i < LaunchCounts::kMaxKept ? "=2\r\n" : "=1\r\n");
  IniFile ini = IniFile::FromBytes(bytes);
  for (std::uint32_t session = 1; session <= 3; ++session) {
    LaunchCounts counts = LaunchCounts::Read(ini);
    EXPECT_EQ(counts.Size(), LaunchCounts::kMaxKept);
    EXPECT_EQ(counts.Of("t" + std::to_string(LaunchCounts::kMaxKept)), 0u);
    counts.Count("new");
    counts.Write(ini);
    EXPECT_EQ(LaunchCounts::Read(ini).Of("new"), 2 + session);
  }
}

}  // namespace
}  // namespace wendlix
