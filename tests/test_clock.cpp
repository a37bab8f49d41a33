#include <gtest/gtest.h>

#include "engine/frame_clock.h"
#include "support/fake_time.h"

namespace {

struct Step {
  static inline uint32_t now = 0;
  static inline uint32_t reads = 0;
  static inline uint32_t slept = 0;
  static inline uint32_t per_read = 0;  // time that passes with each reading
  static uint32_t ticks() {
    ++reads;
    now += per_read;
    return now - per_read;
  }
  static void sleep(uint32_t ms) { slept += ms, now += ms; }
};

class Clock : public ::testing::Test {
 protected:
  void SetUp() override {
    Step::now = Step::reads = Step::slept = Step::per_read = 0;
    static const plat::ClockSource source{Step::ticks, Step::sleep, nullptr};
    plat::set_clock_source(&source);
  }
  void TearDown() override { plat::set_clock_source(nullptr); }
};

TEST_F(Clock, StartStoresAndReturnsTheTick) {
  Step::now = 1234;
  EXPECT_EQ(Start_Clock(), 1234u);
  EXPECT_EQ(start_clock_count, 1234u);
  EXPECT_EQ(Get_Clock(), 1234u);
}

TEST_F(Clock, ReturnsAtOnceWhenThePeriodHasPassed) {
  Step::now = 100;
  Start_Clock();
  Step::now = 140;
  EXPECT_EQ(Wait_Clock(30), 140u);
  EXPECT_EQ(Wait_Clock(0), 140u);
  EXPECT_EQ(Step::slept, 0u);
}

TEST_F(Clock, SleepsMostOfTheWaitAndNeverReturnsEarly) {
  Step::now = 500;
  Step::per_read = 1;
  Start_Clock();
  uint32_t end = Wait_Clock(30);
  EXPECT_GE(end - 500, 30u);
  EXPECT_GT(Step::slept, 20u) << "the wait sleeps instead of spinning";
}

TEST_F(Clock, MeasuresAcrossTheCounterWrap) {
  Step::now = 0xFFFFFFFFu - 15;  // 16 ms before the wrap
  Start_Clock();
  Step::now = 14;  // 30 ms later
  EXPECT_EQ(Wait_Clock(30), 14u);
  EXPECT_EQ(Step::slept, 0u);
  Step::per_read = 1;
  EXPECT_GE(Wait_Clock(31) - 14, 1u) << "31 ms needs one more";
  EXPECT_EQ(Step::slept, 0u) << "the last stretch is polled";
}

TEST_F(Clock, WithoutAStartMeasuresFromTheStoredCount) {
  start_clock_count = 0;
  Step::now = 50;
  EXPECT_EQ(Wait_Clock(30), 50u);
}

}  // namespace
