#include "win/inspect/bar_queries.h"

#include "core/bar/config_location.h"
#include "core/inspect/bar_report.h"
#include "core/profile/ini_file_io_count.h"
#include "win/appbar/monitors.h"
#include "win/inspect/bar_query.h"
#include "win/ui/window_dpi.h"

namespace wendlix {

void AddBarWindowQueries(QueryTable& table, BarWindow& bar) {
  table.Add("counts", [](std::string_view) { return AnswerProcessQuery("counts"); });
  table.Add("layout", [&bar](std::string_view) { return DescribeBar(bar.View(), bar.State().Groups); });
  // Whether the auto-hide timer runs now, and whether it should when nothing holds it.
  table.Add("timer", [&bar](std::string_view) {
    AppToolBarImpl& toolbar = bar.Toolbar();
    return std::string("AutoHideTimer=") + (toolbar.AutoHideTimer().Enabled() ? "1" : "0") +
           " AutoHide=" + (toolbar.AutoHide() ? "1" : "0");
  });
  // The monitor the bar stands on and the one it keeps to, then a line per monitor.
  table.Add("monitor", [&bar](std::string_view) {
    const AppToolBarImpl& toolbar = bar.Toolbar();
    const MonitorInfo& m = toolbar.BarMonitor();
    std::string text = "device=" + m.device + " bounds=" + FormatMonitorRect(m.bounds) +
                       " work=" + FormatMonitorRect(m.work) + " wanted=" + toolbar.WantedMonitor().device +
                       "\n";
    for (const MonitorInfo& each : EnumMonitors()) {
      text += "monitor " + each.device + " " + FormatMonitorRect(each.bounds);
      text += each.primary ? " primary\n" : "\n";
    }
    return text;
  });
  // The DPI the bar is laid out at and the system's.
  table.Add("dpi", [&bar](std::string_view) {
    return "dpi=" + std::to_string(bar.Scale().Dpi()) + " system=" + std::to_string(SystemDpi()) +
           " window=" + std::to_string(WindowDpi(bar.Handle()));
  });
  // How often the group file was read and saved so far.
  table.Add("gpfio", [&bar](std::string_view) {
    const IniFileIoCount io = CountedIniFileIo(GroupFileName(bar.State().ConfigBase));
    return "reads=" + std::to_string(io.reads) + " writes=" + std::to_string(io.writes);
  });
}

}  // namespace wendlix
