#include "core/bar/bar_settings.h"

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"

namespace wendlix {

BarSettings ReadBarSettings(const IniFile& ini, int currentHeight) {
  const BarSettings d;
  BarSettings s;
  const std::string_view k = kBarSection;
  s.AutoRun = ini.ReadBool(k, "AutoRun", d.AutoRun);
  s.ReLoadSet = ini.ReadBool(k, "ReLoadSet", d.ReLoadSet);
  s.AppBar.AutoHide = ini.ReadBool(k, "AutoHide", d.AppBar.AutoHide);
  s.AppBar.AlwaysOnTop = ini.ReadBool(k, "AlwaysOnTop", d.AppBar.AlwaysOnTop);
  s.AppBar.Edge = ini.ReadInteger(k, "Edge", d.AppBar.Edge);
  if (s.AppBar.Edge < abeLeft || s.AppBar.Edge > abeBottom) s.AppBar.Edge = d.AppBar.Edge;
  s.AppBar.ActivateByMouseDown = ini.ReadBool(k, "ActivateByMouseDown", d.AppBar.ActivateByMouseDown);
  s.Groups = ini.ReadInteger(k, "Groups", d.Groups);
  s.AppBar.ActiveDelay = ini.ReadInteger(k, "Active Delay", d.AppBar.ActiveDelay);
  s.Width = ini.ReadInteger(k, "Width", d.Width);
  s.Height = ini.ReadInteger(k, "Height", currentHeight);
  s.FlatDrawMode = ini.ReadBool(k, "Flat Draw", d.FlatDrawMode);
  s.AppBar.AutoHideInterval = ini.ReadInteger(k, "AutoHideInterval", d.AppBar.AutoHideInterval);
  s.LiveFolders = ini.ReadBool(k, "LiveFolders", d.LiveFolders);
  s.Appearance = AppearanceChoiceFromStored(ini.ReadInteger(k, "Appearance", 0));
  s.HotKeyStored = ini.ValueExists(k, "HotKey");
  s.HotKey = ini.ReadString(k, "HotKey", d.HotKey);
  // A damaged rectangle still names the device; the device alone finds the monitor.
  s.Monitor.device = ini.ReadString(k, "Monitor", "");
  if (!s.Monitor.device.empty())
    s.Monitor.bounds = ParseMonitorRect(ini.ReadString(k, "MonitorRect", "")).value_or(Rect{});
  return s;
}

std::vector<std::string> ReadGroupNames(const IniFile& ini) { return ini.ReadSection(kGroupsSection); }

void WriteBarSettings(IniFile& ini, const BarSettings& s, int groupCount) {
  const std::string_view k = kBarSection;
  ini.WriteBool(k, "AutoHide", s.AppBar.AutoHide);
  ini.WriteBool(k, "ReLoadSet", s.ReLoadSet);
  ini.WriteBool(k, "AutoRun", s.AutoRun);
  ini.WriteBool(k, "AlwaysOnTop", s.AppBar.AlwaysOnTop);
  ini.WriteBool(k, "ActivateByMouseDown", s.AppBar.ActivateByMouseDown);
  ini.WriteBool(k, "Flat Draw", s.FlatDrawMode);
  ini.WriteInteger(k, "Groups", groupCount);
  ini.WriteInteger(k, "Active Delay", s.AppBar.ActiveDelay);
  ini.WriteInteger(k, "Width", s.Width);
  ini.WriteInteger(k, "Height", s.Height);
  ini.WriteInteger(k, "Edge", s.AppBar.Edge);
  ini.WriteInteger(k, "AutoHideInterval", s.AppBar.AutoHideInterval);
  ini.WriteBool(k, "LiveFolders", s.LiveFolders);
  // Written only once chosen, so that a file without it keeps following the default.
  if (s.Appearance == AppearanceChoice::kFollowSystem)
    ini.DeleteKey(k, "Appearance");
  else
    ini.WriteInteger(k, "Appearance", static_cast<int>(s.Appearance));
  if (s.HotKeyStored) ini.WriteString(k, "HotKey", s.HotKey);
  if (!s.Monitor.Empty()) {
    ini.WriteString(k, "Monitor", s.Monitor.device);
    ini.WriteString(k, "MonitorRect", FormatMonitorRect(s.Monitor.bounds));
  }
}

int DockSizeFor(int edge, int width, int height) {
  switch (edge) {
    case abeLeft:
    case abeRight: return width;
    case abeTop:
    case abeBottom: return height;
    default: return 35;
  }
}

}  // namespace wendlix
