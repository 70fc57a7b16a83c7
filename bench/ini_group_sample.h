// A group file as the program writes it, sized like a large installation: 1,000 groups,
// each with its 21 settings and a button section of 10 buttons (about 650 KB in code
// page 936). Shared by the native and the Wine benchmarks so that both time one input.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace wendlix::bench {

struct GroupFileSample {
  std::string bytes;                                      // code page 936, CRLF
  std::vector<std::pair<std::string, std::string>> keys;  // every (section, key), UTF-8
};

inline GroupFileSample MakeGroupFileSample(int groups = 1000, int buttons = 10) {
  // Chinese parts as code page 936 bytes and as UTF-8.
  struct Text {
    const char* gbk;
    const char* utf8;
  };
  const Text title{"\xb9\xa4\xbe\xdf\xc0\xb8", "工具栏"};
  const Text font{"\xcb\xce\xcc\xe5", "宋体"};
  const Text button{"\xbc\xc7\xca\xc2\xb1\xbe", "记事本"};
  GroupFileSample sample;
  std::string& out = sample.bytes;
  out.reserve(static_cast<std::size_t>(groups) * 700);
  const auto section = [&](const std::string& gbk, const std::string& utf8) {
    out += "[" + gbk + "]\r\n";
    return utf8;
  };
  const auto key = [&](const std::string& sec, const std::string& gbkName, const std::string& utf8Name,
                       const std::string& value) {
    out += gbkName + "=" + value + "\r\n";
    sample.keys.emplace_back(sec, utf8Name);
  };
  const auto plain = [&](const std::string& sec, const char* name, const std::string& value) {
    key(sec, name, name, value);
  };
  std::string groupsSection = section("Groups", "Groups");
  for (int g = 0; g < groups; ++g) {
    const std::string n = std::to_string(g);
    key(groupsSection, title.gbk + n, title.utf8 + n, "D:\\" + n);
  }
  for (int g = 0; g < groups; ++g) {
    const std::string n = std::to_string(g);
    const std::string sec = section(title.gbk + n, title.utf8 + n);
    plain(sec, "Visible", "1");
    plain(sec, "ShowTitle", "1");
    plain(sec, "ShowAsButton", "0");
    plain(sec, "ShowCaption", "1");
    plain(sec, "LayoutLeft", "1");
    plain(sec, "BevelDown", "1");
    plain(sec, "SmallIcon", "0");
    plain(sec, "ShowTitleIcon", "0");
    plain(sec, "Width", "120");
    plain(sec, "Height", std::to_string(100 + g % 50));
    plain(sec, "Panel Style", std::to_string(g % 3));
    plain(sec, "Color", "-2147483633");
    plain(sec, "From Color", "16777215");
    plain(sec, "To Color", "16711680");
    plain(sec, "Draw style", "1");
    plain(sec, "FontColor", "-2147483640");
    plain(sec, "FontSize", "9");
    plain(sec, "Directory", "D:\\" + n);
    key(sec, "Title Text", "Title Text", title.gbk + n);
    key(sec, "FontName", "FontName", font.gbk);
    plain(sec, "PictureFile", "");
    const std::string buttonsSec = section(title.gbk + n + "  Buttons", title.utf8 + n + "  Buttons");
    for (int b = 0; b < buttons; ++b) {
      const std::string m = std::to_string(b);
      key(buttonsSec, button.gbk + m, button.utf8 + m, "http://example.com/" + n + "/" + m);
    }
  }
  return sample;
}

}  // namespace wendlix::bench
