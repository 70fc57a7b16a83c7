// The kernel handles the process holds, for the watcher's leak checks. GetProcessHandleCount
// answers 0 under Wine; there the system's handle table is counted instead.
#pragma once
#include <windows.h>

#include <vector>

namespace wendlix {

// -1 when neither source answers.
long CountProcessHandles();

// The process's handles as the system's handle table lists them; empty when it does not answer.
std::vector<HANDLE> ListProcessHandles();

}  // namespace wendlix
