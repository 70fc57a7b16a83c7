// The test-switch requests: what a leak run may ask of the bar, and everything else refused.
#include <gtest/gtest.h>

#include "core/diagnostics/probe_command.h"

namespace wendlix {
namespace {

TEST(ProbeCommand, ReadsNameCountAndArgument) {
  struct Case {
    const char* text;
    ProbeKind kind;
    int count;
    std::optional<int> arg;
  };
  const Case cases[] = {
      {"slides 10000", ProbeKind::kSlides, 10000, std::nullopt},
      {"slides 2 0", ProbeKind::kSlides, 2, 0},
      {"  slides   5   1000 ", ProbeKind::kSlides, 5, 1000},
      {"mainmenu 1000", ProbeKind::kMainMenu, 1000, std::nullopt},
      {"sysmenu 1", ProbeKind::kSysMenu, 1, std::nullopt},
      {"btnmenu 100000", ProbeKind::kBtnMenu, 100000, std::nullopt},
      {"rebuild 3", ProbeKind::kRebuild, 3, std::nullopt},
      {"collapse 4", ProbeKind::kCollapse, 4, std::nullopt},
      {"display 100", ProbeKind::kDisplay, 100, std::nullopt},
      {"taskbar 100", ProbeKind::kTaskbar, 100, std::nullopt},
      {"editor 100", ProbeKind::kEditor, 100, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<ProbeCommand> got = ParseProbeCommand(c.text);
    ASSERT_TRUE(got) << c.text;
    EXPECT_EQ(c.kind, got->Kind) << c.text;
    EXPECT_EQ(c.count, got->Count) << c.text;
    EXPECT_EQ(c.arg, got->Arg) << c.text;
    EXPECT_EQ(ProbeName(c.kind),
              std::string_view(c.text).substr(std::string_view(c.text).find_first_not_of(' '),
                                              ProbeName(c.kind).size()));
  }
}

TEST(ProbeCommand, RefusesEverythingElse) {
  for (const char* text : {"slides",        "slides 0",           "slides -1",     "",
                           "slides 100001", "slides 99999999999", "slides 1 1001", "slides 1 -1",
                           "slides 1 2 3",  "mainmenu 1 2",       "editor 1 0",    "SLIDES 1",
                           "slide 1",       "slides 1x",          "slides 0x10",   "slides +1",
                           "layout",        "slides\t1",          "counts 1",      "slides 1\n"}) {
    EXPECT_FALSE(ParseProbeCommand(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace wendlix
