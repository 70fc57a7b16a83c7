// The editor paints stored system colours (0x80000000 + index) as the system's colours, not as
// the index read as a colour.
#include <gtest/gtest.h>

#include "support/editor_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

TEST(EditorColours, TheFontSampleShowsASystemTextColourAsTheSystemHasIt) {
  COLORREF sampleText = CLR_INVALID;
  EditorScript script({WaitForEditor(), Do([&] {
                         // The colour the dialog gives the font sample when it is painted.
                         const HDC dc = CreateCompatibleDC(nullptr);
                         SendMessageW(EditorForm(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(Ctl(Id::kLblFont)));
                         sampleText = GetTextColor(dc);
                         DeleteDC(dc);
                       }),
                       Do([] { Key(VK_ESCAPE); })});
  NewBtnFormSetup s = WebGroupSetup("");
  s.Font.Color = static_cast<std::int32_t>(0x80000000u | COLOR_HIGHLIGHT);
  ShowEditor(s);
  EXPECT_TRUE(script.Finished()) << script.StepReached();
  EXPECT_EQ(sampleText, GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace
}  // namespace wendlix
