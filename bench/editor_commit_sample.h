// The group editor's commit at its largest: a group of 1,000 buttons, reordered and one of
// them renamed, committed into a group file of about 650 KB (the sample group file, with
// fewer groups to make room for the 1,000 buttons). Shared by the native and the Wine
// benchmarks so that both time one input.
#pragma once
#include <string>
#include <vector>

#include "core/editor/editor_commit.h"
#include "core/profile/ini_file.h"
#include "ini_group_sample.h"

namespace wendlix::bench {

struct EditorCommitSample {
  std::string bytes;  // the group file before the commit, code page 936
  ButtonCommitInput input;
};

inline EditorCommitSample MakeEditorCommitSample(int entries = 1000, int groups = 870) {
  const std::string title = "工具栏0";  // the first group of the sample file
  const std::string section = title + "  Buttons";
  IniFile file = IniFile::FromBytes(MakeGroupFileSample(groups).bytes);
  std::vector<ButtonEntry> list;
  for (const std::string& key : file.ReadSection(section)) file.DeleteKey(section, key);
  for (int i = 0; i < entries; ++i) {
    ButtonEntry e{"按钮" + std::to_string(i), "http://www.example.com/" + std::to_string(i) + "/index.html",
                  0};
    file.WriteString(section, e.Name, e.Value);
    list.push_back(std::move(e));
  }
  // What the user did on the page: the order reversed and one entry renamed.
  std::vector<ButtonEntry> edited(list.rbegin(), list.rend());
  edited[entries / 2].Name += " 新";
  EditorCommitSample sample;
  sample.bytes = file.ToBytes();
  sample.input = {true, false, title, title, std::move(edited)};
  return sample;
}

}  // namespace wendlix::bench
