// The editor paints stored system colours (0x80000000 + index) as the system's colours, not as
// the index read as a colour.
#include <gtest/gtest.h>

#include "support/editor_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

TEST(EditorColours, TheFontSampleShowsASystemTextColourAsTheSystemHasIt) {
  NewBtnFormSetup s = WebGroupSetup("");
  s.Font.Color = static_cast<std::int32_t>(0x80000000u | COLOR_HIGHLIGHT);
  RunEditor({Do([] {
              // The colour the dialog gives the font sample when it is painted.
              const Canvas sample(1, 1);
              SendMessageW(EditorForm(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(sample.Dc()),
                           reinterpret_cast<LPARAM>(Ctl(Id::kLblFont)));
              EXPECT_EQ(GetTextColor(sample.Dc()), GetSysColor(COLOR_HIGHLIGHT));
              Key(VK_ESCAPE);
            })},
            s, mrCancel);
}

}  // namespace
}  // namespace wendlix
