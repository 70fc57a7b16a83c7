// The monitors as Windows reports them now, as core monitor records.
#pragma once
#include <windows.h>

#include "core/appbar/monitor_layout.h"

namespace wendlix {

// Every monitor of the desktop. Never empty: without an answer from Windows the list holds
// one primary monitor of the screen's size and work area.
MonitorList EnumMonitors();

}  // namespace wendlix
