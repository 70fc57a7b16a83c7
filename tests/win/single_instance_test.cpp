#include "win/app/single_instance.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "support/win_test_support.h"
#include "win/app/main_form.h"

namespace wendlix {
namespace {

struct Job {
  std::function<bool()> work;
  bool result = false;
};

DWORD WINAPI RunJob(void* param) {
  auto* job = static_cast<Job*>(param);
  job->result = job->work();
  return 0;
}

// Runs `work` on a thread of its own (a mutex is owned per thread, as by another process) while this
// thread answers the messages sent to its windows.
bool OnOtherThread(std::function<bool()> work) {
  Job job{std::move(work)};
  HANDLE thread = CreateThread(nullptr, 0, &RunJob, &job, 0, nullptr);
  if (!thread) {
    ADD_FAILURE() << "CreateThread failed";
    return false;
  }
  const bool ended =
      testing_support::PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, {}, 60000);
  EXPECT_TRUE(ended) << "the other thread did not end within 60 s";
  if (!ended) TerminateThread(thread, 1);
  CloseHandle(thread);
  return job.result;
}

// A stand-in for the running bar: a plain window with the bar's class name.
class FakeBarWindow {
 public:
  FakeBarWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = TWendlixMainForm::kClassName;
    registered_ = RegisterClassW(&wc) != 0;
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, TWendlixMainForm::kClassName, L"bar", WS_POPUP, 0, 0, 10, 10,
                            nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~FakeBarWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (registered_) UnregisterClassW(TWendlixMainForm::kClassName, GetModuleHandleW(nullptr));
  }
  HWND Handle() const { return hwnd_; }

 private:
  bool registered_ = false;
  HWND hwnd_ = nullptr;
};

TEST(SingleInstance, OneNameForEverySpellingOfOneSettingsFile) {
  const std::wstring base = InstanceMutexName("C:\\Wendlix\\Wendlix");
  EXPECT_EQ(0u, base.rfind(L"Local\\Wendlix-", 0)) << "a session-local name";
  EXPECT_EQ(std::wstring::npos, base.find(L'\\', 6)) << "no '\\' beyond the namespace";
  for (const char* same : {"c:\\wendlix\\WENDLIX", "C:/Wendlix/Wendlix", "C:\\Wendlix\\sub\\..\\Wendlix",
                           "C:\\Wendlix\\.\\Wendlix"}) {
    EXPECT_EQ(base, InstanceMutexName(same)) << same;
  }
  for (const char* other : {"C:\\Wendlix\\Wendlix2", "D:\\Wendlix\\Wendlix", "C:\\Wendlix"}) {
    EXPECT_NE(base, InstanceMutexName(other)) << other;
  }
  // Chinese folder names fold case too, and the name stays short whatever the path.
  EXPECT_EQ(InstanceMutexName("C:\\用户\\Wendlix"), InstanceMutexName("c:\\用户\\WENDLIX"));
  EXPECT_NE(InstanceMutexName("C:\\用户\\Wendlix"), InstanceMutexName("C:\\用戶\\Wendlix"));
  const std::wstring longName = InstanceMutexName("C:\\" + std::string(5000, 'a') + "\\Wendlix");
  EXPECT_LT(longName.size(), 40u);
  EXPECT_NE(InstanceKey(base), InstanceKey(InstanceMutexName("C:\\Wendlix\\Wendlix2")));
}

TEST(SingleInstance, ALaterStartBringsTheRunningBarForwardAndEnds) {
  const std::string path = "C:\\wendlix-test\\single\\Wendlix";
  FakeBarWindow window;
  ASSERT_NE(nullptr, window.Handle());
  int broughtForward = 0;
  {
    SingleInstance running(path);
    ASSERT_TRUE(running.Claim());
    running.Serve(window.Handle(), [&] { ++broughtForward; });

    // Another spelling of the same file: the running bar is asked, the later start gives way.
    EXPECT_FALSE(OnOtherThread([] { return SingleInstance("c:/WENDLIX-TEST/single/wendlix").Claim(5000); }));
    EXPECT_EQ(1, broughtForward);
    // Another settings file runs a bar of its own; the running one is not disturbed.
    EXPECT_TRUE(OnOtherThread([] { return SingleInstance("C:\\wendlix-test\\other\\Wendlix").Claim(5000); }));
    // A bar only answers its own key.
    EXPECT_FALSE(OnOtherThread([] { return BringRunningBarForward(InstanceKey(L"Local\\Wendlix-other")); }));
    EXPECT_EQ(1, broughtForward);
  }
  // The running bar has ended: the next start claims, and the window no longer answers.
  EXPECT_TRUE(OnOtherThread([&] { return SingleInstance(path).Claim(5000); }));
  EXPECT_FALSE(OnOtherThread([&] { return BringRunningBarForward(InstanceKey(InstanceMutexName(path))); }));
  EXPECT_EQ(1, broughtForward);
}

TEST(SingleInstance, AHolderThatDoesNotAnswerKeepsTheLockAndACrashedOneGivesItUp) {
  const std::string path = "C:\\wendlix-test\\silent\\Wendlix";
  {
    // Holding the lock but with no window yet (still starting): the later start waits, then ends
    // rather than docking a second bar.
    SingleInstance starting(path);
    ASSERT_TRUE(starting.Claim());
    EXPECT_FALSE(OnOtherThread([&] { return SingleInstance(path).Claim(300); }));
  }
  // A holder that ended without letting go (a crash) leaves the lock abandoned: the next start takes it.
  const std::wstring name = InstanceMutexName(path);
  HANDLE crashed = nullptr;
  ASSERT_TRUE(OnOtherThread([&] {
    crashed = CreateMutexW(nullptr, FALSE, name.c_str());
    return crashed && WaitForSingleObject(crashed, 0) == WAIT_OBJECT_0;
  }));
  EXPECT_TRUE(OnOtherThread([&] { return SingleInstance(path).Claim(5000); }));
  CloseHandle(crashed);
}

}  // namespace
}  // namespace wendlix
