// Names of the shortcut files the bar writes.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace wendlix {

// `linkPath` with its extension made ".lnk"; when that name is taken, the same without
// ".lnk" followed by "(n).lnk" with the smallest n from 1 that is free. Empty only when
// an absurd number of names is taken (a broken `exists` must not hang the bar).
std::string UniqueLinkPath(std::string_view linkPath, const std::function<bool(const std::string&)>& exists);

// The file name (without folder and ".lnk") of a drive's shortcut, made from the shell's
// display name of the drive: its first ":" removed, and any character a file name cannot
// hold (a remote drive shows "\\server\share") replaced by "_". Empty input stays empty.
std::string DriveLinkName(std::string_view displayName);

}  // namespace wendlix
