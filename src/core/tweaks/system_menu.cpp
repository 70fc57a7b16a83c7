#include "core/tweaks/system_menu.h"

#include <string_view>
#include <utility>

namespace wendlix {
namespace {

constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScScreenSave = 0xF140;

constexpr char kStartButton[] = " Windows \"开始\" 按钮(&W)";

// The items of each handler; the handler reads the item's Tag.
constexpr std::string_view kSystemKeyItems[] = {"S8", "WindowsK1", "S7"};      // WindowsK1Click
constexpr std::string_view kDisableItems[] = {"D5", "P3", "WindowsW1", "A3"};  // P3Click
constexpr std::string_view kHideItems[] = {"D7", "D6", "Windows1", "A2"};      // D7Click

template <std::size_t N>
bool OneOf(std::string_view name, const std::string_view (&names)[N]) {
  for (std::string_view n : names)
    if (n == name) return true;
  return false;
}

void SetCaption(MenuModel& menu, std::string_view name, std::string caption) {
  if (MenuItem* item = menu.Find(name)) item->Caption = std::move(caption);
}

std::string SysKeyCaption(bool disabled) {
  return disabled ? "允许Windows系统热键(&K)" : "禁止Windows系统热键(&K)";
}

}  // namespace

MenuModel BuildSYSPMenu() {
  return MenuModel(kSysMenuTitle, {
                                      MakeItem("S8", "运行屏幕保护程序(&S)", 2),
                                      MakeSeparator("N17"),
                                      MakeItem("WindowsK1", SysKeyCaption(false), 0),
                                      MakeItem("S7", "禁止运行屏幕保护程序(&S)", 1),
                                      MakeSeparator("N28"),
                                      MakeItem("D5", "禁止关闭系统(&D)", 3),
                                      MakeItem("P3", "禁止使用桌面图标(&I)", 0),
                                      MakeItem("WindowsW1", std::string("禁止") + kStartButton, 1),
                                      MakeItem("A3", "禁止应用程序工具条(&A)", 2),
                                      MakeSeparator("N29"),
                                      MakeItem("D7", "隐藏桌面(&D)", 3),
                                      MakeItem("D6", "隐藏桌面图标(&I)", 2),
                                      MakeItem("Windows1", std::string("隐藏") + kStartButton, 0),
                                      MakeItem("A2", "隐藏应用程序工具条(&A)", 1),
                                      MakeSeparator("N30"),
                                      MakeItem("muReLoad", "下次启动时应用当前设置(&L)"),
                                  });
}

void SYSPMenuPopup(MenuModel& menu, const SysMenuContext& c) {
  for (std::string_view name : {"WindowsK1", "S7", "N28"})
    if (MenuItem* item = menu.Find(name)) item->Visible = !c.NtFamily;
  SetCaption(menu, "D5", c.Flags.CanShutDown ? "禁止关闭系统(&D)" : "允许关闭系统(&D)");
  SetCaption(menu, "D6", c.DesktopView.Visible ? "隐藏桌面图标(&I)" : "显示桌面图标(&I)");
  SetCaption(menu, "Windows1", (c.StartButton.Visible ? "隐藏" : "显示") + std::string(kStartButton));
  SetCaption(menu, "A2", c.TaskBar.Visible ? "隐藏应用程序工具条(&A)" : "显示应用程序工具条(&A)");
  SetCaption(menu, "D7", c.Desktop.Visible ? "隐藏桌面(&D)" : "显示桌面(&D)");
  SetCaption(menu, "P3", c.DesktopView.Enabled ? "禁止使用桌面(&P)" : "允许使用桌面(&P)");
  SetCaption(menu, "WindowsW1", (c.StartButton.Enabled ? "禁止" : "允许") + std::string(kStartButton));
  SetCaption(menu, "A3", c.TaskBar.Enabled ? "禁止使用应用程序工具条(&A)" : "允许使用应用程序工具条(&A)");
  SetCaption(menu, "S7", c.Flags.DisableScrnSaver ? "允许运行屏幕保护程序(&S)" : "禁止运行屏幕保护程序(&S)");
  // The hot-key item follows its setting too, so that a setting restored at start-up
  // reads right before it was first toggled.
  SetCaption(menu, "WindowsK1", SysKeyCaption(c.Flags.DisableSysKey));
  if (MenuItem* item = menu.Find("muReLoad")) item->Checked = c.ReLoadSet;
  const std::pair<const char*, const ShellWindowState*> windowItems[] = {{"P3", &c.DesktopView},
                                                                         {"D6", &c.DesktopView},
                                                                         {"WindowsW1", &c.StartButton},
                                                                         {"Windows1", &c.StartButton},
                                                                         {"A3", &c.TaskBar},
                                                                         {"A2", &c.TaskBar},
                                                                         {"D7", &c.Desktop}};
  for (const auto& [name, window] : windowItems)
    if (MenuItem* item = menu.Find(name)) item->Enabled = window->Exists;
}

SysMenuCommand SysMenuCommandOf(const MenuItem& item) {
  using C = SysMenuCommand;
  const std::string_view name = item.Name, caption = item.Caption;
  if (!item.Enabled || !item.Visible) return {};
  if (name == "muReLoad") return {C::kToggleReLoad};
  if (OneOf(name, kSystemKeyItems)) {
    switch (item.Tag) {
      case 0: return {C::kToggleSysKey};
      case 1: return {C::kToggleScreenSaverBlock};
      case 2: return {C::kRunScreenSaver};
      default: return {};
    }
  }
  if (OneOf(name, kDisableItems)) {
    const bool enable = caption.find("禁止") == std::string_view::npos;
    switch (item.Tag) {
      case 0: return {C::kSetEnabled, kShellDesktopView, enable};
      case 1: return {C::kSetEnabled, kShellStartButton, enable};
      case 2: return {C::kSetEnabled, kShellTaskBar, enable};
      case 3: return {C::kToggleShutdown};
      default: return {};
    }
  }
  if (OneOf(name, kHideItems)) {
    const bool show = caption.find("显示") != std::string_view::npos;
    switch (item.Tag) {
      case 0: return {C::kSetVisible, kShellStartButton, show};
      case 1: return {C::kSetVisible, kShellTaskBar, show};
      case 2: return {C::kSetVisible, kShellDesktopView, show};
      case 3: return {C::kSetVisible, kShellDesktop, show};
      default: return {};
    }
  }
  return {};
}

bool ApplySysMenuCommand(const SysMenuCommand& command, TweakFlags& flags, bool& reLoadSet, MenuModel& menu) {
  switch (command.Action) {
    case SysMenuCommand::kToggleSysKey:
      flags.DisableSysKey = !flags.DisableSysKey;
      SetCaption(menu, "WindowsK1", SysKeyCaption(flags.DisableSysKey));
      return flags.DisableSysKey;
    case SysMenuCommand::kToggleScreenSaverBlock: return flags.DisableScrnSaver = !flags.DisableScrnSaver;
    case SysMenuCommand::kToggleShutdown: return flags.CanShutDown = !flags.CanShutDown;
    case SysMenuCommand::kToggleReLoad: return reLoadSet = !reLoadSet;
    default: return false;
  }
}

bool IsScreenSaveCommand(unsigned message, std::uintptr_t wParam) {
  return message == kWmSysCommand && (wParam & 0xFFF0) == kScScreenSave;
}

}  // namespace wendlix
