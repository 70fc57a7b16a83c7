// What the export and import commands show around the file dialogs: the dialogs' filter,
// the name they suggest, and the export's question and messages.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

// Both dialogs, in the class library's "text|pattern|..." form.
inline constexpr char kExchangeFileFilter[] = "组配置文件(*.GLF)|*.GLF|所有文件(*.*)|*.*";
inline constexpr char kExchangeDefaultExt[] = "GLF";
inline constexpr char kExportCaption[] = "导出工具栏";

// The name both dialogs suggest for a group: its title, with what a file name cannot hold
// (\ / : * ? " < > |, control characters) replaced by "_", trailing dots and blanks
// dropped (Windows would drop them silently) and device names ("CON", "LPT1") given a "_".
// A title with nothing left suggests "工具栏".
std::string ExchangeFileNameSuggestion(std::string_view title);

// Export replaces a whole file, so it asks first when one is there.
std::string ExportReplaceQuestion(const std::string& path);
std::string ExportFailedText(const std::string& path);
// The export was written without the lines the format cannot hold; names them.
std::string ExportSkippedText(const std::string& path, const std::vector<std::string>& skipped);

}  // namespace wendlix
