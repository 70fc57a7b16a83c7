// A bar of shortcut groups on disk for the Wine measurements: `groups` folders of `buttons`
// web shortcuts each under the temporary folder, filled into groups; removed again on
// destruction.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/profile/ini_file.h"
#include "win/common/wide.h"
#include "win/shell/disk_shortcut_folder.h"

namespace wendlix::bench {

class SampleGroups {
 public:
  SampleGroups(const std::string& name, int groups, int buttons) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    root_ = FromWide(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(ToWide(root_).c_str(), nullptr);
    for (int g = 0; g < groups; ++g) {
      const std::string folder = root_ + "g" + std::to_string(g) + "\\";
      CreateDirectoryW(ToWide(folder).c_str(), nullptr);
      folders_.push_back(folder);
      for (int b = 0; b < buttons; ++b) {
        files_.push_back(folder + "site " + std::to_string(b) + ".url");
        const HANDLE h =
            CreateFileW(ToWide(files_.back()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, "[InternetShortcut]\r\nURL=http://example.cn/\r\n", 43, &written, nullptr);
        CloseHandle(h);
      }
      TPanelData data;
      data.Title = "组" + std::to_string(g);
      data.Directory = folder;
      Groups.push_back(CreateGroupPanel(data, g, 120, 600, Gpf, DiskShortcutFolder{}));
    }
  }
  ~SampleGroups() {
    for (const std::string& f : files_) DeleteFileW(ToWide(f).c_str());
    for (const std::string& f : folders_) RemoveDirectoryW(ToWide(f).c_str());
    RemoveDirectoryW(ToWide(root_).c_str());
  }
  SampleGroups(const SampleGroups&) = delete;
  SampleGroups& operator=(const SampleGroups&) = delete;

  const IniFile Gpf = IniFile::FromBytes("");
  std::vector<GroupPanel> Groups;

 private:
  std::string root_;
  std::vector<std::string> folders_, files_;
};

}  // namespace wendlix::bench
