// Finds the shell's system icon index of each target off the user-interface thread: the
// shell reads every shortcut and its target to answer, which for a bar of many shortcuts
// would hold up the first paint. Unknown icons are asked for in one batch after a paint;
// the window hears when answers arrived and paints again.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace wendlix {

// The shell's answer for one path, asked on the calling thread; -1 when it has none.
int AskSystemIconIndex(const std::string& path);
// The shell's system image list of 32x32 icons when `large`, else of 16x16 ones, asked on the
// calling thread.
HIMAGELIST AskSystemImageList(bool large);

class IconResolver {
 public:
  IconResolver() = default;
  ~IconResolver();
  IconResolver(const IconResolver&) = delete;
  IconResolver& operator=(const IconResolver&) = delete;

  // Where to post `message` when answers arrived; without a window, look-ups answer at once.
  void SetNotify(HWND window, UINT message);
  // The index when known; otherwise the path is queued and the answer is -1 for now.
  int Lookup(const std::string& path);
  // The path's file may have been rewritten: its index is asked for again with the next
  // batch; until the answer comes, the old one stands.
  void AskAgain(const std::string& path);
  // Starts asking for the queued paths unless a batch is still under way.
  void Flush();
  // Takes the answers that arrived; true when there were any.
  bool Collect();
  // The system image list (of 32x32 icons when `large`) the indices are of, once a batch has asked for it:
  // null before. The worker asks first, so that the window never waits for the shell, which answers one
  // thread at a time, while a batch runs.
  HIMAGELIST ImageList(bool large) const { return lists_[large ? 1 : 0].load(); }

 private:
  void Run(std::vector<std::string> batch);
  void Join();

  HWND window_ = nullptr;
  UINT message_ = 0;
  std::unordered_map<std::string, int> known_;
  std::unordered_set<std::string> asked_;  // queued or in flight
  std::vector<std::string> queued_;
  std::mutex mutex_;
  std::vector<std::pair<std::string, int>> answers_;
  std::thread worker_;
  std::atomic<bool> running_{false};
  std::atomic<HIMAGELIST> lists_[2] = {nullptr, nullptr};
  std::atomic<bool> stop_{false};
};

}  // namespace wendlix
