#include "core/find/find_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wendlix {
namespace {

using M = FindMatch;

struct Case {
  std::string Query;
  std::string Name;
  FindMatch Want;
};

const char* Text(FindMatch m) {
  switch (m) {
    case M::kNone: return "none";
    case M::kSubstring: return "substring";
    case M::kPrefix: return "prefix";
    case M::kExact: return "exact";
  }
  return "?";
}

void ExpectMatches(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_STREQ(Text(MatchFindName(c.Query, c.Name)), Text(c.Want))
        << "'" << c.Query << "' in '" << c.Name << "'";
  }
}

TEST(FindMatch, Initials) {
  ExpectMatches({
      {"jsq", "计算器", M::kExact},
      {"js", "计算器", M::kPrefix},
      {"sq", "计算器", M::kSubstring},
      {"jq", "计算器", M::kNone},  // no character may be left out
      {"qj", "计算器", M::kNone},
      {"ydq", "Adobe 阅读器", M::kSubstring},
  });
}

TEST(FindMatch, FullPinyinAndSyllableBreaks) {
  ExpectMatches({
      {"jisuanqi", "计算器", M::kExact},
      {"jisuan", "计算器", M::kPrefix},
      {"suanqi", "计算器", M::kSubstring},
      {"jisuanqii", "计算器", M::kNone},
      {"ji'suan'qi", "计算器", M::kExact},
      {"jis'uan", "计算器", M::kNone},  // a break inside a syllable
      {"xian", "西安", M::kExact},
      {"xian", "先", M::kExact},
      {"xi'an", "西安", M::kExact},
      {"xi'an", "先", M::kNone},
  });
}

TEST(FindMatch, PartialSyllables) {
  ExpectMatches({
      {"jisuanq", "计算器", M::kExact},
      {"jisq", "计算器", M::kExact},
      {"zhongw", "中文输入法", M::kPrefix},
      {"wenshu", "中文输入法", M::kSubstring},
  });
}

TEST(FindMatch, EveryReadingOfAPolyphone) {
  ExpectMatches({
      {"z", "重", M::kExact},
      {"zhong", "重", M::kExact},
      {"chong", "重", M::kExact},
      {"tong", "重", M::kNone},  // classical only
      {"cqd", "重启动", M::kExact},
      {"yinhang", "银行", M::kExact},
      {"yinxing", "银行", M::kExact},
      {"changcheng", "长城", M::kExact},
      {"lvse", "绿色", M::kExact},  // ü typed as v or u
      {"luse", "绿色", M::kExact},
      {"lue", "略", M::kExact},
  });
}

TEST(FindMatch, LettersAndCharactersMixed) {
  ExpectMatches({
      {"qq音乐", "QQ音乐", M::kExact},
      {"qqyy", "QQ音乐", M::kExact},
      {"qq yy", "QQ音乐", M::kExact},
      {"qqy", "QQ 音乐", M::kPrefix},  // the name's blank may be left out
      {"qqyinyue", "QQ-音乐-", M::kExact},
      {"音y", "QQ音乐", M::kSubstring},
      {"计s", "计算器", M::kPrefix},
      {"visualstudio", "Visual Studio", M::kExact},
      {"nodejs", "Node.js", M::kExact},
      {"studio", "Visual Studio 2022", M::kSubstring},
      {"vs", "Visual Studio", M::kNone},  // Latin words are not abbreviated
      {"o'neil", "O'Neil Tools", M::kPrefix},
  });
}

TEST(FindMatch, CaseAndFullWidthAreIgnored) {
  ExpectMatches({
      {"QQ", "ｑｑ音乐", M::kPrefix},
      {"ＪＳＱ", "计算器", M::kExact},
      {"photo", "ADOBE PHOTOSHOP", M::kSubstring},
      {"２０２２", "Visual Studio 2022", M::kSubstring},
      {"qq 音乐", "QQ\u3000音乐", M::kExact},  // ideographic space
      {"ÉCOLE", "école", M::kExact},
      {"ΑΛΦΑ", "αλφα", M::kExact},
      {"ЁЖ", "ёж", M::kExact},
  });
}

TEST(FindMatch, NoMatchAndEmptyQuery) {
  ExpectMatches({
      {"jsqq", "计算器", M::kNone},
      {"计算机", "计算器", M::kNone},
      {"", "计算器", M::kNone},
      {"   ", "计算器", M::kNone},
      {"a", "", M::kNone},
      {" ab ", "ab", M::kExact},
  });
}

TEST(FindMatch, NamesOutsideCodePage936MatchByTheirLetters) {
  ExpectMatches({
      {"player", "\U0001F3B5 Player", M::kSubstring},
      {"\U0001F3B5", "\U0001F3B5 Player", M::kPrefix},
      {"kakao", "Kakao 카카오톡", M::kPrefix},
      {"q", "\u3400ab", M::kNone},  // a reading exists, but not in code page 936
      {"ab", "\u3400ab", M::kSubstring},
      {"abc", "\xFF\xFE" + std::string("abc"), M::kSubstring},  // not UTF-8 at all
  });
}

// Past 63 characters the query matches as plain text only.
TEST(FindMatch, LongQueries) {
  const std::string name = "Long Name " + std::string(60, 'x') + " 计算器";
  ExpectMatches({
      {name, name, M::kExact},
      {name.substr(0, 70), name, M::kPrefix},
      {name.substr(5), name, M::kSubstring},
      {name.substr(0, 70) + "y", name, M::kNone},
  });
}

TEST(FindMatch, IndexMatchesEachNameOnItsOwn) {
  FindIndex index;
  for (const char* name : {"计算器", "记事本", "QQ音乐", "", "Calculator"}) index.Add(name);
  std::vector<FindHit> hits;
  index.MatchAll(FindQuery("j"), hits);
  EXPECT_EQ(hits, (std::vector<FindHit>{{0, M::kPrefix}, {1, M::kPrefix}}));
  hits.clear();
  index.MatchAll(FindQuery("c"), hits);
  EXPECT_EQ(hits, (std::vector<FindHit>{{4, M::kPrefix}}));
  EXPECT_EQ(index.Match(FindQuery("c"), 5), M::kNone);  // no such name
}

}  // namespace
}  // namespace wendlix
