#include "win/app/single_instance.h"

#include <algorithm>
#include <utility>

#include "win/app/main_form.h"
#include "win/appbar/app_tool_bar.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

// How long a later start waits for the running bar's answer; a bar that does not answer
// in this time is hung, and a second bar would not help.
constexpr UINT kAnswerTimeoutMs = 5000;

std::uint64_t Fnv1a64(const wchar_t* text, size_t length) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (size_t i = 0; i < length; ++i) {
    const auto unit = static_cast<std::uint16_t>(text[i]);
    h = (h ^ (unit & 0xff)) * 0x100000001b3ull;
    h = (h ^ (unit >> 8)) * 0x100000001b3ull;
  }
  return h;
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int tries = 0; tries < 4; ++tries) {
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n == 0) return path;
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(n + 1);
  }
  return path;
}

std::wstring UpperInvariant(const std::wstring& text) {
  if (text.empty()) return text;
  std::wstring upper(text.size(), L'\0');
  const int n = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                             upper.data(), static_cast<int>(upper.size()));
  if (n <= 0) return text;
  upper.resize(static_cast<size_t>(n));
  return upper;
}

bool Acquired(DWORD wait) { return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED; }

}  // namespace

std::wstring InstanceMutexName(const std::string& configBase) {
  std::wstring path = ToWide(configBase);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  path = UpperInvariant(FullPath(path));
  // Kernel object names take no '\' beyond the namespace and are limited in length:
  // the path goes in as a hash.
  wchar_t hex[17]{};
  const std::uint64_t h = Fnv1a64(path.data(), path.size());
  for (int i = 0; i < 16; ++i) hex[i] = L"0123456789ABCDEF"[(h >> (60 - 4 * i)) & 0xf];
  return std::wstring(L"Local\\Wendlix-") + hex;
}

std::uint64_t InstanceKey(const std::wstring& mutexName) {
  return Fnv1a64(mutexName.data(), mutexName.size());
}

UINT BringForwardMessage() {
  static const UINT message = RegisterWindowMessageW(L"Wendlix.BringForward");
  return message;
}

bool BringRunningBarForward(std::uint64_t key) {
  const UINT message = BringForwardMessage();
  if (message == 0) return false;
  const auto low = static_cast<WPARAM>(static_cast<DWORD>(key));
  const auto high = static_cast<LPARAM>(static_cast<DWORD>(key >> 32));
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, TWendlixMainForm::kClassName, nullptr)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Only the process the user started may hand the foreground on.
    if (process != 0) AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, message, low, high, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs,
                            &answer) != 0 &&
        static_cast<LRESULT>(answer) == kBroughtForward) {
      return true;
    }
  }
  return false;
}

void BringBarForward(AppToolBarImpl& bar) {
  const HWND window = bar.Handle();
  if (!window) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOWNOACTIVATE);
  if (bar.AutoHide() && !bar.ShowRequested()) bar.SlideAutoHide(true);
  SetForegroundWindow(window);
}

SingleInstance::SingleInstance(const std::string& configBase)
    : name_(InstanceMutexName(configBase)), key_(InstanceKey(name_)) {}

SingleInstance::~SingleInstance() {
  Detach();
  // A mutex belongs to the thread that took it: this runs on the thread that claimed.
  if (owned_) ReleaseMutex(mutex_.get());
}

bool SingleInstance::Claim(DWORD patienceMs) {
  if (owned_) return true;
  mutex_.reset(CreateMutexW(nullptr, FALSE, name_.c_str()));
  if (!mutex_) {
    // The lock exists but belongs to a bar this process may not touch (started elevated):
    // that bar runs on these settings all the same.
    if (GetLastError() == ERROR_ACCESS_DENIED) {
      BringRunningBarForward(key_);
      return false;
    }
    return true;
  }
  const ULONGLONG start = GetTickCount64();
  DWORD step = 0;
  for (;;) {
    // WAIT_ABANDONED: the last holder ended without letting go (it crashed); its files
    // are as it last saved them, and this process takes over.
    if (Acquired(WaitForSingleObject(mutex_.get(), step))) {
      owned_ = true;
      return true;
    }
    if (BringRunningBarForward(key_)) return false;
    // No answer yet: the running bar is still creating its window, or is saving on its
    // way out. Wait for either, up to the patience given.
    const ULONGLONG waited = GetTickCount64() - start;
    if (waited >= patienceMs) return false;
    step = static_cast<DWORD>(std::min<ULONGLONG>(100, patienceMs - waited));
  }
}

void SingleInstance::Serve(HWND window, std::function<void()> comeForward) {
  Detach();
  if (!window) return;
  comeForward_ = std::move(comeForward);
  Attach(window);
  // A bar started elevated still hears a later start without elevation.
  if (const UINT message = BringForwardMessage())
    ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
}

LRESULT SingleInstance::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const UINT bring = BringForwardMessage();
  if (bring == 0 || msg != bring) return Default(msg, wp, lp);
  const std::uint64_t key =
      static_cast<DWORD>(wp) | (static_cast<std::uint64_t>(static_cast<DWORD>(lp)) << 32);
  if (key != key_) return 0;
  // The later start may end now; the slide-out takes its frames after.
  if (InSendMessage()) ReplyMessage(kBroughtForward);
  try {
    if (comeForward_) comeForward_();
  } catch (...) {
  }
  return kBroughtForward;
}

}  // namespace wendlix
