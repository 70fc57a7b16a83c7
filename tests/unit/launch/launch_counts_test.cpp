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
  struct Case {
    const char* line;
    std::uint32_t count;  // of target "a"
  };
  const Case cases[] = {
      {"AF63DC4C8601EC8C=5", 5},
      {"af63dc4c8601ec8c=5", 5},  // hex in either case
      {"AF63DC4C8601EC8C=2147483647", LaunchCounts::kMaxCount},
  };
  for (const Case& c : cases) {
    const LaunchCounts counts =
        LaunchCounts::Read(IniFile::FromBytes(std::string("[Launch Counts]\r\n") + c.line + "\r\n"));
    EXPECT_EQ(counts.Of("a"), c.count) << c.line;
    EXPECT_EQ(counts.Size(), 1u) << c.line;
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

TEST(LaunchCounts, AFullFileKeepsTheMostStartedAndCountsStopAtTheTop) {
  LaunchCounts counts;
  // Targets t0..t1029; ti started i % 7 + 1 times: the 6 dropped are started once, the greatest keys first.
  for (int i = 0; i < static_cast<int>(LaunchCounts::kMaxKept) + 6; ++i)
    for (int n = 0; n <= i % 7; ++n) counts.Count("t" + std::to_string(i));
  IniFile ini = IniFile::FromBytes("");
  counts.Write(ini);
  const LaunchCounts kept = LaunchCounts::Read(ini);
  EXPECT_EQ(kept.Size(), LaunchCounts::kMaxKept);
  int droppedOnce = 0;
  for (int i = 0; i < static_cast<int>(LaunchCounts::kMaxKept) + 6; ++i) {
    const std::string t = "t" + std::to_string(i);
    if (kept.Of(t) == 0) {
      EXPECT_EQ(counts.Of(t), 1u) << t;
      ++droppedOnce;
    } else {
      EXPECT_EQ(kept.Of(t), counts.Of(t)) << t;
    }
  }
  EXPECT_EQ(droppedOnce, 6);

  LaunchCounts top =
      LaunchCounts::Read(IniFile::FromBytes("[Launch Counts]\r\nAF63DC4C8601EC8C=2147483647\r\n"));
  top.Count("a");
  EXPECT_EQ(top.Of("a"), LaunchCounts::kMaxCount);
}

}  // namespace
}  // namespace wendlix
