#include "core/find/find_box_model.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace wendlix {
namespace {

// "Tool 01" .. "Tool 20", in bar order, none started yet: "t" finds all twenty in that order.
std::vector<FindCandidate> Tools() {
  std::vector<FindCandidate> c;
  for (std::uint32_t i = 1; i <= 20; ++i) {
    char name[16];
    std::snprintf(name, sizeof(name), "Tool %02u", i);
    c.push_back({name, "工具", i, 0});
  }
  return c;
}

// Name, group, bar order, launch count.
const std::vector<FindCandidate> kChinese = {{"计算器", "工具", 0, 0},   {"记事本", "工具", 1, 0},
                                             {"QQ音乐", "娱乐", 2, 0},   {"集市", "网站", 3, 0},
                                             {"几何画板", "教学", 4, 0}, {"计算器", "旧工具", 5, 0}};

using Kind = FindBoxAction::Kind;

struct Outcome {
  FindBoxAction last;
  std::string selected = "-";  // the chosen candidate's name, "-" for none
  std::size_t top = 0;
  std::string query;
};

// Steps: "t:TEXT" types, "up", "down", "pgup", "pgdn", "home", "end", "enter", "esc", "bs" are keys,
// "hover:R", "click:R", "wheel:N" the mouse, "rows:N" a new page size, "add:NAME" a button of group 后来
// read after the box opened.
Outcome Play(const std::vector<FindCandidate>& candidates, int rows, const std::vector<std::string>& steps) {
  FindBoxModel m(candidates, rows);
  Outcome run;
  for (const std::string& s : steps) {
    const std::string arg = s.find(':') == std::string::npos ? "" : s.substr(s.find(':') + 1);
    const std::string op = s.substr(0, s.find(':'));
    static const std::map<std::string, FindBoxKey> keys = {
        {"up", FindBoxKey::kUp},         {"down", FindBoxKey::kDown},  {"pgup", FindBoxKey::kPageUp},
        {"pgdn", FindBoxKey::kPageDown}, {"home", FindBoxKey::kHome},  {"end", FindBoxKey::kEnd},
        {"enter", FindBoxKey::kEnter},   {"esc", FindBoxKey::kEscape}, {"bs", FindBoxKey::kBackspace}};
    FindBoxAction a;
    if (keys.count(op))
      a = m.Key(keys.at(op));
    else if (op == "t")
      m.Type(arg);
    else if (op == "hover")
      m.Hover(std::stoi(arg));
    else if (op == "click")
      a = m.Click(std::stoi(arg));
    else if (op == "wheel")
      m.Scroll(std::stoi(arg));
    else if (op == "rows")
      m.SetVisibleRows(std::stoi(arg));
    else if (op == "add")
      m.Add({{arg, "后来", 100, 0}});
    else
      ADD_FAILURE() << "unknown step " << s;
    run.last = a;
  }
  if (m.Selected()) {
    const FindCandidate& c = m.Candidates()[m.CandidateAt(*m.Selected())];
    run.selected = c.GroupTitle == "工具" ? c.Name : c.GroupTitle + "/" + c.Name;
  }
  run.top = m.Top();
  run.query = m.Query();
  return run;
}

struct KeyCase {
  const char* what;
  std::vector<std::string> steps;
  std::string selected;
  std::size_t top;
  FindBoxAction last;
};

// Twenty rows, five shown.
TEST(FindBoxModel, KeysAndMouseMoveTheChosenRowAndThePage) {
  const KeyCase cases[] = {
      {"typing chooses the first row", {"t:t"}, "Tool 01", 0, {}},
      {"down twice", {"t:t", "down", "down"}, "Tool 03", 0, {}},
      {"up stops at the first row", {"t:t", "down", "up", "up"}, "Tool 01", 0, {}},
      {"down past the page scrolls by one",
       {"t:t", "down", "down", "down", "down", "down"},
       "Tool 06",
       1,
       {}},
      {"end, then down stops at the last", {"t:t", "end", "down"}, "Tool 20", 15, {}},
      {"page down moves five", {"t:t", "pgdn"}, "Tool 06", 1, {}},
      {"page down stops at the last", {"t:t", "pgdn", "pgdn", "pgdn", "pgdn", "pgdn"}, "Tool 20", 15, {}},
      {"page up from the middle", {"t:t", "pgdn", "pgdn", "pgup"}, "Tool 06", 5, {}},
      {"enter starts the chosen one", {"t:t", "down", "enter"}, "Tool 02", 0, {Kind::kLaunch, 1}},
      {"escape closes", {"t:t", "esc"}, "Tool 01", 0, {Kind::kClose}},
      {"keys without rows do nothing", {"t:zz", "down", "end", "enter"}, "-", 0, {}},
      {"the wheel moves the page, not the choice", {"t:t", "wheel:3"}, "Tool 01", 3, {}},
      {"the wheel stops at the last page", {"t:t", "wheel:100"}, "Tool 01", 15, {}},
      {"a key after the wheel brings the choice back", {"t:t", "wheel:10", "down"}, "Tool 02", 1, {}},
      {"hover chooses a row of the page shown", {"t:t", "wheel:3", "hover:2"}, "Tool 06", 3, {}},
      {"click starts the row under it", {"t:t", "wheel:3", "click:1"}, "Tool 05", 3, {Kind::kLaunch, 4}},
      {"click below the last row does nothing", {"t:tool 2", "click:1"}, "Tool 20", 0, {}},
      {"a smaller page keeps the choice shown", {"t:t", "pgdn", "pgdn", "rows:2"}, "Tool 11", 9, {}},
  };
  for (const KeyCase& c : cases) {
    const Outcome run = Play(Tools(), 5, c.steps);
    EXPECT_EQ(run.selected, c.selected) << c.what;
    EXPECT_EQ(run.top, c.top) << c.what;
    EXPECT_EQ(run.last, c.last) << c.what;
  }
}

struct QueryCase {
  const char* what;
  std::vector<std::string> steps;
  std::string query;
  std::string selected;
  std::size_t top;
};

TEST(FindBoxModel, TypingAndBackspaceKeepTheChosenButtonWhileItIsFound) {
  const QueryCase cases[] = {
      // j: 计算器 记事本 集市 几何画板 旧工具/计算器 (all prefixes, bar order).
      {"narrowing keeps it", {"t:j", "down", "t:s", "t:b"}, "jsb", "记事本", 0},
      {"found at another row, it is followed", {"t:j", "down", "down", "t:s"}, "js", "网站/集市", 0},
      {"no longer found: the first row", {"t:j", "down", "down", "down", "t:s"}, "js", "网站/集市", 0},
      {"widening keeps it", {"t:jsb", "bs", "bs"}, "j", "记事本", 0},
      {"backspace takes a whole character", {"t:qq音乐", "bs"}, "qq音", "娱乐/QQ音乐", 0},
      {"backspace on an empty query does nothing", {"t:j", "bs", "bs"}, "", "-", 0},
      {"typed mixed with Chinese", {"t:qq", "t:音"}, "qq音", "娱乐/QQ音乐", 0},
      {"nothing found, then found again", {"t:jx", "bs", "end"}, "j", "旧工具/计算器", 0},
      {"a button added later is found at once", {"t:j", "add:旧版", "end"}, "j", "后来/旧版", 0},
      {"the choice follows its button past a better one added", {"t:j", "down", "add:几"}, "j", "记事本", 0},
  };
  for (const QueryCase& c : cases) {
    const Outcome run = Play(kChinese, 8, c.steps);
    EXPECT_EQ(run.query, c.query) << c.what;
    EXPECT_EQ(run.selected, c.selected) << c.what;
    EXPECT_EQ(run.top, c.top) << c.what;
  }
  // A followed row further down than the page: the page moves to show it.
  const Outcome far = Play(Tools(), 5, {"t:t", "end", "t:o", "bs", "t:o"});
  EXPECT_EQ(far.selected, "Tool 20");
  EXPECT_EQ(far.top, 15u);
  const Outcome shown = Play(Tools(), 5, {"t:t", "end", "t:ool 2"});
  EXPECT_EQ(shown.selected, "Tool 20");
  EXPECT_EQ(shown.top, 0u);
}

TEST(FindBoxModel, StatusAndDescription) {
  FindBoxModel empty({}, 8);
  EXPECT_EQ(empty.Status(), FindBoxStatus::kNoButtons);
  empty.Type("j");
  EXPECT_EQ(empty.Status(), FindBoxStatus::kNoButtons);
  empty.Add({{"几", "后来", 0, 0}});
  EXPECT_EQ(empty.Status(), FindBoxStatus::kRows);

  FindBoxModel m(kChinese, 2);
  EXPECT_EQ(m.Status(), FindBoxStatus::kEmptyQuery);
  m.Type("jx");
  EXPECT_EQ(m.Status(), FindBoxStatus::kNoMatch);
  EXPECT_EQ(m.Describe(), "query\tjx\nstatus\tno-match\ncount\t0\t0\t-1\n");
  m.Key(FindBoxKey::kBackspace);  // "j": 计算器 chosen, then followed to the second row of "js"
  m.Type("s");
  m.Key(FindBoxKey::kDown);
  m.Key(FindBoxKey::kDown);
  EXPECT_EQ(m.Status(), FindBoxStatus::kRows);
  EXPECT_EQ(m.Describe(),
            "query\tjs\nstatus\trows\ncount\t4\t2\t3\n"
            "row\t2\t1\t0\t记事本\t工具\n"
            "row\t3\t5\t1\t计算器\t旧工具\n");
}

}  // namespace
}  // namespace wendlix
