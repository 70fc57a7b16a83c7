// Entry of the Win32 test exe: COM on this thread, as in the program.
#include <gtest/gtest.h>
#include <objbase.h>

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
