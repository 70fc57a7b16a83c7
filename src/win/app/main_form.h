// The bar's main window: a desktop-edge toolbar that reads its settings at start-up
// (settings path, bar settings, groups, system tweaks) and writes them at close (Run
// value, bar settings, groups). It lays the bar out, paints it and tracks the pointer;
// everything else a message asks for it routes to the part that carries the capability
// out (drops, keyboard, find, menus, groups, launching, quick-create, DPI, inspection), each
// of which reaches the window through BarWindow.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/bar/bar_state.h"
#include "core/bar/bar_view.h"
#include "core/inspect/query_table.h"
#include "win/accessible/bar_accessibility.h"
#include "win/app/program_files.h"
#include "win/appbar/app_tool_bar.h"
#include "win/bar/bar_groups.h"
#include "win/bar/bar_live.h"
#include "win/bar/bar_painter.h"
#include "win/bar/bar_resources.h"
#include "win/bar/bar_tooltip.h"
#include "win/bar/bar_window.h"
#include "win/bar/group_backgrounds.h"
#include "win/bar/monitor_dpi.h"
#include "win/bar_menu/bar_menus.h"
#include "win/button_menu/button_menu_commands.h"
#include "win/drops/bar_drops.h"
#include "win/find/bar_find.h"
#include "win/keyboard/bar_keyboard.h"
#include "win/launch/bar_launch.h"
#include "win/quick_create/quick_create_commands.h"
#include "win/tweaks/system_tweaks_commands.h"

namespace wendlix {

class LeakProbe;

class TWendlixMainForm : public TAppToolBar<TWendlixMainForm>, public BarWindow {
 public:
  static constexpr wchar_t kClassName[] = L"TWendlixMainForm";

  TWendlixMainForm(const ProgramInfo& program, BarState& state);
  // The window goes first, while the form can still answer its WM_DESTROY.
  ~TWendlixMainForm() override;

  // Creates the window, owned by the application window so that it has no taskbar
  // button; FormCreate runs inside and the toolbar docks it.
  bool Create(HINSTANCE instance, HWND owner);
  // What the first paint does not need, right after it: the common controls and the tooltip,
  // accepting drops (OLE marshals the target and starts its RPC server thread for that), and
  // looking for the browsers' bookmark profiles. OLE is up by then.
  void FinishStart();

  // The services the parts reach the window by.
  HWND Handle() const override { return TAppToolBar::Handle(); }
  AppToolBarImpl& Toolbar() override { return *this; }
  BarState& State() override { return state_; }
  const BarState& State() const override { return state_; }
  const BarView& View() const override { return view_; }
  BarResources& Resources() override { return resources_; }
  DpiScale Scale() const override { return dpi_.Scale(); }
  BarHit HitTest(POINT client) const override;
  const BarPointer& Pointer() const override { return pointer_; }
  void SetPointer(const BarPointer& pointer) override;
  void ArrangeBar() override;
  bool FollowTheme() override;
  void RefreshGroupEntries() override;
  SystemTweaksCommands* Tweaks() override { return tweaks_.get(); }
  void ShowContextMenu(POINT client) override;
  bool MenuOpen() const override;
  void BeginGroupFill(GroupPanel& panel, IniFile& gpf, bool recheck) override {
    live_.BeginFill(panel, gpf, recheck);
  }

 private:
  friend class LeakProbe;  // test switches run the form's own code paths

  // Who asks the window to close: the bar itself, or Windows ending the session.
  enum class CloseReason { kBar, kSystemShutdown };

  using Base = TAppToolBar<TWendlixMainForm>;

  // Messages are cracked here and go to the handlers below or to a part. Each group answers
  // the result of a message it took whole; nothing when the toolbar's handling follows.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  std::optional<LRESULT> MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
  std::optional<LRESULT> KeyMessage(UINT msg, WPARAM wp, LPARAM lp);
  std::optional<LRESULT> WindowMessage(UINT msg, WPARAM wp, LPARAM lp);
  std::optional<LRESULT> LifeMessage(UINT msg, WPARAM wp, LPARAM lp);
  // The owner-drawn items of whichever menu is open.
  bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  bool PressDragsBar(POINT clientPt) override;

  void FormCreate();
  void FormEdgeChanged();
  void LoadBar();
  void LoadSystemTweaks(const IniFile& ini);
  // Lists the folders of the groups still showing their saved order: with `inView`, only those
  // whose band shows a button now. Whether any was listed.
  bool ListSavedOrderGroups(bool inView);
  bool FormCloseQuery(CloseReason reason);
  // Empty when everything was written; otherwise the first file that could not be.
  std::string SaveBar();
  void FormDestroy();
  // One thickness for all four edges: the width on a side edge, the height on the top
  // or bottom edge.
  void SetDockSize(int width, int height);
  void OnPaint();
  void OnMouseMove(POINT client, WPARAM keys);
  void OnMouseLeave();
  void OnLButtonDown(POINT client, WPARAM keys, bool doubleClick);
  void OnCaptionDblClick(POINT screen);
  void OnLButtonUp(POINT client);
  void OnRButtonDown(POINT client);
  // The pressed element shows released.
  void ReleasePressed();
  // (-1, -1) when the keyboard asks for the menu.
  void OnContextMenu(POINT screen);
  LRESULT OnCopyData(HWND requester, LPARAM lp);
  // A press and a release on the same element.
  void Clicked(const BarHit& hit);

  const ProgramInfo& program_;
  BarState& state_;
  BarResources resources_;
  GroupBackgrounds backgrounds_;
  BarPainter painter_{resources_, backgrounds_};
  BarView view_;
  BarPointer pointer_;
  BarTooltip tooltip_;
  MonitorDpi dpi_{*this};
  BarGroups groups_{*this};
  BarLive live_{*this};
  BarLaunch launch_{*this};
  BarDrops drops_{*this};
  ButtonMenuCommands buttonMenu_{*this, groups_};
  QuickCreateCommands quickCreate_{*this, program_};
  BarFind find_{*this, launch_};
  BarKeyboard keyboard_{*this, painter_, launch_, buttonMenu_, find_};
  BarMenus menus_{*this, groups_, buttonMenu_, quickCreate_, keyboard_};
  // A screen reader's default action is a click: the title and system buttons' through Clicked,
  // a group's buttons' as the keyboard's Enter (a folder button opens its menu).
  BarAccessibility accessible_{
      *this, painter_, [this](const BarHit& hit) {
        if (hit.What == BarHit::Kind::kBtnTitle || hit.What == BarHit::Kind::kBtnSys) {
          Clicked(hit);
        } else {
          launch_.Activate(hit);
        }
      }};
  QueryTable queries_;  // the inspection channel's
  std::unique_ptr<SystemTweaksCommands> tweaks_;
  bool trackingLeave_ = false;
  bool painted_ = false;              // the live folders are watched from after the first paint
  std::unique_ptr<LeakProbe> probe_;  // only with the test switches on
};

}  // namespace wendlix
