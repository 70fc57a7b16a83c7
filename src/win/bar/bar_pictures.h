// The bar's own pictures, from the exe's bitmap resources: the 16-pixel image strip the menus,
// bands and dialogs index, the large web and mail glyphs, and the collapse-button arrows.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "win/common/unique_handle.h"

namespace wendlix {

// Indices into ImageList1 that the program refers to.
namespace image1 {
constexpr int kWeb = 0;
constexpr int kDeleteButton = 1;
constexpr int kDeleteGroup = 2;
constexpr int kRefresh = 3;
constexpr int kSettings = 4;
constexpr int kNew = 5;
constexpr int kClose = 6;
constexpr int kHelp = 7;
constexpr int kMail = 8;
constexpr int kShortcutFolder = 9;
constexpr int kProgramsFolder = 10;
constexpr int kDesktop = 11;
constexpr int kFavorites = 12;
constexpr int kDrives = 13;
constexpr int kEditorLogo = 14;  // keyed on white, not magenta: draw with DrawListImageKeyed
constexpr int kSmallWeb = 15;
constexpr int kSmallMail = 16;
constexpr int kImport = 17;
constexpr int kExport = 18;
constexpr int kEdit = 19;
constexpr int kNewGroup = 20;
constexpr int kOpenFolder = 21;
constexpr int kProperties = 22;
constexpr int kAbout = 23;
constexpr int kCount = 24;
}  // namespace image1

constexpr int kImageList1Size = 16;
// The key colour of every picture but the editor's logo, whose key is white.
constexpr COLORREF kPictureKey = RGB(255, 0, 255);
constexpr COLORREF kEditorLogoKey = RGB(255, 255, 255);

// Resource names of the single pictures.
inline constexpr wchar_t kIeIconLarge[] = L"IEICON_LARGE";
inline constexpr wchar_t kMailIconLarge[] = L"MAILICON_LARGE";
inline constexpr wchar_t kArrowIconLeft[] = L"ARROWICON_LEFT";
inline constexpr wchar_t kArrowIconUp[] = L"ARROWICON_UP";

// ImageList1: 16x16, 24-bit colour with a mask made from the magenta pixels of the strip resource
// "IMAGELIST1" in `instance`. Empty when the resource is missing or not a whole number of 16-pixel
// images.
unique_himagelist LoadImageList1(HINSTANCE instance);

// A bitmap resource of `instance` as a DIB section; empty when there is none of that name.
unique_hbitmap LoadNamedBitmap(HINSTANCE instance, const wchar_t* name);

// Draws `bitmap` at (x, y) unscaled, leaving the pixels of colour `transparent` as they were.
// Does nothing for a null DC or bitmap. `source` is a memory DC to copy through, kept by a caller
// that draws many pictures (making one costs about 0.1 ms under Wine); without it one is made.
void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF transparent, HDC source = nullptr);

// Draws image `index` of the strip "IMAGELIST1" (loaded as `strip`) at (x, y) as ImageList1 draws it
// with ILD_TRANSPARENT, but without the image list: the bar's first paint needs no common controls.
// Does nothing for an index outside the strip. `source` as for DrawTransparentBitmap.
void DrawStripImage(HDC dc, HBITMAP strip, int index, int x, int y, HDC source = nullptr);

// Draws image `index` of `list` at (x, y) with `transparent` as a second key colour: what the list's
// mask leaves and what has that colour both keep the destination's pixels. The editor's logo needs
// this, as it is keyed on white.
void DrawListImageKeyed(HDC dc, HIMAGELIST list, int index, int x, int y, COLORREF transparent);

}  // namespace wendlix
