// Milestones of the start-up, for finding where its time goes: with WENDLIX_STARTUP_TRACE naming a
// file, each mark appends "<ms since the process was created> <what>" to it. Off, a mark costs one
// branch.
#pragma once

namespace wendlix {

void StartupMark(const char* what);

}  // namespace wendlix
