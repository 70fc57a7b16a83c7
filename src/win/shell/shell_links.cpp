#include "win/shell/shell_links.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

#include "core/profile/ini_file.h"
#include "core/shell/link_naming.h"
#include "core/text/paths.h"
#include "win/common/wide.h"
#include "win/shell/pidl.h"
#include "win/shell/shell_error.h"
#include "win/shell/shortcut_files.h"

using Microsoft::WRL::ComPtr;

namespace wendlix {

namespace {

// Link fields are short in practice; arguments may be long command lines.
constexpr int kFieldChars = 4096;

struct ShellLinkObject {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
};

ShellLinkObject CreateShellLinkObject() {
  ShellLinkObject object;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object.link));
  if (FAILED(hr)) throw ShellError("Cannot create a shell link object");
  hr = object.link.As(&object.file);
  if (FAILED(hr)) throw ShellError("The shell link object has no IPersistFile");
  return object;
}

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw ShellError(what);
}

// Some link readers (Wine's among them) give the path through the ANSI code page, so a
// name outside it comes back with "?", which no file name holds. The item identifier list
// keeps the real name.
std::string PathFromIdList(IShellLinkW& link, const std::string& fallback) {
  ITEMIDLIST* raw = nullptr;
  if (FAILED(link.GetIDList(&raw)) || !raw) return fallback;
  const unique_pidl pidl(raw);
  std::vector<wchar_t> path(32768, L'\0');
  if (!SHGetPathFromIDListEx(pidl.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
    return fallback;
  return FromWide(path.data());
}

}  // namespace

bool ReadShortcut(const std::string& fileName, TShortCutData& data) {
  ShellLinkObject object = CreateShellLinkObject();
  data.LinkFile = fileName;
  Check(object.file->Load(ToWide(fileName).c_str(), STGM_READ), "Cannot load the shell link");

  std::vector<wchar_t> buffer(kFieldChars);
  const auto text = [&] { return FromWide(buffer.data()); };

  buffer[0] = L'\0';
  Check(object.link->GetWorkingDirectory(buffer.data(), kFieldChars), "Cannot read the working directory");
  data.WorkDir = text();
  WORD hotKey = 0;
  Check(object.link->GetHotkey(&hotKey), "Cannot read the hot key");
  data.HotKey = hotKey;
  WIN32_FIND_DATAW findData{};
  buffer[0] = L'\0';
  Check(object.link->GetPath(buffer.data(), kFieldChars, &findData, 0), "Cannot read the link's path");
  data.Target = text();
  if (data.Target.find('?') != std::string::npos)
    data.Target = PathFromIdList(*object.link.Get(), data.Target);
  buffer[0] = L'\0';
  Check(object.link->GetArguments(buffer.data(), kFieldChars), "Cannot read the arguments");
  data.Arguments = text();
  int iconIndex = 0;
  buffer[0] = L'\0';
  Check(object.link->GetIconLocation(buffer.data(), kFieldChars, &iconIndex),
        "Cannot read the icon location");
  data.IconFile = text();
  data.IconIndex = iconIndex;
  int showCmd = 0;
  Check(object.link->GetShowCmd(&showCmd), "Cannot read the show command");
  data.ShowCmd = showCmd;
  return true;
}

bool CreateShortcut(const TShortCutData& data) {
  try {
    ShellLinkObject object = CreateShellLinkObject();
    IShellLinkW& link = *object.link.Get();
    if (FAILED(link.SetWorkingDirectory(ToWide(data.WorkDir).c_str())) ||
        FAILED(link.SetPath(ToWide(data.Target).c_str())) ||
        FAILED(link.SetArguments(ToWide(data.Arguments).c_str())) || FAILED(link.SetHotkey(data.HotKey)) ||
        FAILED(link.SetIconLocation(ToWide(data.IconFile).c_str(), data.IconIndex)) ||
        FAILED(link.SetShowCmd(data.ShowCmd)))
      return false;
    return SUCCEEDED(object.file->Save(ToWide(data.LinkFile).c_str(), TRUE));
  } catch (...) {
    return false;
  }
}

std::string MakeShortcutFile(const std::string& target, const std::string& linkPath) {
  ShellLinkObject object = CreateShellLinkObject();
  object.link->SetPath(ToWide(target).c_str());
  object.link->SetWorkingDirectory(ToWide(ExtractFilePath(target)).c_str());
  const std::string path = UniqueLinkPath(linkPath, PathExists);
  if (path.empty()) return {};
  if (FAILED(object.file->Save(ToWide(path).c_str(), FALSE))) return {};
  return path;
}

bool ReadUrlShortcut(const std::string& fileName, TShortCutData& data) {
  static constexpr char kSection[] = "InternetShortcut";
  const IniFile file(fileName);
  data.Target = file.ReadString(kSection, "URL", data.Target);
  data.WorkDir = file.ReadString(kSection, "WorkingDirectory", data.WorkDir);
  data.IconFile = file.ReadString(kSection, "IconFile", data.IconFile);
  data.Arguments = file.ReadString(kSection, "HotKey", data.Arguments);
  return true;
}

}  // namespace wendlix
