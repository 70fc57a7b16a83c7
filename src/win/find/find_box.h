// The find box: a small topmost popup beside the bar that lists the buttons a typed query
// finds (icon, name, group title) and starts the chosen one. It takes the keyboard while it
// is open and closes when it loses the activation.
//
// Boundary for the owner (the bar's main window):
//   FindBox box({.Launch = [](std::uint64_t id) {...}, .Closed = [](FindBoxEnd why) {...}});
//   box.Open(request, L"j");   // on the first typed character; request: owner, bar, edge, entries
//   box.Type(L"s");            // characters the owner still receives while the box comes up
//   box.Close();               // the owner's own closing (the hotkey again): no callback
// Enter or a click closes the box, then calls Launch with the entry's Id, then Closed(kLaunched);
// Escape (or Alt+F4) calls Closed(kCancelled) and a lost activation Closed(kDeactivated), each
// once the window is gone. A callback may open the box again or destroy it. The entries are
// copied; their image lists and icons are the owner's and must outlive the open box.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/appbar/app_tool_bar_types.h"
#include "core/find/find_box_layout.h"
#include "core/find/find_box_model.h"
#include "win/common/base_window.h"
#include "win/common/unique_handle.h"
#include "win/ui/accessible_list.h"

namespace wendlix {

// A row's picture: image `Index` of `List`, else `Icon`; neither is owned by the box.
struct FindBoxIcon {
  HIMAGELIST List = nullptr;
  int Index = -1;
  HICON Icon = nullptr;
};

struct FindBoxEntry {
  FindCandidate Candidate;
  FindBoxIcon Icon;
  std::uint64_t Id = 0;  // the owner's, handed back by Launch
};

struct FindBoxRequest {
  HWND Owner = nullptr;
  Rect Bar;                        // the bar's window, screen coordinates
  TAppToolBarEdge Edge = abeLeft;  // where it is docked (abeFloat: not docked)
  int Dpi = 0;                     // 0: the DPI of the owner's monitor
  std::vector<FindBoxEntry> Entries;
};

enum class FindBoxEnd { kLaunched, kCancelled, kDeactivated };

class FindBox : public BaseWindow<FindBox> {
 public:
  static constexpr wchar_t kClassName[] = L"TFindBox";

  struct Callbacks {
    std::function<void(std::uint64_t id)> Launch;
    std::function<void(FindBoxEnd why)> Closed;
  };

  explicit FindBox(Callbacks callbacks);
  ~FindBox() override;

  // Shows the box with `typed` as the query, active and with the keyboard; an open box is
  // closed first. False when Windows refuses the window.
  bool Open(FindBoxRequest request, std::wstring_view typed = {});
  void Type(std::wstring_view typed);
  // More entries, found from now on: the buttons read after the box opened.
  void Add(std::vector<FindBoxEntry> entries);
  // The entries shown without a picture ask `iconOf` again: pictures that were on their way arrived.
  void RefreshIcons(const std::function<FindBoxIcon(std::uint64_t id)>& iconOf);
  void Close();
  bool IsOpen() const { return Handle() != nullptr; }

  // What the box shows, for tests: the model's description (see FindBoxModel::Describe)
  // followed by "rect <left,top,right,bottom>" on the screen and "dpi <dpi>"; empty when closed.
  std::string Describe() const;
  const FindBoxLayout& Layout() const { return layout_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnKeyDown(UINT vk);
  void OnChar(wchar_t c);
  void OnMouseWheel(int delta);
  void Act(FindBoxAction action);
  void Finish(FindBoxEnd end, const std::uint64_t* launchId);
  void Changed();
  void Release();
  void PlaceComposition();
  int RowAt(int x, int y) const;
  int CaretTop() const;
  bool Scrolls() const { return model_.RowCount() > static_cast<std::size_t>(model_.VisibleRows()); }

  // Painting (find_box_paint.cpp).
  void MakeFonts();
  void Paint(HDC dc);
  void PaintStrip(HDC dc);
  void PaintQuery(HDC dc);
  void PaintRows(HDC dc);
  void DrawEntryIcon(HDC dc, const FindBoxIcon& icon, int x, int y);

  Callbacks callbacks_;
  FindBoxModel model_;
  std::vector<std::pair<FindBoxIcon, std::uint64_t>> entries_;  // by candidate index
  FindBoxLayout layout_;
  Rect screenRect_;
  int dpi_ = 96;
  unique_hfont font_;
  unique_hfont titleFont_;
  std::map<std::pair<HIMAGELIST, int>, unique_hicon> sizedIcons_;  // images of another size, made once
  wchar_t highSurrogate_ = 0;
  int wheelRest_ = 0;
  int pressedRow_ = -1;
  int caretX_ = 0;
  bool caret_ = false;
  bool closing_ = false;
  // What a screen reader was last told: the chosen row and its candidate, the status line.
  std::optional<std::pair<std::size_t, std::size_t>> announced_;
  FindBoxStatus announcedStatus_ = FindBoxStatus::kRows;
  AccessibleHost accessible_;
};

}  // namespace wendlix
