#include "win/inspect/bar_query.h"

#include "win/diagnostics/resource_counts.h"

namespace wendlix {

bool ReadBarQuery(LPARAM lp, std::string& name) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  if (!data || data->dwData != kBarQueryMagic || data->cbData > 256) return false;
  name.assign(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
  return true;
}

bool AnswerBarQuery(HWND self, HWND requester, std::string_view text) {
  if (!requester || !IsWindow(requester)) return false;
  COPYDATASTRUCT data{};
  data.dwData = kBarQueryMagic;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

std::optional<std::string> AnswerProcessQuery(std::string_view name) {
  if (name == "counts") return DescribeResourceCounts(SampleResourceCounts());
  return std::nullopt;
}

}  // namespace wendlix
