// The forms layer needs the application object initialised once per run.
#include <gtest/gtest.h>

#include "win/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!TheApplication.Initialize(GetModuleHandleA(nullptr))) return 2;
  TheApplication.SetTitle("Tarnwick");
  return RUN_ALL_TESTS();
}
