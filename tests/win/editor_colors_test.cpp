// The editor paints stored system colours (0x80000000 + index) as the system's colours, not as
// the index read as a colour.
#include <gtest/gtest.h>

#include "support/editor_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

TEST(EditorColours, TheFontSampleShowsASystemTextColourAsTheSystemHasIt) {
  EditorScript script({WaitForEditor(), Do([] {
                         // The colour the dialog gives the font sample when it is painted.
                         const unique_memory_dc dc(CreateCompatibleDC(nullptr));
                         SendMessageW(EditorForm(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                      reinterpret_cast<LPARAM>(Ctl(Id::kLblFont)));
                         EXPECT_EQ(GetTextColor(dc.get()), GetSysColor(COLOR_HIGHLIGHT));
                         Key(VK_ESCAPE);
                       })});
  NewBtnFormSetup s = WebGroupSetup("");
  s.Font.Color = static_cast<std::int32_t>(0x80000000u | COLOR_HIGHLIGHT);
  ShowEditor(s);
  EXPECT_TRUE(script.Finished()) << script.StepReached();
}

}  // namespace
}  // namespace wendlix
