// A small console program that end-to-end cases run beside the bar, in the same Wine prefix and on the
// same display, to look at and act on its windows from outside. Output is UTF-8 on stdout, one answer
// per line. Exit codes: 0 done / found, 1 not found or condition not met, 2 bad usage, 3 call failed.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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
void Print(const std::wstring& line) {
  const std::string bytes = Utf8(line) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
}

void PrintError(const std::wstring& line) {
  const std::string bytes = "wendlix_driver: " + Utf8(line) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
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

HWND WaitFor(const wchar_t* name, double seconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
  for (;;) {
    if (HWND hwnd = FindTarget(name)) return hwnd;
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(kPollMs);
  }
}

bool ParseSeconds(const wchar_t* text, double& seconds) {
  wchar_t* end = nullptr;
  seconds = wcstod(text, &end);
  return end && *end == L'\0' && seconds >= 0 && seconds < 3600;
}

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT reaches controls of another process too; GetWindowText would not.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM parent) {
  // Only direct children; deeper ones are reached by naming a child's handle.
  if (GetAncestor(hwnd, GA_PARENT) != reinterpret_cast<HWND>(parent)) return TRUE;
  RECT r{};
  GetWindowRect(hwnd, &r);
  Print(HandleText(hwnd) + L"\t" + ClassOf(hwnd) + L"\t" + RectText(r) +
        Format(L"\t%d\t", IsWindowVisible(hwnd) ? 1 : 0) + WindowText(hwnd));
  return TRUE;
}

// Asks the shell where an appbar on EDGE of the given thickness may go, as a newcomer would, and removes
// the probe again. Other appbars already on that edge push the answer inwards.
int AppBarQuery(const wchar_t* edgeName, long long thickness) {
  static const wchar_t* const kEdges[] = {L"left", L"top", L"right", L"bottom"};
  UINT edge = 4;
  for (UINT i = 0; i < 4; ++i) {
    if (_wcsicmp(edgeName, kEdges[i]) == 0) edge = i;
  }
  if (edge == 4 || thickness <= 0) return kUsage;
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
  data.uEdge = edge;
  data.rc = RECT{0, 0, width, height};
  switch (edge) {
    case ABE_LEFT: data.rc.right = static_cast<LONG>(thickness); break;
    case ABE_TOP: data.rc.bottom = static_cast<LONG>(thickness); break;
    case ABE_RIGHT: data.rc.left = width - static_cast<LONG>(thickness); break;
    default: data.rc.top = height - static_cast<LONG>(thickness); break;
  }
  SHAppBarMessage(ABM_QUERYPOS, &data);
  Print(RectText(data.rc));
  SHAppBarMessage(ABM_REMOVE, &data);
  DestroyWindow(probe);
  return kOk;
}

// Takes the activation away from everyone else with a plain window of this process, in the middle of the
// screen, and keeps it (pumping messages) for the given time; prints its handle once it is active.
int ActivateOther(double seconds) {
  HWND other = CreateWindowExW(0, L"STATIC", L"wendlix-other-window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400,
                               300, 200, 150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!other) return kFailed;
  SetForegroundWindow(other);
  SetActiveWindow(other);
  Print(HandleText(other));
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
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

// The bar's inspection channel: WM_COPYDATA with this tag, answered the same way.
constexpr ULONG_PTR kBarQueryMagic = 0x57584251;
std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK QueryWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
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

// A message-only window that takes the bar's WM_COPYDATA answer.
HWND MakeReplyWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = QueryWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"WendlixDriverQuery";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                         nullptr);
}

int Query(HWND bar, const std::wstring& name) {
  const HWND self = MakeReplyWindow();
  if (!self) return kFailed;
  const std::string utf8 = Utf8(name);
  COPYDATASTRUCT data{kBarQueryMagic, static_cast<DWORD>(utf8.size()), const_cast<char*>(utf8.data())};
  DWORD_PTR result = 0;
  // The bar answers from inside this call; the answer arrives while the driver waits.
  const bool sent =
      SendMessageTimeoutW(bar, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                          SMTO_ABORTIFHUNG, 10000, &result) != 0;
  DestroyWindow(self);
  if (!sent || !g_replied) return kFailed;
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), g_reply.data(), static_cast<DWORD>(g_reply.size()), &written,
            nullptr);
  return kOk;
}

// A bar started with WENDLIX_TEST_SWITCHES=1 runs a batch of its own code paths on request and answers
// when the batch is over; the driver waits for that answer up to `seconds`, pumping its messages.
constexpr ULONG_PTR kProbeMagic = 0x57584254;

int Probe(HWND bar, const std::wstring& request, double seconds) {
  const HWND self = MakeReplyWindow();
  if (!self) return kFailed;
  const std::string utf8 = Utf8(request);
  COPYDATASTRUCT data{kProbeMagic, static_cast<DWORD>(utf8.size()), const_cast<char*>(utf8.data())};
  DWORD_PTR result = 0;
  const bool taken = SendMessageTimeoutW(bar, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                                         reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result) != 0 &&
                     result != 0;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
  while (taken && !g_replied && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DestroyWindow(self);
  if (!taken) {
    PrintError(L"the bar took no request (are its test switches on?)");
    return kFailed;
  }
  if (!g_replied) {
    PrintError(L"no answer within the time given");
    return kFailed;
  }
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

// A file list as a drag source offers it: CF_HDROP only.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(const std::vector<std::wstring>& files) {
    std::wstring list;
    for (const std::wstring& f : files) list += f + L'\0';
    list += L'\0';
    bytes_.resize(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(bytes_.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(bytes_.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
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
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!global) return E_OUTOFMEMORY;
    memcpy(GlobalLock(global), bytes_.data(), bytes_.size());
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<BYTE> bytes_;
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

int DragFiles(int x, int y, const std::vector<std::wstring>& files) {
  if (FAILED(OleInitialize(nullptr))) return kFailed;
  SetCursorPos(x, y);
  FileListData data(files);
  DropSoon source;
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  OleUninitialize();
  Print(Format(L"%ls effect %lu", hr == DRAGDROP_S_DROP ? L"dropped" : L"cancelled", effect));
  return hr == DRAGDROP_S_DROP ? kOk : kNo;
}

// A web link as a browser offers it: the wide address format, the same text, and with a title a file
// descriptor naming "<title>.url".
class LinkData final : public IDataObject {
 public:
  LinkData(const std::wstring& url, const std::wstring* title) {
    const std::wstring z = url + L'\0';
    const auto text = reinterpret_cast<const BYTE*>(z.c_str());
    Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW")), text, z.size() * 2);
    Add(CF_UNICODETEXT, text, z.size() * 2);
    if (title) {
      FILEGROUPDESCRIPTORW group{};
      group.cItems = 1;
      group.fgd[0].dwFlags = FD_ATTRIBUTES;
      wcsncpy(group.fgd[0].cFileName, (*title + L".url").c_str(), MAX_PATH - 1);
      Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_FILEDESCRIPTORW)),
          reinterpret_cast<const BYTE*>(&group), sizeof(group));
    }
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

int DragUrl(int x, int y, const std::wstring& url, const std::wstring* title) {
  if (FAILED(OleInitialize(nullptr))) return kFailed;
  SetCursorPos(x, y);
  LinkData data(url, title);
  DropSoon source;
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  OleUninitialize();
  Print(Format(L"%ls effect %lu", hr == DRAGDROP_S_DROP ? L"dropped" : L"cancelled", effect));
  return hr == DRAGDROP_S_DROP ? kOk : kNo;
}

int Usage() {
  PrintError(
      L"usage: wendlix_driver COMMAND ARGS\n"
      L"  find WINDOW                 print the handle; exit 1 when there is none\n"
      L"  wait WINDOW SECONDS         wait until the window exists, print its handle\n"
      L"  wait-gone WINDOW SECONDS    wait until the window no longer exists\n"
      L"  rect WINDOW                 left top right bottom, screen coordinates\n"
      L"  client-rect WINDOW          the client area in screen coordinates\n"
      L"  title WINDOW                the window text\n"
      L"  style WINDOW                style and extended style, hexadecimal\n"
      L"  visible WINDOW              exit 0 when visible, 1 when hidden\n"
      L"  pid WINDOW                  the owning process id\n"
      L"  children WINDOW             handle, class, rect, visible, text of each direct child\n"
      L"  close WINDOW                post WM_CLOSE\n"
      L"  set-text WINDOW ID TEXT     set the text of the window's control ID (its edits send EN_CHANGE)\n"
      L"  click WINDOW ID             post BM_CLICK to the window's control ID\n"
      L"  post WINDOW MSG WPARAM LPARAM   post a message\n"
      L"  send WINDOW MSG WPARAM LPARAM   send a message (5 s limit), print the result\n"
      L"  acp                         the ANSI and OEM code pages\n"
      L"  workarea                    the work area of the primary monitor\n"
      L"  screen                      width and height of the primary screen\n"
      L"  appbar-query EDGE THICKNESS where a new appbar on left|top|right|bottom would go\n"
      L"  metric INDEX                GetSystemMetrics(INDEX)\n"
      L"  activate-other SECONDS      show a window of the driver's own, make it active, keep it S seconds\n"
      L"  version FILE                version resource strings of an exe\n"
      L"  icons FILE                  number of icons in an exe\n"
      L"  query WINDOW NAME           ask the bar (layout, counts, ...) and print its UTF-8 report\n"
      L"  probe WINDOW REQUEST SECONDS  have a bar with test switches run REQUEST (\"slides 100\"),\n"
      L"                              wait for its answer; exit 0 when it says done\n"
      L"  ping WINDOW                 WM_NULL with a 5 s limit; milliseconds, exit 1 on a timeout\n"
      L"  make-link LINK TARGET [ARGS [DIR]]  write a shell link\n"
      L"  drag-files X Y FILE...      drag the files by OLE to screen point X,Y and drop them there\n"
      L"  drag-url X Y URL [TITLE]    drag a web link (with a title: and a file descriptor) there likewise\n"
      L"WINDOW is a window class name or a handle written 0x...");
  return kUsage;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  const auto need = [argc](int count) { return argc == count + 2; };

  if (command == L"workarea" && need(0)) {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return kFailed;
    Print(RectText(r));
    return kOk;
  }
  if (command == L"acp" && need(0)) {
    Print(Format(L"%u %u", GetACP(), GetOEMCP()));
    return kOk;
  }
  if (command == L"screen" && need(0)) {
    Print(Format(L"%d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    return kOk;
  }
  if (command == L"appbar-query" && need(2)) {
    long long thickness = 0;
    if (!ParseNumber(argv[3], thickness)) return Usage();
    const int result = AppBarQuery(argv[2], thickness);
    return result == kUsage ? Usage() : result;
  }
  if (command == L"metric" && need(1)) {
    long long index = 0;
    if (!ParseNumber(argv[2], index)) return Usage();
    Print(Format(L"%d", GetSystemMetrics(static_cast<int>(index))));
    return kOk;
  }
  if (command == L"activate-other" && need(1)) {
    double seconds = 0;
    if (!ParseSeconds(argv[2], seconds)) return Usage();
    return ActivateOther(seconds);
  }
  if (command == L"version" && need(1)) return VersionInfo(argv[2]);
  if (command == L"icons" && need(1)) {
    const UINT count = ExtractIconExW(argv[2], -1, nullptr, nullptr, 0);
    Print(Format(L"%u", count));
    return count > 0 ? kOk : kNo;
  }
  if (command == L"drag-files" && argc >= 5) {
    long long x = 0, y = 0;
    if (!ParseNumber(argv[2], x) || !ParseNumber(argv[3], y)) return Usage();
    std::vector<std::wstring> files(argv + 4, argv + argc);
    return DragFiles(static_cast<int>(x), static_cast<int>(y), files);
  }
  if (command == L"drag-url" && (need(3) || need(4))) {
    long long x = 0, y = 0;
    if (!ParseNumber(argv[2], x) || !ParseNumber(argv[3], y)) return Usage();
    const std::wstring url = argv[4];
    const std::wstring title = argc > 5 ? argv[5] : L"";
    return DragUrl(static_cast<int>(x), static_cast<int>(y), url, argc > 5 ? &title : nullptr);
  }
  if (command == L"make-link" && argc >= 4) {
    return MakeLink(argv[2], argv[3], argc > 4 ? argv[4] : nullptr, argc > 5 ? argv[5] : nullptr);
  }
  if (command == L"query" && need(2)) {
    HWND bar = FindTarget(argv[2]);
    if (!bar) {
      PrintError(std::wstring(L"no window ") + argv[2]);
      return kNo;
    }
    return Query(bar, argv[3]);
  }
  if ((command == L"probe" && need(3)) || (command == L"ping" && need(1))) {
    HWND bar = FindTarget(argv[2]);
    if (!bar) {
      PrintError(std::wstring(L"no window ") + argv[2]);
      return kNo;
    }
    if (command == L"ping") return Ping(bar);
    double seconds = 0;
    if (!ParseSeconds(argv[4], seconds)) return Usage();
    return Probe(bar, argv[3], seconds);
  }
  if ((command == L"wait" || command == L"wait-gone") && need(2)) {
    double seconds = 0;
    if (!ParseSeconds(argv[3], seconds)) return Usage();
    if (command == L"wait") {
      HWND hwnd = WaitFor(argv[2], seconds);
      if (!hwnd) return kNo;
      Print(HandleText(hwnd));
      return kOk;
    }
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
    while (FindTarget(argv[2])) {
      if (GetTickCount64() >= deadline) return kNo;
      Sleep(kPollMs);
    }
    return kOk;
  }

  // Everything below acts on one existing window.
  if (argc < 3) return Usage();
  HWND hwnd = FindTarget(argv[2]);
  const bool simple = need(1);
  if (command == L"find" && simple) {
    if (!hwnd) return kNo;
    Print(HandleText(hwnd));
    return kOk;
  }
  const bool known = command == L"rect" || command == L"client-rect" || command == L"title" ||
                     command == L"style" || command == L"visible" || command == L"pid" ||
                     command == L"children" || command == L"close" || command == L"post" ||
                     command == L"send" || command == L"set-text" || command == L"click";
  if (!known) return Usage();
  if (!hwnd) {
    PrintError(std::wstring(L"no window ") + argv[2]);
    return kNo;
  }
  if (command == L"rect" && simple) {
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) return kFailed;
    Print(RectText(r));
    return kOk;
  }
  if (command == L"client-rect" && simple) {
    RECT r{};
    if (!GetClientRect(hwnd, &r)) return kFailed;
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    Print(RectText(r));
    return kOk;
  }
  if (command == L"title" && simple) {
    Print(WindowText(hwnd));
    return kOk;
  }
  if (command == L"style" && simple) {
    Print(Format(L"0x%08lx 0x%08lx", static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                 static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE))));
    return kOk;
  }
  if (command == L"visible" && simple) return IsWindowVisible(hwnd) ? kOk : kNo;
  if (command == L"pid" && simple) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    Print(Format(L"%lu", static_cast<unsigned long>(pid)));
    return kOk;
  }
  if (command == L"children" && simple) {
    EnumChildWindows(hwnd, PrintChild, reinterpret_cast<LPARAM>(hwnd));
    return kOk;
  }
  if (command == L"close" && simple) return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? kOk : kFailed;
  if ((command == L"set-text" && need(3)) || (command == L"click" && need(2))) {
    long long id = 0;
    if (!ParseNumber(argv[3], id)) return Usage();
    HWND control = GetDlgItem(hwnd, static_cast<int>(id));
    if (!control) {
      PrintError(Format(L"no control %lld", id));
      return kNo;
    }
    DWORD_PTR result = 0;
    if (command == L"click") return PostMessageW(control, BM_CLICK, 0, 0) ? kOk : kFailed;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG,
                               5000, &result)
               ? kOk
               : kFailed;
  }
  if ((command == L"post" || command == L"send") && need(4)) {
    long long message = 0, wparam = 0, lparam = 0;
    if (!ParseNumber(argv[3], message) || !ParseNumber(argv[4], wparam) || !ParseNumber(argv[5], lparam)) {
      return Usage();
    }
    const auto msg = static_cast<UINT>(message);
    const auto wp = static_cast<WPARAM>(wparam);
    const auto lp = static_cast<LPARAM>(lparam);
    if (command == L"post") return PostMessageW(hwnd, msg, wp, lp) ? kOk : kFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return kFailed;
    Print(Format(L"%lld", static_cast<long long>(result)));
    return kOk;
  }
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (...) {
    PrintError(L"unexpected error");
    return kFailed;
  }
}
