#include "win/bar/icon_resolver.h"

#include <objbase.h>
#include <shellapi.h>

#include "win/common/wide.h"

namespace wendlix {

int AskSystemIconIndex(const std::string& path) {
  SHFILEINFOW info{};
  return SHGetFileInfoW(ToWide(path).c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX) ? info.iIcon : -1;
}

HIMAGELIST AskSystemImageList(bool large) {
  SHFILEINFOW info{};
  const UINT flags = SHGFI_SYSICONINDEX | (large ? 0 : SHGFI_SMALLICON);
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof(info), flags));
}

IconResolver::~IconResolver() {
  stop_ = true;
  Join();
}

void IconResolver::SetNotify(HWND window, UINT message) {
  window_ = window;
  message_ = message;
}

int IconResolver::Lookup(const std::string& path) {
  auto it = known_.find(path);
  if (it != known_.end()) return it->second;
  if (!window_) return known_.emplace(path, AskSystemIconIndex(path)).first->second;
  if (asked_.insert(path).second) queued_.push_back(path);
  return -1;
}

void IconResolver::AskAgain(const std::string& path) {
  if (!known_.contains(path) || asked_.contains(path)) return;
  asked_.insert(path);
  queued_.push_back(path);
}

void IconResolver::Flush() {
  if (queued_.empty() || running_) return;
  Join();
  running_ = true;
  try {
    worker_ = std::thread(&IconResolver::Run, this, std::move(queued_));
  } catch (...) {
    running_ = false;  // no thread: the icons stay blank rather than the bar failing
  }
  queued_.clear();
}

bool IconResolver::Collect() {
  std::vector<std::pair<std::string, int>> answers;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    answers.swap(answers_);
  }
  for (auto& [path, index] : answers) {
    asked_.erase(path);
    known_[path] = index;
  }
  // A batch queued while the last one ran goes now.
  Flush();
  return !answers.empty();
}

void IconResolver::Run(std::vector<std::string> batch) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (int large = 0; large < 2; ++large)
    if (!lists_[large].load()) lists_[large] = AskSystemImageList(large == 1);
  DWORD lastPost = GetTickCount();
  for (const std::string& path : batch) {
    if (stop_) break;
    const int index = AskSystemIconIndex(path);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      answers_.emplace_back(path, index);
    }
    // Answers show in steps while a long batch runs, not one paint per icon.
    if (GetTickCount() - lastPost >= 100) {
      PostMessageW(window_, message_, 0, 0);
      lastPost = GetTickCount();
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  running_ = false;
  if (!stop_) PostMessageW(window_, message_, 0, 0);
}

void IconResolver::Join() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace wendlix
