#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/ddraw.h"
#include "game/units.h"
#include "shell/winmain.h"

// With no display to open the run fails at once: non-zero, a message, and
// nothing of the game started.
TEST(ShellWithoutDisplay, FailsBeforeTheGameStarts) {
  setenv("SDL_VIDEODRIVER", "no-such-display", 1);
  testing::internal::CaptureStderr();
  int result = WinMain(nullptr, nullptr, nullptr, 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(result, 0);
  EXPECT_NE(err.find("graphical display is needed"), std::string::npos) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line";
  EXPECT_EQ(main_window_handle, nullptr);
  EXPECT_EQ(lpdd, nullptr) << "Game_Init did not run";
  EXPECT_EQ(turn, 0) << "Setup did not run";
}
