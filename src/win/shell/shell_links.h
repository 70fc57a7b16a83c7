// Shell links (.lnk) written and read through the wide interfaces, so that names outside
// code page 936 work, and internet shortcuts (.url) read through the profile store.
#pragma once
#include <string>

#include "core/shell/shortcut_data.h"

namespace wendlix {

// Fills `data` from the link `fileName` (LinkFile := fileName). Throws ShellError when the
// link object cannot be made or the file cannot be loaded or read; returns true otherwise.
bool ReadShortcut(const std::string& fileName, TShortCutData& data);

// Writes `data` as a link at data.LinkFile (replacing a file of that name). False on any
// failure; nothing is thrown.
bool CreateShortcut(const TShortCutData& data);

// Writes a link to `target`, working folder the target's folder, at `linkPath` with its
// extension made ".lnk", numbered "(1)", "(2)"... when that name is taken. Returns the path
// written, empty when saving failed. Throws ShellError only when no link object can be
// made.
std::string MakeShortcutFile(const std::string& target, const std::string& linkPath);

// Reads "URL", "WorkingDirectory", "IconFile" and "HotKey" of section "InternetShortcut"
// into Target, WorkDir, IconFile and Arguments; a missing file or key leaves the field as
// it was. Always true.
bool ReadUrlShortcut(const std::string& fileName, TShortCutData& data);

}  // namespace wendlix
