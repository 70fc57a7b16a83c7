#include "win/accessible/bar_accessibility.h"

#include "core/bar/bar_texts.h"
#include "core/keyboard/hotkey.h"

namespace wendlix {

BarAccessibility::BarAccessibility(BarWindow& bar, const BarPainter& painter,
                                   std::function<void(const BarHit&)> click)
    : bar_(bar),
      painter_(painter),
      click_(std::move(click)),
      host_(
          [this] {
            const BarState& state = bar_.State();
            BarAccessibleInput input;
            input.Focus = painter_.Focused();
            input.Hot = bar_.Pointer().Hot;
            input.Pressed = bar_.Pointer().Pressed;
            input.Hidden = !bar_.Toolbar().AutoHideShown();
            input.Disabled = !IsWindowEnabled(bar_.Handle());
            input.Caption = kMainFormCaption;
            if (const std::optional<HotKey> key = ParseHotKey(state.Settings.HotKey))
              input.HotKey = FormatHotKey(*key);
            return BarAccessibleTree(bar_.View(), state.Groups, input);
          },
          [this](int index) { Post(index); }) {}

std::optional<LRESULT> BarAccessibility::GetObject(WPARAM wp, LPARAM lp) {
  std::optional<LRESULT> answer = host_.GetObject(bar_.Handle(), wp, lp);
  if (answer && !names_) names_ = Names();
  return answer;
}

std::vector<std::string> BarAccessibility::Names() const {
  std::vector<std::string> names;
  for (BarAccessibleItem& i : BarAccessibleItems(bar_.View(), bar_.State().Groups, {}))
    names.push_back(std::move(i.Item.Name));
  return names;
}

void BarAccessibility::Rearranged() {
  NotifyAccessible(EVENT_OBJECT_REORDER, bar_.Handle(), -1);
  if (!names_) return;
  std::vector<std::string> names = Names();
  static constexpr DWORD kEvents[] = {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_CREATE, EVENT_OBJECT_DESTROY};
  for (const AccessibleChange& c : AccessibleChanges(*names_, names))
    NotifyAccessible(kEvents[static_cast<int>(c.What)], bar_.Handle(), c.Index);
  names_ = std::move(names);
}

void BarAccessibility::Post(int index) {
  const std::vector<BarAccessibleItem> items = BarAccessibleItems(bar_.View(), bar_.State().Groups, {});
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  posted_.push_back(items[index].Hit);
  PostMessageW(bar_.Handle(), kActionMessage, 0, 0);
}

void BarAccessibility::RunPosted() {
  std::vector<BarHit> hits;
  hits.swap(posted_);
  for (const BarHit& hit : hits) {
    // The bar may have changed since: only an element it still has is clicked.
    if (BarAccessibleIndex(bar_.View(), bar_.State().Groups, hit) >= 0) click_(hit);
  }
}

void NotifyBarFocus(BarWindow& bar, const BarHit& hit) {
  const int index = BarAccessibleIndex(bar.View(), bar.State().Groups, hit);
  if (index >= 0) NotifyAccessible(EVENT_OBJECT_FOCUS, bar.Handle(), index);
}

}  // namespace wendlix
