// The driver's Active Accessibility commands: the bar read and operated from another process, the
// way a screen reader does (AccessibleObjectFromWindow, AccessibleChildren, accDoDefaultAction, an
// out-of-context SetWinEventHook).
#include <windows.h>
#include <oleacc.h>

#include <cstdlib>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

HWND FindDriverTarget(const wchar_t* name);
void PrintDriverLine(const std::wstring& line);

namespace {

constexpr int kOk = 0, kNo = 1, kUsage = 2, kFailed = 3;
// Not IID_IAccessible: liboleacc.a and libuuid both define it.
constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Named {
  long value;
  const wchar_t* name;
};
constexpr Named kRoles[] = {{ROLE_SYSTEM_TOOLBAR, L"toolbar"},
                            {ROLE_SYSTEM_GROUPING, L"grouping"},
                            {ROLE_SYSTEM_PUSHBUTTON, L"pushbutton"},
                            {ROLE_SYSTEM_BUTTONMENU, L"buttonmenu"},
                            {ROLE_SYSTEM_LIST, L"list"},
                            {ROLE_SYSTEM_LISTITEM, L"listitem"},
                            {ROLE_SYSTEM_STATICTEXT, L"statictext"},
                            {ROLE_SYSTEM_TEXT, L"text"},
                            {ROLE_SYSTEM_DIALOG, L"dialog"}};
constexpr Named kStates[] = {
    {STATE_SYSTEM_FOCUSED, L"focused"},         {STATE_SYSTEM_FOCUSABLE, L"focusable"},
    {STATE_SYSTEM_HOTTRACKED, L"hot"},          {STATE_SYSTEM_PRESSED, L"pressed"},
    {STATE_SYSTEM_UNAVAILABLE, L"unavailable"}, {STATE_SYSTEM_OFFSCREEN, L"offscreen"},
    {STATE_SYSTEM_SELECTED, L"selected"},       {STATE_SYSTEM_SELECTABLE, L"selectable"},
    {STATE_SYSTEM_DEFAULT, L"default"},         {STATE_SYSTEM_HASPOPUP, L"haspopup"},
    {STATE_SYSTEM_READONLY, L"readonly"},       {STATE_SYSTEM_CHECKED, L"checked"},
    {STATE_SYSTEM_INVISIBLE, L"invisible"},
};
constexpr Named kEvents[] = {
    {EVENT_OBJECT_FOCUS, L"focus"},
    {EVENT_OBJECT_SHOW, L"show"},
    {EVENT_OBJECT_HIDE, L"hide"},
    {EVENT_OBJECT_REORDER, L"reorder"},
    {EVENT_OBJECT_NAMECHANGE, L"namechange"},
    {EVENT_OBJECT_SELECTION, L"selection"},
    {EVENT_OBJECT_VALUECHANGE, L"valuechange"},
};

std::wstring RoleText(long role) {
  for (const Named& r : kRoles)
    if (r.value == role) return r.name;
  return std::to_wstring(role);
}

std::wstring StateText(long state) {
  std::wstring out;
  for (const Named& s : kStates)
    if (state & s.value) out += (out.empty() ? L"" : L",") + std::wstring(s.name);
  return out.empty() ? L"-" : out;
}

VARIANT Child(long id) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::wstring Take(BSTR text) {
  std::wstring out = text ? text : L"";
  SysFreeString(text);
  for (wchar_t& c : out)
    if (c == L'\t' || c == L'\n' || c == L'\r') c = L' ';
  return out;
}

std::wstring Name(IAccessible* object, long id) {
  BSTR name = nullptr;
  object->get_accName(Child(id), &name);
  return Take(name);
}

// PATH ROLE NAME STATE LEFT,TOP,WIDTH,HEIGHT ACTION DESCRIPTION VALUE, tab-separated.
void PrintObject(IAccessible* object, long id, const std::wstring& path) {
  VARIANT role{}, state{};
  object->get_accRole(Child(id), &role);
  object->get_accState(Child(id), &state);
  long x = 0, y = 0, w = 0, h = 0;
  object->accLocation(&x, &y, &w, &h, Child(id));
  BSTR action = nullptr, description = nullptr, value = nullptr;
  object->get_accDefaultAction(Child(id), &action);
  object->get_accDescription(Child(id), &description);
  object->get_accValue(Child(id), &value);
  wchar_t place[64];
  swprintf(place, 64, L"%ld,%ld,%ld,%ld", x, y, w, h);
  PrintDriverLine(path + L"\t" + RoleText(role.vt == VT_I4 ? role.lVal : -1) + L"\t" + Name(object, id) +
                  L"\t" + StateText(state.vt == VT_I4 ? state.lVal : 0) + L"\t" + place + L"\t" +
                  Take(action) + L"\t" + Take(description) + L"\t" + Take(value));
}

// Each child of `object`, depth first; a child that is an object of its own is walked too.
template <typename Visit>
void Walk(IAccessible* object, const std::wstring& path, Visit visit) {
  long count = 0;
  if (FAILED(object->get_accChildCount(&count)) || count <= 0) return;
  std::vector<VARIANT> children(count);
  long got = 0;
  if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got))) return;
  for (long i = 0; i < got; ++i) {
    const std::wstring here = (path == L"." ? L"" : path + L"/") + std::to_wstring(i + 1);
    VARIANT& c = children[i];
    if (c.vt == VT_DISPATCH && c.pdispVal) {
      IAccessible* inner = nullptr;
      if (SUCCEEDED(c.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&inner)))) {
        visit(inner, CHILDID_SELF, here);
        Walk(inner, here, visit);
        inner->Release();
      }
      c.pdispVal->Release();
    } else if (c.vt == VT_I4) {
      visit(object, c.lVal, here);
    }
  }
}

IAccessible* ClientObject(HWND hwnd) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

int Tree(HWND hwnd) {
  IAccessible* root = ClientObject(hwnd);
  if (!root) return kFailed;
  PrintObject(root, CHILDID_SELF, L".");
  Walk(root, L".", [](IAccessible* o, long id, const std::wstring& path) { PrintObject(o, id, path); });
  root->Release();
  return kOk;
}

int DoDefault(HWND hwnd, const std::wstring& wanted) {
  IAccessible* root = ClientObject(hwnd);
  if (!root) return kFailed;
  HRESULT hr = E_INVALIDARG;
  Walk(root, L".", [&](IAccessible* o, long id, const std::wstring& path) {
    if (path == wanted) hr = o->accDoDefaultAction(Child(id));
  });
  root->Release();
  return SUCCEEDED(hr) ? kOk : hr == E_INVALIDARG ? kNo : kFailed;
}

// Prints "ready", then each event of `names` (comma-separated) raised by `hwnd`'s process: the
// event, the object's name and its child id, until `seconds` pass.
int Events(HWND hwnd, const wchar_t* secondsText, const wchar_t* names) {
  wchar_t* end = nullptr;
  const double seconds = std::wcstod(secondsText, &end);
  if (!end || *end || seconds <= 0) return kUsage;
  static std::vector<Named> wanted;
  const std::wstring list = std::wstring(L",") + names + L",";
  for (const Named& e : kEvents)
    if (list.find(L"," + std::wstring(e.name) + L",") != std::wstring::npos) wanted.push_back(e);
  if (wanted.empty()) return kUsage;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  // Reading a name calls the bar, and the events that come in meanwhile arrive inside that call: they
  // queue, and are printed in order by the loop.
  struct Raised {
    DWORD event;
    HWND window;
    LONG object, child;
  };
  static std::deque<Raised> raised;
  const HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_MIN, EVENT_MAX, nullptr,
      [](HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
        raised.push_back({event, window, object, child});
      },
      pid, 0, WINEVENT_OUTOFCONTEXT);
  if (!hook) return kFailed;
  PrintDriverLine(L"ready");
  bool printing = false;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (printing) continue;
    printing = true;
    while (!raised.empty()) {
      const Raised r = raised.front();
      raised.pop_front();
      for (const Named& e : wanted) {
        if (e.value != static_cast<long>(r.event)) continue;
        IAccessible* source = nullptr;
        VARIANT id{};
        std::wstring name;
        if (SUCCEEDED(AccessibleObjectFromEvent(r.window, r.object, r.child, &source, &id)) && source) {
          name = Name(source, id.vt == VT_I4 ? id.lVal : CHILDID_SELF);
          source->Release();
        }
        PrintDriverLine(std::wstring(e.name) + L"\t" + name + L"\t" + std::to_wstring(r.child));
      }
    }
    printing = false;
  }
  UnhookWinEvent(hook);
  return kOk;
}

}  // namespace

// kUsage for a bad call, -1 when `name` is none of these commands.
int RunAccessibleCommand(const wchar_t* name, wchar_t** a, int n) {
  const std::wstring command = name;
  if (command != L"acc-tree" && command != L"acc-do" && command != L"acc-events") return -1;
  if (n < 1) return kUsage;
  const HWND hwnd = FindDriverTarget(a[0]);
  if (!hwnd) return kNo;
  if (FAILED(CoInitialize(nullptr))) return kFailed;
  int code = kUsage;
  if (command == L"acc-tree" && n == 1) code = Tree(hwnd);
  if (command == L"acc-do" && n == 2) code = DoDefault(hwnd, a[1]);
  if (command == L"acc-events" && n == 3) code = Events(hwnd, a[1], a[2]);
  CoUninitialize();
  return code;
}

// Usage lines for the driver's help.
const wchar_t* AccessibleUsage() {
  return L"  acc-tree WINDOW          each accessible object: PATH ROLE NAME STATE X,Y,W,H ACTION DESCRIPTION\n"
         L"                           VALUE\n"
         L"  acc-do WINDOW PATH       accDoDefaultAction on the object at PATH (as acc-tree prints it)\n"
         L"  acc-events WINDOW SECONDS EVENTS  print \"ready\", then each event of EVENTS (focus,show,hide,\n"
         L"                           reorder,namechange,selection,valuechange) of the window's process with its name\n";
}
