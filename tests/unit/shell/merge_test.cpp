#include <gtest/gtest.h>

#include <random>

#include "core/shell/ordered_merge.h"

namespace wendlix {
namespace {

using V = std::vector<std::string>;

TEST(ShellMerge, KeepsSavedOrderDropsGoneAppendsNew) {
  struct Case {
    V saved, current, expected;
  } cases[] = {
      {{"b", "a", "x"}, {"a", "b", "c"}, {"b", "a", "c"}},
      {{}, {"a", "b"}, {"a", "b"}},
      {{"a", "b"}, {}, {}},
      {{"a", "A", "b", "a"}, {"b", "a"}, {"a", "b"}},  // saved duplicates once
      {{"x"}, {"c", "C", "d"}, {"c", "d"}},            // listing duplicates once
      {{"NOTEPAD.LNK", "b.lnk"}, {"b.lnk", "Notepad.lnk"}, {"Notepad.lnk", "b.lnk"}},  // folder's spelling
      {{"ÄRGER.lnk", "привет.LNK"}, {"ПРИВЕТ.lnk", "ärger.LNK"}, {"ärger.LNK", "ПРИВЕТ.lnk"}},
      {{"记事本.lnk", "ｂ.lnk"}, {"Ｂ.LNK", "记事本.LNK", "新.lnk"}, {"记事本.LNK", "Ｂ.LNK", "新.lnk"}},
      {{"ß.lnk"}, {"SS.lnk"}, {"SS.lnk"}}  // no multi-character folding, as the file system
  };
  for (const Case& c : cases) EXPECT_EQ(MergeOrderedList(c.saved, c.current), c.expected) << c.saved.size();
}

TEST(ShellMerge, FileNameKeyFoldsScriptsWithCaseAndKeepsBadBytes) {
  struct Case {
    std::string a, b;
    bool same;
  } cases[] = {
      {"àéîõüÿ", "ÀÉÎÕÜŸ", true},       {"āčęğıł", "ĀČĘĞIŁ", true},
      {"αβγς", "ΑΒΓΣ", true},           {"ёжщ", "ЁЖЩ", true},
      {"ｗｉｎ", "ＷＩＮ", true},       {"÷", "×", false},
      {"\xC3", "\xE3", false},  // truncated sequences stay distinct bytes
      {"\xFF\xFEz", "\xFF\xFEZ", true},
  };
  for (const Case& c : cases) EXPECT_EQ(FileNameKey(c.a) == FileNameKey(c.b), c.same) << c.a << " / " << c.b;
}

// The rule read literally, quadratic, as a reference for random lists.
V PlainMerge(const V& saved, const V& current) {
  const auto find = [](const V& list, const std::string& name) {
    for (const auto& item : list)
      if (FileNameKey(item) == FileNameKey(name)) return &item;
    return static_cast<const std::string*>(nullptr);
  };
  V result;
  for (const auto& name : saved)
    if (const std::string* item = find(current, name); item && !find(result, name)) result.push_back(*item);
  for (const auto& name : current)
    if (!find(saved, name) && !find(result, name)) result.push_back(name);
  return result;
}

TEST(ShellMerge, AgreesWithPlainRuleOnRandomLists) {
  std::mt19937 random(12345);
  const V pool = {"a.lnk", "A.LNK", "b.lnk", "B.lnk", "é.url", "É.URL", "c", "记事本.lnk", "x", "X"};
  for (int round = 0; round < 300; ++round) {
    V saved, current;
    for (int i = random() % 8; i > 0; --i) saved.push_back(pool[random() % pool.size()]);
    for (int i = random() % 8; i > 0; --i) current.push_back(pool[random() % pool.size()]);
    ASSERT_EQ(MergeOrderedList(saved, current), PlainMerge(saved, current)) << "round " << round;
  }
}

}  // namespace
}  // namespace wendlix
