// A web group following a large profile: a 50,000-bookmark "Bookmarks" file, indented and
// with the members the browser writes (17.6 MB: more than the 10 MB the target names), read,
// the group's folder found, its panel refilled and every bookmark listed for the find box.
// Target: 100 ms for the whole refill.
#include <benchmark/benchmark.h>

#include <string>

#include "core/bar/group_construction.h"
#include "core/bookmarks/bookmark_browsers.h"
#include "core/bookmarks/bookmark_tree.h"

namespace wendlix {
namespace {

// The entry of one bookmark as the browser indents it, with the members it writes.
void AppendBookmark(std::string& out, int id, const std::string& indent) {
  const std::string n = std::to_string(id);
  out += indent + "{\n" + indent + "   \"date_added\": \"13345678901234567\",\n" + indent +
         "   \"guid\": \"0c55fecf-50d1-4f43-9a88-" + std::string(12 - n.size(), '0') + n + "\",\n" + indent +
         "   \"id\": \"" + n + "\",\n" + indent + "   \"name\": \"网页标题 " + n + " - 工作资料\",\n" +
         indent + "   \"type\": \"url\",\n" + indent +
         "   \"url\": \"https://www.example.com.cn/docs?id=" + n + "\"\n" + indent + "}";
}

// 50 top-level bookmarks and 50 folders of 20 sub-folders of 50 bookmarks each.
std::string MakeBookmarksFile() {
  std::string out =
      "{\n   \"checksum\": \"00000000000000000000000000000000\",\n   \"roots\": {\n"
      "      \"bookmark_bar\": {\n         \"children\": [ ";
  int id = 10;
  const std::string in1 = "         ", in2 = in1 + "   ", in3 = in2 + "   ";
  for (int i = 0; i < 50; ++i) {
    AppendBookmark(out, id++, i ? in1 : "");
    out += ", ";
  }
  for (int f = 0; f < 50; ++f) {
    out += "{\n" + in1 + "   \"children\": [ ";
    for (int s = 0; s < 20; ++s) {
      out += "{\n" + in2 + "   \"children\": [ ";
      for (int b = 0; b < 50; ++b) {
        AppendBookmark(out, id++, b ? in3 : "");
        if (b < 49) out += ", ";
      }
      out += " ],\n" + in2 + "   \"id\": \"" + std::to_string(id++) + "\",\n" + in2 +
             "   \"name\": \"子文件夹 " + std::to_string(s) + "\",\n" + in2 + "   \"type\": \"folder\"\n" +
             in2 + "}";
      if (s < 19) out += ", ";
    }
    out += " ],\n" + in1 + "   \"id\": \"" + std::to_string(id++) + "\",\n" + in1 + "   \"name\": \"文件夹 " +
           std::to_string(f) + "\",\n" + in1 + "   \"type\": \"folder\"\n" + in1 + "}";
    if (f < 49) out += ", ";
  }
  out +=
      " ],\n         \"id\": \"1\",\n         \"name\": \"书签栏\",\n         \"type\": \"folder\"\n      },\n"
      "      \"other\": {\n         \"children\": [  ],\n         \"id\": \"2\",\n         \"type\": \"folder\"\n"
      "      },\n      \"synced\": {\n         \"children\": [  ],\n         \"id\": \"3\",\n"
      "         \"type\": \"folder\"\n      }\n   },\n   \"version\": 1\n}\n";
  return out;
}

void BM_BookmarksRefill(benchmark::State& state) {
  const std::string file = MakeBookmarksFile();
  const BookmarkSource source{"edge", "Default", {}};
  GroupRecord record;
  record.Data.PanelStyle = gkWeb;
  record.Data.Bookmarks = source;
  std::size_t listed = 0;
  for (auto _ : state) {
    const BookmarkReadResult read = ReadChromiumBookmarks(file);
    const BookmarkNode* folder = FindBookmarkFolder(read.Tree, source.Folder);
    record.Buttons = BookmarkButtons(*folder);
    const GroupPanel panel = PanelFromRecord(record, 0);
    listed = ListBookmarks(*folder, kBookmarkBarTitle).size();
    benchmark::DoNotOptimize(panel.Children.size());
  }
  state.counters["bookmarks"] = static_cast<double>(listed);
  state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_BookmarksRefill)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendlix
