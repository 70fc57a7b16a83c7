#include "win/drops/bar_drops.h"

#include "core/bar/button_lookup.h"
#include "core/bar/button_move.h"
#include "core/bar/group_file.h"
#include "core/bar/mouse_rules.h"
#include "core/bookmarks/bookmark_group.h"
#include "core/drops/file_drop_effect.h"
#include "core/drops/url_drop.h"
#include "core/profile/ini_file.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/common/unique_handle.h"
#include "win/drops/drop_files.h"
#include "win/drops/file_drag_source.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// The pixels of `r` of the window as they stand: the dragged button's picture.
HBITMAP WindowPicture(HWND window, const Rect& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return nullptr;
  WindowDc screen(window);
  if (!screen.get()) return nullptr;
  unique_memory_dc memory(CreateCompatibleDC(screen.get()));
  if (!memory) return nullptr;
  unique_hbitmap picture(CreateCompatibleBitmap(screen.get(), w, h));
  if (picture) {
    SelectObjectScope select(memory.get(), picture.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  }
  return picture.release();  // the drag image takes it
}

}  // namespace

bool BarDrops::RefusedByBookmarks(const DropPoint& at) {
  if (at.Group < 0 || !IsBookmarkGroup(bar_.State().Groups[at.Group].Data)) return false;
  AutoHideHold hold(bar_.Toolbar());
  ShowInfoBox(kBookmarksReadOnlyText, kBookmarksCaption);
  return true;
}

void BarDrops::WMDropFiles(HDROP drop) {
  const std::vector<std::string> files = DroppedFileNames(drop);
  POINT pt{};
  DragQueryPoint(drop, &pt);
  DragFinish(drop);
  DropFilesAt(files, pt, DropPath::kShell);
}

void BarDrops::DropFilesAt(const std::vector<std::string>& files, POINT client, DropPath path) {
  const DropPoint at = DropPointAt(client);
  if (at.Group < 0 || RefusedByBookmarks(at)) return;
  AutoHideHold hold(bar_.Toolbar());
  const auto ask = [](const std::string& text, const std::string& caption) {
    return ConfirmBox(text, caption) == mrOk;
  };
  GroupPanel& group = bar_.State().Groups[at.Group];
  const DropFilesOutcome outcome = DropFilesOnGroup(group.Data, files, ask, path);
  // A group collapsed into PanelBtn reads its folder when it is next shown.
  if (group.Data.PanelStyle == gkShortcut && !outcome.LinksWritten.empty() && !at.OnPanelBtn) {
    bar_.FillGroup(group);
    bar_.ArrangeBar();
  }
  if (!outcome.Failed.empty()) ShowErrorBox(LinkFailedText(outcome.Failed), kLinkFailedCaption);
}

void BarDrops::Register() {
  DragAcceptFiles(bar_.Handle(), TRUE);
  BarDropTarget::Handlers handlers;
  handlers.Enter = [this](const DragOffer& offer) { DropFileTarget1Enter(offer); };
  handlers.Effect = [this](POINT client, const DragOffer& offer, DWORD offered) {
    return DropChoiceAt(client, offer, offered);
  };
  handlers.Drop = [this](const DragOffer& offer, POINT client, DropRoute route) {
    PostDrop({offer, client, route, route == DropRoute::kButton ? buttonDrag_ : std::nullopt});
  };
  handlers.Hover = [this](bool over) { bar_.Toolbar().HoldShown(over); };
  Microsoft::WRL::ComPtr<BarDropTarget> target;
  target.Attach(new BarDropTarget(bar_.Handle(), std::move(handlers)));
  if (SUCCEEDED(RegisterDragDrop(bar_.Handle(), target.Get()))) target_ = std::move(target);
}

void BarDrops::Revoke() {
  if (!target_) return;
  RevokeDragDrop(bar_.Handle());
  target_.Reset();
}

DropPoint BarDrops::DropPointAt(POINT client) const {
  DropPoint at;
  const BarHit hit = bar_.HitTest(client);
  const std::vector<GroupPanel>& groups = bar_.State().Groups;
  const int count = static_cast<int>(groups.size());
  using K = BarHit::Kind;
  switch (hit.What) {
    case K::kGroup:
    case K::kGroupButton:
    case K::kBandHeader:
      if (hit.Group >= 0 && hit.Group < count) at.Group = hit.Group;
      break;
    case K::kCollapsedGroup:
      // A PanelBtn button names its group by the group's Tag, whatever place the band has.
      if (const std::optional<std::size_t> g = GroupByTag(groups, hit.Group)) at.Group = static_cast<int>(*g);
      at.OnPanelBtn = true;
      break;
    default: break;
  }
  if (at.Group < 0) return at;
  const GroupPanel& group = groups[at.Group];
  at.GroupKind = group.Data.PanelStyle;
  if (hit.What == K::kGroupButton && hit.Button >= 0 &&
      hit.Button < static_cast<int>(group.Children.size())) {
    const BarButton& b = group.Children[hit.Button];
    if (!b.IsCollapse() && b.Visible) at.LaunchButton = hit.Button;
  }
  return at;
}

std::optional<OwnButtonDrag> BarDrops::OwnButtonDragOf(const DragOffer& offer) const {
  if (!buttonDrag_ || !offer.BarButton) return std::nullopt;
  const ButtonDragToken mine{static_cast<std::uint32_t>(GetCurrentProcessId()), buttonDragSerial_};
  if (ParseButtonDragBytes(*offer.BarButton) != mine) return std::nullopt;
  return buttonDrag_;
}

DropChoice BarDrops::DropChoiceAt(POINT client, const DragOffer& offer, DWORD offered) {
  const DropChoice choice =
      ChooseDrop(DropPointAt(client), offer, {OwnButtonDragOf(offer), fileDragOut_}, DragSourceDir, offered);
  if (choice.Route == DropRoute::kFiles) return {choice.Route, DropFileTarget1GetDropEffect(offered)};
  if (choice.Route == DropRoute::kButton) DropBMPTarget1DragOver(client);
  return choice;
}

void BarDrops::DropFileTarget1Enter(const DragOffer& offer) {
  // A drag without files keeps the folder of the last one.
  if (std::optional<std::string> dir = DragSourceDirOf(offer.Files)) DragSourceDir = std::move(*dir);
}

DWORD BarDrops::DropFileTarget1GetDropEffect(DWORD offered) const {
  return FileDropEffect(DragSourceDir, offered) & DropFileTarget1.Allowed;
}

void BarDrops::DropFileTarget1Drop(const DragOffer& offer, POINT client) {
  DropFilesAt(offer.Files, client, DropPath::kOle);
}

void BarDrops::DropURLTarget1Drop(const DragOffer& offer, POINT client) {
  const DroppedLink link = ReadDroppedLink(offer);
  const DropPoint at = DropPointAt(client);
  if (RefusedByBookmarks(at)) return;
  const UrlDropStep step = DecideUrlDrop(at.GroupKind, link);
  using K = UrlDropStep::Kind;
  switch (step.What) {
    case K::kNothing: return;
    case K::kNotWebGroup:
      // Out first, so that the box does not stand behind a bar half hidden at its edge.
      bar_.Toolbar().SlideAutoHide(true);
      [[fallthrough]];
    case K::kNoAddress: {
      AutoHideHold hold(bar_.Toolbar());
      ShowInfoBox(step.Text, step.Caption);
      return;
    }
    case K::kBadAddress: {
      AutoHideHold hold(bar_.Toolbar());
      ShowErrorBox(step.Text, step.Caption);
      return;
    }
    case K::kAdd: break;
  }
  IniFile gpf = bar_.OpenGroupFile();
  const LinkStored stored = StoreDroppedLink(bar_.State().Groups[at.Group], gpf, step.Key, step.URL);
  if (!stored.Ok) {
    AutoHideHold hold(bar_.Toolbar());
    ShowErrorBox(stored.Text, stored.Caption);
    return;
  }
  if (stored.Added) bar_.ArrangeBar();
}

void BarDrops::DropBMPTarget1DragOver(POINT client) {
  // The button under the cursor shows hot, as the place the dragged one would take.
  bar_.SetPointer({bar_.HitTest(client), bar_.Pointer().Pressed});
}

void BarDrops::DropBMPTarget1Drop(const OwnButtonDrag& dragged, POINT client) {
  const DropPoint at = DropPointAt(client);
  bar_.SetPointer({bar_.HitTest(client), {}});
  if (at.Group != dragged.Group || at.LaunchButton < 0 || at.OnPanelBtn || RefusedByBookmarks(at)) return;
  GroupPanel& group = bar_.State().Groups[at.Group];
  if (!MoveLaunchButton(group, dragged.Button, at.LaunchButton)) return;
  // Saved at once: the next refill (a drop, the editor) reads the order from the file.
  IniFile gpf = bar_.OpenGroupFile();
  SaveGroup(gpf, PanelRecord(group), true);
  bar_.ArrangeBar();
  bar_.SaveOrReport(gpf, kButtonErrorCaption);
}

void BarDrops::PostDrop(PendingDrop drop) {
  pendingDrops_.push_back(std::move(drop));
  if (!PostMessageW(bar_.Handle(), kPostedDropMessage, 0, 0)) pendingDrops_.pop_back();
}

void BarDrops::RunPostedDrops() {
  // A drop posted while an earlier one waits on its question runs when that one is done,
  // in the order they came.
  if (runningDrops_) return;
  runningDrops_ = true;
  while (!pendingDrops_.empty()) {
    const PendingDrop drop = std::move(pendingDrops_.front());
    pendingDrops_.pop_front();
    // The timer is off while a drop works and follows AutoHide again after it.
    AutoHideHold hold(bar_.Toolbar());
    try {
      switch (drop.Route) {
        case DropRoute::kFiles: DropFileTarget1Drop(drop.Offer, drop.Client); break;
        case DropRoute::kLink: DropURLTarget1Drop(drop.Offer, drop.Client); break;
        case DropRoute::kButton:
          if (drop.Button) DropBMPTarget1Drop(*drop.Button, drop.Client);
          break;
        default: break;
      }
    } catch (...) {
      // A drop that failed half-way leaves what it wrote; the bar carries on.
    }
  }
  runningDrops_ = false;
}

void BarDrops::ButtonPressed(POINT client) {
  pressPoint_ = client;
  mouseIsDown_ = true;
}

bool BarDrops::ButtonMouseMove(POINT client, WPARAM keys) {
  const BarHit pressed = bar_.Pointer().Pressed;
  if (pressed.What != BarHit::Kind::kGroupButton || !mouseIsDown_) return false;
  if (pressed.Group < 0 || pressed.Group >= static_cast<int>(bar_.State().Groups.size())) return false;
  const GroupPanel& group = bar_.State().Groups[pressed.Group];
  if (pressed.Button < 0 || pressed.Button >= static_cast<int>(group.Children.size())) return false;
  const BarButton& b = group.Children[pressed.Button];
  if (b.IsCollapse()) return false;
  const ShiftState shift = ShiftFromMouseKeys(static_cast<std::uint32_t>(keys), GetKeyState(VK_MENU) < 0);
  const ButtonMoveDecision decision =
      DecideButtonMouseMove(shift, mouseIsDown_, Point{pressPoint_.x, pressPoint_.y},
                            Point{client.x, client.y}, bar_.Scale()(kDragThreshold));
  if (!decision.FileDrag && !decision.MoveDrag) return false;
  mouseIsDown_ = false;
  if (GetCapture() == bar_.Handle()) ReleaseCapture();
  bar_.Toolbar().HoldShown(true);
  if (decision.FileDrag) {
    bar_.SetPointer({});
    fileDragOut_ = true;
    DragFilesOut({b.FileName});
    fileDragOut_ = false;
  } else {
    const Rect r = HitBounds(bar_.View(), bar_.State().Groups, pressed);
    HBITMAP picture = WindowPicture(bar_.Handle(), r);
    const SIZE size{r.right - r.left, r.bottom - r.top};
    buttonDrag_ = OwnButtonDrag{pressed.Group, pressed.Button};
    const ButtonDragToken token{static_cast<std::uint32_t>(GetCurrentProcessId()), ++buttonDragSerial_};
    DragButtonWithin(ButtonDragFormat(), ButtonDragBytes(token), picture, size);
    buttonDrag_.reset();
    POINT now{};
    GetCursorPos(&now);
    ScreenToClient(bar_.Handle(), &now);
    bar_.SetPointer({bar_.HitTest(now), {}});
  }
  bar_.Toolbar().HoldShown(false);
  return true;
}

}  // namespace wendlix
