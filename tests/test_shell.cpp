#include <gtest/gtest.h>

#include "engine/ddraw.h"
#include "game/units.h"
#include "shell/winmain.h"
#include "support/fake_time.h"

namespace {

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::reset_windows();
    fake::Clock::install();
    fake::Keys::install();
  }
  void TearDown() override {
    fake::Keys::uninstall();
    fake::Clock::uninstall();
    plat::reset_windows();
  }
  // Frame n is the n-th query of Escape: the frame's first step asks for it
  // exactly once while the battle goes on.
  int frames = 0;
};

TEST_F(Shell, EscapeEndsTheRunOnALaterPassAndShutsDown) {
  fake::Keys::on_query = [this](int vk) {
    if (vk != VK_ESCAPE) return;
    ++frames;
    fake::Keys::down[VK_ESCAPE] = frames == 3;
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  // Frame 3 posts WM_DESTROY; pass 4 dispatches it (quit posted) and still
  // runs its frame; pass 5 takes WM_QUIT and leaves without a frame.
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(lpdd, nullptr) << "shut-down released the display";
  EXPECT_EQ(turn, 1) << "Setup ran";
}

TEST_F(Shell, OneMessagePerFrame) {
  fake::Keys::on_query = [this](int vk) {
    if (vk != VK_ESCAPE) return;
    if (++frames == 1)
      for (int i = 0; i < 3; ++i) plat::post_message(main_window_handle, WM_PAINT, 0, 0);
    fake::Keys::down[VK_ESCAPE] = frames == 1;
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  // Three paints, then WM_DESTROY, each taken on its own pass, then WM_QUIT.
  EXPECT_EQ(frames, 5);
}

TEST_F(Shell, ClosingTheWindowEndsTheRunThroughDestroy) {
  fake::Keys::on_query = [this](int vk) {
    if (vk == VK_ESCAPE && ++frames == 2) plat::request_close(main_window_handle);
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  // Pass 3 takes WM_CLOSE: the window is destroyed and WM_DESTROY posts the
  // quit; pass 4 takes WM_QUIT.
  EXPECT_EQ(frames, 3);
  EXPECT_FALSE(plat::is_window(main_window_handle));
}

TEST(WindowProcTest, AnswersItsThreeMessagesAndLeavesTheRest) {
  plat::reset_windows();
  plat::WindowClass wc{"TESTCLASS", WindowProc};
  ASSERT_TRUE(plat::register_class(wc));
  HWND w = plat::create_window("TESTCLASS", "t", 0, 0, 32, 32);
  ASSERT_NE(w, nullptr);
  plat::Message m;
  while (plat::peek_message(&m)) {
  }
  EXPECT_EQ(WindowProc(w, WM_PAINT, 0, 0), 0);
  EXPECT_FALSE(plat::peek_message(&m)) << "painting queues nothing";
  EXPECT_EQ(WindowProc(w, WM_DESTROY, 0, 0), 0);
  ASSERT_TRUE(plat::peek_message(&m));
  EXPECT_EQ(m.id, WM_QUIT);
  EXPECT_EQ(m.wparam, 0u);
  EXPECT_TRUE(plat::is_window(w)) << "WM_DESTROY alone does not destroy the window";
  plat::reset_windows();
}

}  // namespace
