#include "core/tweaks/give_back_record.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

TEST(GiveBackRecord, RoundTripsAndRefusesAnythingElse) {
  GiveBackRecord r;
  r.OwnerPid = 1234;
  r.OwnerStarted = 133497120000000000ull;
  r.Owed.Note(kShellDesktopView, ShellWindowCommand::kEnable, false);
  r.Owed.Note(kShellTaskBar, ShellWindowCommand::kShow, false);
  const std::string text = FormatGiveBackRecord(r);
  EXPECT_EQ(text, "1234 133497120000000000 E5,V0");
  EXPECT_EQ(ParseGiveBackRecord(text), r);
  // An empty set is a record too (nothing owed), as the bar leaves it between changes.
  EXPECT_EQ(ParseGiveBackRecord("7 8 ")->Owed, GiveBackSet{});
  for (const char* bad : {"", "1234", "1234 5", "x 5 E5", "1234 5 E5 V0", "-1 5 E5", "1234 5 E9",
                          "99999999999999999999999 5 E5", "1234  E5"}) {
    EXPECT_FALSE(ParseGiveBackRecord(bad)) << bad;
  }
}

TEST(GiveBackRecord, GuardSwitchIsExactlyTheSwitchAndTwoNumbers) {
  EXPECT_EQ(GuardArguments(42, 9), "/wendlix-guard 42 9");
  EXPECT_EQ(GuardCommandLine("C:\\Program Files\\Wendlix\\Wendlix.exe", 42, 9),
            "\"C:\\Program Files\\Wendlix\\Wendlix.exe\" /wendlix-guard 42 9");
  EXPECT_EQ(ParseGuardArguments(" /wendlix-guard 42 9 "), (GuardTarget{42, 9}));
  for (const char* other :
       {"", "/wendlix-guard", "/wendlix-guard 42", "/wendlix-guard 0 9", "/wendlix-guard 42 9 x",
        "/WENDLIX-GUARD 42 9", "C:\\x.exe /wendlix-guard 42 9", "/wendlix-guard 4x 9"}) {
    EXPECT_FALSE(ParseGuardArguments(other)) << other;
  }
}

}  // namespace
}  // namespace wendlix
