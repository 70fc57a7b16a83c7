// The program's own place in the system: its executable, where its settings files are
// (the registry's "Confing FileName"), and the Run value that starts it with Windows.
#pragma once
#include <functional>
#include <string>

namespace wendlix {

struct ProgramInfo {
  std::string ExePath;    // full path of the executable
  std::string ExeFolder;  // with its trailing backslash
  std::string BaseName;   // file name without folder and extension
};

ProgramInfo CurrentProgram();

// True when a file can be created in `folder` (probed with a temporary file).
bool FolderIsWritable(const std::string& folder);

// ConfigBase from "Confing FileName" under the program's registry key, written back so
// that the value exists after every start. Without a stored value the files sit beside
// the program, or, when its folder cannot be written, in "Wendlix" under the user's
// application-data folder, where the shipped group file is then copied.
std::string ResolveConfigBase(
    const ProgramInfo& program,
    const std::function<bool(const std::string&)>& folderWritable = FolderIsWritable);

// Adds (autoRun) or removes the program's value under the current user's Run key.
bool UpdateRunValue(bool autoRun, const ProgramInfo& program);

}  // namespace wendlix
