#include "win/shell/context_menu.h"

#include <wrl/client.h>

#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/shell/pidl.h"
#include "win/shell/shell_folders.h"

using Microsoft::WRL::ComPtr;

namespace wendlix {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

// The folder part as the shell parses it: "C:\a" for "C:\a\b.lnk", "C:\" for "C:\b.lnk".
std::wstring ContainingFolder(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\:");
  if (slash == std::wstring::npos) return {};
  if (path[slash] == L':' || (slash > 0 && path[slash - 1] == L':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

}  // namespace

bool ShowShellItemMenu(IShellFolder* folder, PCUITEMID_CHILD item, HWND wnd, UINT flags, POINT pt) {
  try {
    if (!folder || !item) return false;
    ComPtr<IContextMenu> menu;
    if (FAILED(folder->GetUIObjectOf(wnd, 1, &item, IID_IContextMenu, nullptr, &menu))) return false;
    unique_hmenu popup(CreatePopupMenu());
    if (!popup) return false;
    if (FAILED(menu->QueryContextMenu(popup.get(), 0, kFirstCommand, kLastCommand, flags))) return false;
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        popup.get(), TPM_RETURNCMD | TPM_VERTICAL | TPM_RIGHTBUTTON, pt.x, pt.y, wnd, nullptr));
    if (command == 0) return false;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = wnd;
    info.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&info));
  } catch (...) {
    return false;
  }
}

bool ShowFileContextMenu(HWND wnd, const std::string& fileName) {
  try {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop))) return false;
    std::wstring folderPath = ContainingFolder(ToWide(fileName));
    if (folderPath.empty()) return false;
    ITEMIDLIST* raw = nullptr;
    if (FAILED(desktop->ParseDisplayName(wnd, nullptr, folderPath.data(), nullptr, &raw, nullptr)))
      return false;
    const unique_pidl folderPidl(raw);
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(folderPidl.get(), nullptr, IID_PPV_ARGS(&folder)))) return false;
    ComPtr<IEnumIDList> items;
    if (folder->EnumObjects(wnd, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items) !=
            S_OK ||
        !items)
      return false;
    ITEMIDLIST* child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
      const unique_pidl item(child);
      if (StrRetToString(folder.Get(), item.get(), SHGDN_FORPARSING) != fileName) continue;
      POINT pt{};
      GetCursorPos(&pt);
      return ShowShellItemMenu(folder.Get(), item.get(), wnd, 0, pt);
    }
    return false;
  } catch (...) {
    return false;
  }
}

}  // namespace wendlix
