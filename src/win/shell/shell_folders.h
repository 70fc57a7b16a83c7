// Folders seen through the shell: listing a group's folder, icons, special folders and
// one shortcut per drive.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "core/live/folder_state.h"
#include "core/shell/shortcut_listing.h"

namespace wendlix {

// One enumeration of `folder`: its entries with their attributes, times and sizes, in the file
// system's order; empty when it cannot be listed.
std::vector<FolderEntryStamp> ReadFolderStamps(const std::string& folder);
// The same, names and attributes only; empty when the folder is missing.
std::vector<DirEntry> ReadDirEntries(const std::string& dir);

// Appends the folder's launchable entries to `list`: sub-folders first (only with
// `includeFolders`), then ".SCF", ".LNK", ".PIF" and ".URL" files. System entries never,
// hidden ones only with `includeHidden`. Nothing when `dir` does not exist.
void ListShortcutFiles(const std::string& dir, std::vector<std::string>& list, bool includeHidden,
                       bool includeFolders);
std::vector<std::string> ListShortcutFiles(const std::string& dir, bool includeHidden, bool includeFolders);

// True when `dir` exists and holds a visible sub-folder or ".LNK", ".PIF" or ".URL" entry.
bool FolderHasShortcuts(const std::string& dir);

// The index of the file's icon in the system image list (the real icon, so the file is
// looked at); -1 when the shell has none.
int GetSysIconIndex(const std::string& fileName);

// The display name of `item` in `folder`; empty on failure.
std::string StrRetToString(IShellFolder* folder, PCUITEMID_CHILD item, DWORD flags);
void StrRetToString(IShellFolder* folder, PCUITEMID_CHILD item, DWORD flags, std::string& name);

// The file-system path of a special folder (CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS...).
// Throws ShellError "Error getting SHGetSpecialFolderLocation." when the system has none.
void GetSpecialFolderPath(int csidl, std::string& path);
std::string GetSpecialFolderPath(int csidl);
// The same, empty when the system has no such folder.
std::string SpecialFolderPathOrEmpty(int csidl);

// The Quick Launch folder of the user's roaming application data; empty when that is unknown.
std::string QuickLaunchPath();

// One shortcut per drive (removable, fixed, remote, CD-ROM, RAM disk) in `folder`, named
// after the drive's display name; every CD-ROM drive as "光盘.lnk". Failures are skipped.
void CreateDriveShortcuts(const std::string& folder);

}  // namespace wendlix
