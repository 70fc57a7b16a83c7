// Entry of the Win32 test exe: COM on this thread, as in the program.
#include <objbase.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
