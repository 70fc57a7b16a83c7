// How many kernel handles the process holds, for the watcher's leak checks. GetProcessHandleCount
// answers 0 under Wine; there the system's handle table is counted instead.
#pragma once

namespace wendlix {

// -1 when neither source answers.
long CountProcessHandles();

}  // namespace wendlix
