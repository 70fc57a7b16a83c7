// A small console program that end-to-end cases run beside the bar, in the same Wine prefix and on the
// same display, to look at and act on its windows from outside. Output is UTF-8 on stdout, one answer
// per line. Exit codes: 0 done / found, 1 not found or condition not met, 2 bad usage, 3 call failed.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

// The Active Accessibility commands (driver_accessible.cpp): -1 when `name` is none of them.
int RunAccessibleCommand(const wchar_t* name, wchar_t** args, int n);
const wchar_t* AccessibleUsage();

namespace {

constexpr int kOk = 0;
constexpr int kNo = 1;
constexpr int kUsage = 2;
constexpr int kFailed = 3;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(size > 0 ? size : 0, '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
  }
  return out;
}

// Raw bytes through WriteFile, so that neither the C runtime nor the console code page touches them.
void WriteRaw(DWORD stream, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
void Print(const std::wstring& line) { WriteRaw(STD_OUTPUT_HANDLE, Utf8(line) + "\n"); }
void PrintError(const std::wstring& line) {
  WriteRaw(STD_ERROR_HANDLE, "wendlix_driver: " + Utf8(line) + "\n");
}

std::wstring Format(const wchar_t* format, ...) {
  wchar_t buffer[512];
  va_list args;
  va_start(args, format);
  _vsnwprintf(buffer, 511, format, args);
  va_end(args);
  buffer[511] = L'\0';
  return buffer;
}

bool ParseNumber(const wchar_t* text, long long& value) {
  if (!text || !*text) return false;
  wchar_t* end = nullptr;
  value = wcstoll(text, &end, 0);  // decimal, 0x hex or 0 octal
  return end && *end == L'\0';
}

bool ParseSeconds(const wchar_t* text, double& seconds) {
  wchar_t* end = nullptr;
  seconds = wcstod(text, &end);
  return end && *end == L'\0' && seconds >= 0 && seconds < 3600;
}

ULONGLONG Deadline(double seconds) { return GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0); }

std::wstring HandleText(HWND hwnd) {
  return Format(L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
}

std::wstring RectText(const RECT& r) { return Format(L"%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom); }

// A window is named by its class, or by "0x..." for a handle printed earlier.
HWND FindTarget(const wchar_t* name) {
  if (name[0] == L'0' && (name[1] == L'x' || name[1] == L'X')) {
    long long handle = 0;
    if (!ParseNumber(name, handle)) return nullptr;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
    return IsWindow(hwnd) ? hwnd : nullptr;
  }
  return FindWindowW(name, nullptr);
}

// Every poll loop uses the same step, short against a UI event and long enough not to load the machine.
constexpr DWORD kPollMs = 50;

// Waits until the window exists (or, with `gone`, no longer does); prints its handle when it came.
int WaitFor(const wchar_t* name, const wchar_t* secondsText, bool gone) {
  double seconds = 0;
  if (!ParseSeconds(secondsText, seconds)) return kUsage;
  const ULONGLONG deadline = Deadline(seconds);
  for (;;) {
    const HWND hwnd = FindTarget(name);
    if ((hwnd != nullptr) != gone) {
      if (hwnd) Print(HandleText(hwnd));
      return kOk;
    }
    if (GetTickCount64() >= deadline) return kNo;
    Sleep(kPollMs);
  }
}

// Sends to a window of another process. No SMTO_ABORTIFHUNG: Wine counts a thread as hung after 5 s
// without reading its queue, which a program starting on a loaded machine can be; a real hang still
// ends at the limit.
bool SendWithin(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result, UINT ms = 30000) {
  return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, ms, result) != 0;
}

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT reaches controls of another process too; GetWindowText would not.
  DWORD_PTR length = 0;
  if (!SendWithin(hwnd, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendWithin(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return {};
  text.resize(copied);
  return text;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM parent) {
  // Only direct children; deeper ones are reached by naming a child's handle.
  if (GetAncestor(hwnd, GA_PARENT) != reinterpret_cast<HWND>(parent)) return TRUE;
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  RECT r{};
  GetWindowRect(hwnd, &r);
  Print(HandleText(hwnd) + L"\t" + name + L"\t" + RectText(r) +
        Format(L"\t%d\t", IsWindowVisible(hwnd) ? 1 : 0) + WindowText(hwnd));
  return TRUE;
}

// Asks the shell where an appbar on EDGE of the given thickness may go, as a newcomer would, and removes
// the probe again. Other appbars already on that edge push the answer inwards.
int AppBarQuery(const wchar_t* edgeName, const wchar_t* thicknessText) {
  static const wchar_t* const kEdges[] = {L"left", L"top", L"right", L"bottom"};
  UINT edge = 4;
  for (UINT i = 0; i < 4; ++i) {
    if (_wcsicmp(edgeName, kEdges[i]) == 0) edge = i;
  }
  long long thickness = 0;
  if (!ParseNumber(thicknessText, thickness) || edge == 4 || thickness <= 0) return kUsage;
  HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"wendlix-appbar-probe", WS_POPUP, 0, 0, 1, 1,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!probe) return kFailed;
  APPBARDATA data{};
  data.cbSize = sizeof(data);
  data.hWnd = probe;
  data.uCallbackMessage = WM_APP + 1;
  if (!SHAppBarMessage(ABM_NEW, &data)) {
    DestroyWindow(probe);
    return kFailed;
  }
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const auto size = static_cast<LONG>(thickness);
  data.uEdge = edge;
  data.rc = RECT{0, 0, width, height};
  switch (edge) {
    case ABE_LEFT: data.rc.right = size; break;
    case ABE_TOP: data.rc.bottom = size; break;
    case ABE_RIGHT: data.rc.left = width - size; break;
    default: data.rc.top = height - size; break;
  }
  SHAppBarMessage(ABM_QUERYPOS, &data);
  Print(RectText(data.rc));
  SHAppBarMessage(ABM_REMOVE, &data);
  DestroyWindow(probe);
  return kOk;
}

// Takes the activation away from everyone else with a plain window of this process, in the middle of the
// screen, and keeps it (pumping messages) for the given time; prints its handle once it is active.
int ActivateOther(const wchar_t* secondsText) {
  double seconds = 0;
  if (!ParseSeconds(secondsText, seconds)) return kUsage;
  HWND other = CreateWindowExW(0, L"STATIC", L"wendlix-other-window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400,
                               300, 200, 150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!other) return kFailed;
  SetForegroundWindow(other);
  SetActiveWindow(other);
  Print(HandleText(other));
  const ULONGLONG deadline = Deadline(seconds);
  while (GetTickCount64() < deadline) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
  DestroyWindow(other);
  return kOk;
}

int VersionInfo(const wchar_t* path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return kNo;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path, 0, size, block.data())) return kFailed;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    Print(Format(L"FixedFileVersion=%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                 LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                 LOWORD(fixed->dwFileVersionLS)));
  }
  struct Translation {
    WORD language;
    WORD codePage;
  }* translations = nullptr;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                      &length) ||
      length < sizeof(Translation)) {
    return kOk;
  }
  static const wchar_t* const kNames[] = {L"ProductName",     L"ProductVersion", L"FileVersion",
                                          L"FileDescription", L"CompanyName",    L"OriginalFilename"};
  for (const wchar_t* name : kNames) {
    const std::wstring key =
        Format(L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language, translations[0].codePage, name);
    wchar_t* value = nullptr;
    if (VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) && value) {
      Print(std::wstring(name) + L"=" + value);
    }
  }
  return kOk;
}

// The bar's inspection channel: WM_COPYDATA with this tag, answered the same way. A bar started with
// WENDLIX_TEST_SWITCHES=1 also takes probe requests: it runs a batch of its own code paths and answers
// with the probe tag when the batch is over.
constexpr ULONG_PTR kBarQueryMagic = 0x57584251;
constexpr ULONG_PTR kProbeMagic = 0x57584254;
std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK ReplyWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (data && data->dwData == kBarQueryMagic) {
      g_reply.assign(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
      g_replied = true;
      return TRUE;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Sends `request` to the bar from a message-only window that takes the answer, and waits for that
// answer up to `seconds`, pumping messages. A query is answered from inside the send; a probe request
// must be taken (a nonzero result) and is answered later.
bool Ask(HWND bar, ULONG_PTR magic, const std::wstring& request, double seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReplyWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"WendlixDriverQuery";
  RegisterClassW(&wc);
  const HWND self =
      CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  if (!self) return false;
  const std::string utf8 = Utf8(request);
  COPYDATASTRUCT data{magic, static_cast<DWORD>(utf8.size()), const_cast<char*>(utf8.data())};
  DWORD_PTR result = 0;
  const bool probe = magic == kProbeMagic;
  const ULONGLONG start = GetTickCount64();
  const bool sent =
      SendWithin(bar, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data), &result);
  if (!sent) {
    PrintError(Format(L"the bar did not take the request within %llu ms (error %lu)",
                      GetTickCount64() - start, GetLastError()));
  }
  const bool taken = sent && (!probe || result != 0);
  const ULONGLONG deadline = Deadline(seconds);
  while (taken && !g_replied && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DestroyWindow(self);
  if (sent && !taken) PrintError(L"the bar took no request (are its test switches on?)");
  if (taken && !g_replied) PrintError(probe ? L"no answer within the time given" : L"the bar gave no answer");
  return taken && g_replied;
}

int Probe(HWND bar, const wchar_t* request, const wchar_t* secondsText) {
  double seconds = 0;
  if (!ParseSeconds(secondsText, seconds)) return kUsage;
  if (!Ask(bar, kProbeMagic, request, seconds)) return kFailed;
  Print(std::wstring(g_reply.begin(), g_reply.end()));
  return g_reply.rfind("done", 0) == 0 ? kOk : kNo;
}

// WM_NULL with a 5-second limit: prints the milliseconds it took; exit 1 when it timed out.
int Ping(HWND bar) {
  const ULONGLONG start = GetTickCount64();
  DWORD_PTR result = 0;
  const bool answered = SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
  const ULONGLONG took = GetTickCount64() - start;
  if (!answered) {
    Print(Format(L"timeout after %llu ms (error %lu)", took, GetLastError()));
    return kNo;
  }
  Print(Format(L"%llu", took));
  return kOk;
}

int MakeLink(const wchar_t* link, const wchar_t* target, const wchar_t* args, const wchar_t* dir) {
  if (FAILED(CoInitialize(nullptr))) return kFailed;
  int code = kFailed;
  IShellLinkW* shellLink = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink)))) {
    shellLink->SetPath(target);
    if (args) shellLink->SetArguments(args);
    if (dir) shellLink->SetWorkingDirectory(dir);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Save(link, TRUE))) code = kOk;
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return code;
}

// What a drag source offers: each format once, as global memory.
class OfferedData final : public IDataObject {
 public:
  // A file list as a file manager offers it: CF_HDROP only.
  static OfferedData Files(const std::vector<std::wstring>& files) {
    std::wstring list;
    for (const std::wstring& f : files) list += f + L'\0';
    list += L'\0';
    std::vector<BYTE> bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(bytes.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(bytes.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    OfferedData data;
    data.items_.push_back({CF_HDROP, std::move(bytes)});
    return data;
  }
  // A web link as a browser offers it: the wide address format, the same text, and with a title a file
  // descriptor naming "<title>.url".
  static OfferedData Link(const std::wstring& url, const wchar_t* title) {
    const std::wstring z = url + L'\0';
    const auto text = reinterpret_cast<const BYTE*>(z.c_str());
    OfferedData data;
    data.Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW")), text,
             z.size() * 2);
    data.Add(CF_UNICODETEXT, text, z.size() * 2);
    if (title) {
      FILEGROUPDESCRIPTORW group{};
      group.cItems = 1;
      group.fgd[0].dwFlags = FD_ATTRIBUTES;
      wcsncpy(group.fgd[0].cFileName, (std::wstring(title) + L".url").c_str(), MAX_PATH - 1);
      data.Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_FILEDESCRIPTORW)),
               reinterpret_cast<const BYTE*>(&group), sizeof(group));
    }
    return data;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    const Item* item = Find(format);
    if (!item) return DV_E_FORMATETC;
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, item->bytes.size());
    if (!global) return E_OUTOFMEMORY;
    memcpy(GlobalLock(global), item->bytes.data(), item->bytes.size());
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return Find(format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Item& item : items_)
      formats.push_back({item.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  struct Item {
    CLIPFORMAT format;
    std::vector<BYTE> bytes;
  };
  void Add(CLIPFORMAT format, const BYTE* bytes, size_t size) {
    items_.push_back({format, {bytes, bytes + size}});
  }
  const Item* Find(const FORMATETC* format) const {
    if (!format || !(format->tymed & TYMED_HGLOBAL)) return nullptr;
    for (const Item& item : items_) {
      if (item.format == format->cfFormat) return &item;
    }
    return nullptr;
  }
  std::vector<Item> items_;
  ULONG refs_ = 1;
};

// Drops after a few rounds of the drag loop, wherever the cursor is: no mouse button is needed.
class DropSoon final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *object = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return ++rounds_ >= 6 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  int rounds_ = 0;
};

// Drags what `offer` makes by OLE to screen point X,Y (the first two arguments) and drops it there.
template <class Offer>
int Drag(wchar_t** args, Offer offer) {
  long long x = 0, y = 0;
  if (!ParseNumber(args[0], x) || !ParseNumber(args[1], y)) return kUsage;
  if (FAILED(OleInitialize(nullptr))) return kFailed;
  SetCursorPos(static_cast<int>(x), static_cast<int>(y));
  OfferedData data = offer();
  DropSoon source;
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  OleUninitialize();
  Print(Format(L"%ls effect %lu", hr == DRAGDROP_S_DROP ? L"dropped" : L"cancelled", effect));
  return hr == DRAGDROP_S_DROP ? kOk : kNo;
}

int PrintRect(BOOL ok, const RECT& r) {
  if (!ok) return kFailed;
  Print(RectText(r));
  return kOk;
}

// A command's arguments follow its name; a window command's first argument names an existing window,
// handed over as `w`. A handler answers kUsage when an argument does not parse.
struct Command {
  const wchar_t* name;
  const wchar_t* usage;
  int minArgs, maxArgs;
  bool window;
  int (*run)(HWND w, wchar_t** a, int n);
};

const Command kCommands[] = {
    {L"find", L"WINDOW                 print the handle; exit 1 when there is none", 1, 1, false,
     [](HWND, wchar_t** a, int) {
       const HWND hwnd = FindTarget(a[0]);
       if (hwnd) Print(HandleText(hwnd));
       return hwnd ? kOk : kNo;
     }},
    {L"wait", L"WINDOW SECONDS         wait until the window exists, print its handle", 2, 2, false,
     [](HWND, wchar_t** a, int) { return WaitFor(a[0], a[1], false); }},
    {L"wait-gone", L"WINDOW SECONDS    wait until the window no longer exists", 2, 2, false,
     [](HWND, wchar_t** a, int) { return WaitFor(a[0], a[1], true); }},
    {L"rect", L"WINDOW                 left top right bottom, screen coordinates", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       RECT r{};
       return PrintRect(GetWindowRect(w, &r), r);
     }},
    {L"client-rect", L"WINDOW          the client area in screen coordinates", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       RECT r{};
       const BOOL ok = GetClientRect(w, &r);
       MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
       return PrintRect(ok, r);
     }},
    {L"title", L"WINDOW                the window text", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       Print(WindowText(w));
       return kOk;
     }},
    {L"xwindow", L"WINDOW              the X window Wine shows it in, in decimal", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       const auto x = reinterpret_cast<ULONG_PTR>(GetPropW(w, L"__wine_x11_whole_window"));
       Print(Format(L"%llu", static_cast<unsigned long long>(x)));
       return x ? kOk : kFailed;
     }},
    {L"style", L"WINDOW                style and extended style, hexadecimal", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       Print(Format(L"0x%08lx 0x%08lx", static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)),
                    static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE))));
       return kOk;
     }},
    {L"foreground", L"                 the handle of the foreground window; exit 1 when there is none", 0, 0,
     false,
     [](HWND, wchar_t**, int) {
       const HWND hwnd = GetForegroundWindow();
       if (hwnd) Print(HandleText(hwnd));
       return hwnd ? kOk : kNo;
     }},
    {L"visible", L"WINDOW              exit 0 when visible, 1 when hidden", 1, 1, true,
     [](HWND w, wchar_t**, int) { return IsWindowVisible(w) ? kOk : kNo; }},
    {L"pid", L"WINDOW                  the owning process id", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       DWORD pid = 0;
       GetWindowThreadProcessId(w, &pid);
       Print(Format(L"%lu", static_cast<unsigned long>(pid)));
       return kOk;
     }},
    {L"children", L"WINDOW             handle, class, rect, visible, text of each direct child", 1, 1, true,
     [](HWND w, wchar_t**, int) {
       EnumChildWindows(w, PrintChild, reinterpret_cast<LPARAM>(w));
       return kOk;
     }},
    {L"close", L"WINDOW                post WM_CLOSE", 1, 1, true,
     [](HWND w, wchar_t**, int) { return PostMessageW(w, WM_CLOSE, 0, 0) ? kOk : kFailed; }},
    {L"set-text", L"WINDOW ID TEXT     set the text of the window's control ID (its edits send EN_CHANGE)", 3,
     3, true,
     [](HWND w, wchar_t** a, int) {
       long long id = 0;
       if (!ParseNumber(a[1], id)) return kUsage;
       const HWND control = GetDlgItem(w, static_cast<int>(id));
       if (!control) PrintError(Format(L"no control %lld", id));
       DWORD_PTR result = 0;
       return !control                                                                      ? kNo
              : SendWithin(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[2]), &result) ? kOk
                                                                                            : kFailed;
     }},
    {L"click", L"WINDOW ID             post BM_CLICK to the window's control ID", 2, 2, true,
     [](HWND w, wchar_t** a, int) {
       long long id = 0;
       if (!ParseNumber(a[1], id)) return kUsage;
       const HWND control = GetDlgItem(w, static_cast<int>(id));
       if (!control) PrintError(Format(L"no control %lld", id));
       return !control ? kNo : PostMessageW(control, BM_CLICK, 0, 0) ? kOk : kFailed;
     }},
    {L"post", L"WINDOW MSG WPARAM LPARAM   post a message", 4, 4, true,
     [](HWND w, wchar_t** a, int) {
       long long m = 0, wp = 0, lp = 0;
       if (!ParseNumber(a[1], m) || !ParseNumber(a[2], wp) || !ParseNumber(a[3], lp)) return kUsage;
       return PostMessageW(w, static_cast<UINT>(m), static_cast<WPARAM>(wp), static_cast<LPARAM>(lp))
                  ? kOk
                  : kFailed;
     }},
    {L"send", L"WINDOW MSG WPARAM LPARAM   send a message (5 s limit), print the result", 4, 4, true,
     [](HWND w, wchar_t** a, int) {
       long long m = 0, wp = 0, lp = 0;
       if (!ParseNumber(a[1], m) || !ParseNumber(a[2], wp) || !ParseNumber(a[3], lp)) return kUsage;
       DWORD_PTR result = 0;
       if (!SendWithin(w, static_cast<UINT>(m), static_cast<WPARAM>(wp), static_cast<LPARAM>(lp), &result,
                       5000)) {
         return kFailed;
       }
       Print(Format(L"%lld", static_cast<long long>(result)));
       return kOk;
     }},
    {L"setting-change",
     L"AREA        broadcast WM_SETTINGCHANGE for AREA (\"ImmersiveColorSet\") to every\n"
     L"                              top-level window, as Windows does when the setting changes",
     1, 1, false,
     [](HWND, wchar_t** a, int) {
       DWORD_PTR result = 0;
       return SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(a[0]),
                                  SMTO_ABORTIFHUNG, 30000, &result)
                  ? kOk
                  : kFailed;
     }},
    {L"acp", L"                        the ANSI and OEM code pages", 0, 0, false,
     [](HWND, wchar_t**, int) {
       Print(Format(L"%u %u", GetACP(), GetOEMCP()));
       return kOk;
     }},
    {L"screen", L"                     width and height of the primary screen", 0, 0, false,
     [](HWND, wchar_t**, int) {
       Print(Format(L"%d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
       return kOk;
     }},
    {L"appbar-query", L"EDGE THICKNESS where a new appbar on left|top|right|bottom would go", 2, 2, false,
     [](HWND, wchar_t** a, int) { return AppBarQuery(a[0], a[1]); }},
    {L"metric", L"INDEX                GetSystemMetrics(INDEX)", 1, 1, false,
     [](HWND, wchar_t** a, int) {
       long long index = 0;
       if (!ParseNumber(a[0], index)) return kUsage;
       Print(Format(L"%d", GetSystemMetrics(static_cast<int>(index))));
       return kOk;
     }},
    {L"activate-other", L"SECONDS      show a window of the driver's own, make it active, keep it S seconds",
     1, 1, false, [](HWND, wchar_t** a, int) { return ActivateOther(a[0]); }},
    {L"version", L"FILE                version resource strings of an exe", 1, 1, false,
     [](HWND, wchar_t** a, int) { return VersionInfo(a[0]); }},
    {L"icons", L"FILE                  number of icons in an exe", 1, 1, false,
     [](HWND, wchar_t** a, int) {
       const UINT count = ExtractIconExW(a[0], -1, nullptr, nullptr, 0);
       Print(Format(L"%u", count));
       return count > 0 ? kOk : kNo;
     }},
    {L"query", L"WINDOW NAME           ask the bar (layout, counts, ...) and print its UTF-8 report", 2, 2,
     true,
     [](HWND w, wchar_t** a, int) {
       if (!Ask(w, kBarQueryMagic, a[1], 0)) return kFailed;
       WriteRaw(STD_OUTPUT_HANDLE, g_reply);
       return kOk;
     }},
    {L"probe",
     L"WINDOW REQUEST SECONDS  have a bar with test switches run REQUEST (\"slides 100\"),\n"
     L"                              wait for its answer; exit 0 when it says done",
     3, 3, true, [](HWND w, wchar_t** a, int) { return Probe(w, a[1], a[2]); }},
    {L"ping", L"WINDOW                 WM_NULL with a 5 s limit; milliseconds, exit 1 on a timeout", 1, 1,
     true, [](HWND w, wchar_t**, int) { return Ping(w); }},
    {L"make-link", L"LINK TARGET [ARGS [DIR]]  write a shell link", 2, 4, false,
     [](HWND, wchar_t** a, int n) {
       return MakeLink(a[0], a[1], n > 2 ? a[2] : nullptr, n > 3 ? a[3] : nullptr);
     }},
    {L"drag-files", L"X Y FILE...      drag the files by OLE to screen point X,Y and drop them there", 3,
     INT_MAX, false,
     [](HWND, wchar_t** a, int n) {
       return Drag(a, [&] { return OfferedData::Files(std::vector<std::wstring>(a + 2, a + n)); });
     }},
    {L"drag-url", L"X Y URL [TITLE]    drag a web link (with a title: and a file descriptor) there likewise",
     3, 4, false,
     [](HWND, wchar_t** a, int n) {
       return Drag(a, [&] { return OfferedData::Link(a[2], n > 3 ? a[3] : nullptr); });
     }},
};

int Usage() {
  std::wstring text = L"usage: wendlix_driver COMMAND ARGS\n";
  for (const Command& c : kCommands) text += std::wstring(L"  ") + c.name + L" " + c.usage + L"\n";
  PrintError(text + AccessibleUsage() + L"WINDOW is a window class name or a handle written 0x...");
  return kUsage;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const int n = argc - 2;
  for (const Command& c : kCommands) {
    if (std::wcscmp(argv[1], c.name) != 0) continue;
    if (n < c.minArgs || n > c.maxArgs) return Usage();
    HWND hwnd = nullptr;
    if (c.window && !(hwnd = FindTarget(argv[2]))) {
      PrintError(std::wstring(L"no window ") + argv[2]);
      return kNo;
    }
    const int code = c.run(hwnd, argv + 2, n);
    return code == kUsage ? Usage() : code;
  }
  const int code = RunAccessibleCommand(argv[1], argv + 2, n);
  return code == -1 || code == kUsage ? Usage() : code;
}

}  // namespace

HWND FindDriverTarget(const wchar_t* name) { return FindTarget(name); }
void PrintDriverLine(const std::wstring& line) { Print(line); }

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (...) {
    PrintError(L"unexpected error");
    return kFailed;
  }
}
