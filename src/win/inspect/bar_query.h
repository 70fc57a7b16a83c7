// The bar's read-only inspection channel: another process sends WM_COPYDATA with
// dwData = kBarQueryMagic, wParam = its own window and a query name as UTF-8 ("layout");
// the bar answers by sending WM_COPYDATA back to that window with the same dwData and
// its report as UTF-8 text. Nothing in the bar changes.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

inline constexpr ULONG_PTR kBarQueryMagic = 0x57584251;  // "WXBQ"

// The query name of a WM_COPYDATA that asks the bar, or nothing for any other message.
bool ReadBarQuery(LPARAM lp, std::string& name);
// Sends `text` back to `requester`; false when it is not a window or refused the answer.
bool AnswerBarQuery(HWND self, HWND requester, std::string_view text);
// The queries about the process rather than the bar ("counts": GDI and USER objects, windows, the
// program's own live handles, private memory; see win/diagnostics/resource_counts.h), or nothing for any
// other name.
std::optional<std::string> AnswerProcessQuery(std::string_view name);

}  // namespace wendlix
