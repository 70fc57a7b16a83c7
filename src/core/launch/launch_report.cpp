#include "core/launch/launch_report.h"

#include "core/shell/command_line.h"

namespace wendlix {
namespace {

// ShellExecute's failure codes (SE_ERR_ values and the Win32 errors it passes on).
enum ShellCode : int {
  kOutOfMemory = 0,
  kFileNotFound = 2,
  kPathNotFound = 3,
  kAccessDenied = 5,
  kOutOfMemory8 = 8,
  kBadFormat = 11,
  kSharing = 26,
  kAssocIncomplete = 27,
  kDdeTimeout = 28,
  kDdeFail = 29,
  kDdeBusy = 30,
  kNoAssoc = 31,
  kDllNotFound = 32,
};

std::string Reason(int code) {
  switch (code) {
    case kFileNotFound: return "找不到该文件，它可能已被移动或删除";
    case kPathNotFound: return "找不到该文件所在的路径";
    case kAccessDenied: return "没有打开该文件的权限";
    case kOutOfMemory:
    case kOutOfMemory8: return "内存不足，无法打开";
    case kBadFormat: return "不是有效的程序文件，无法运行";
    case kSharing: return "该文件正被其他程序使用，无法打开";
    case kAssocIncomplete:
    case kNoAssoc: return "没有与该类文件关联的程序，无法打开";
    case kDdeTimeout:
    case kDdeFail:
    case kDdeBusy: return "与打开该文件的程序通讯失败";
    case kDllNotFound: return "缺少运行该程序所需的动态链接库";
    default: return "系统无法打开（错误代码 " + std::to_string(code) + "）";
  }
}

}  // namespace

std::optional<std::string> LaunchReportText(const LaunchRequest& request, const LaunchResult& result) {
  switch (request.Action) {
    case LaunchAction::kRefuse: return LaunchRefusedText(request.Target);
    case LaunchAction::kOpen:
      if (result.Started || result.ShellShowedMessage) return std::nullopt;
      // A web address goes to the browser as its argument: the browser is what failed.
      return (request.File == request.Target ? Reason(result.ShellCode)
                                             : "无法启动 " + request.File + " 打开该网址") +
             ":\r\r\"" + PrintableText(request.Target) + "\"";
    default: return std::nullopt;
  }
}

}  // namespace wendlix
