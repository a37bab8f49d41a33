#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ddraw.h"
#include "engine/error_log.h"
#include "engine_fixture.h"

namespace {

constexpr std::time_t kFixedTime = 1700000000;

std::time_t fixed_calendar() { return kFixedTime; }
uint32_t ticks_7_past() { return 5007; }

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string expected_stamp() {
  std::time_t t = kFixedTime;
  std::string text = std::ctime(&t);
  return text.substr(0, 19) + ".7, " + text.substr(20);
}

class ErrorLog : public ::testing::Test {
 protected:
  void SetUp() override {
    static const plat::ClockSource source{ticks_7_past, nullptr, fixed_calendar};
    plat::set_clock_source(&source);
    path_ = ::testing::TempDir() + "ERROR.TXT";
    std::remove(path_.c_str());
  }
  void TearDown() override {
    Close_Error_File();
    plat::set_clock_source(nullptr);
  }
  std::string path_;
};

TEST_F(ErrorLog, OpeningLineMessagesAndClosingLine) {
  ASSERT_EQ(Open_Error_File(path_.c_str()), 1);
  EXPECT_EQ(Write_Error("\npixel format = %d", 16), 1);
  EXPECT_EQ(Close_Error_File(), 1);
  EXPECT_EQ(Close_Error_File(), 0);
  EXPECT_EQ(slurp(path_), "\nOpening Error Output File (" + path_ + ") on " + expected_stamp() +
                              "\n\npixel format = 16\nClosing Error Output File.");
}

TEST_F(ErrorLog, ClosedLogWritesNothing) {
  EXPECT_EQ(Write_Error("\nnothing %d", 1), 0);
  ASSERT_EQ(Open_Error_File(path_.c_str()), 1);
  EXPECT_EQ(Write_Error(nullptr), 0);
}

TEST_F(ErrorLog, UnopenableFileLeavesTheLogClosed) {
  EXPECT_EQ(Open_Error_File("/nonexistent-dir/for/sure/ERROR.TXT"), 0);
  EXPECT_EQ(fp_error, nullptr);
  EXPECT_EQ(Write_Error("\nx"), 0);
}

// Messages longer than the message buffer arrive whole (the opening line of
// a long file name among them).
TEST_F(ErrorLog, LongFileNamesAndMessagesArriveWhole) {
  std::string long_path = ::testing::TempDir() + std::string(120, 'n') + ".log";
  std::string long_message(300, 'm');
  ASSERT_EQ(Open_Error_File(long_path.c_str()), 1);
  EXPECT_EQ(Write_Error("\n%s!", long_message.c_str()), 1);
  Close_Error_File();
  std::string log = slurp(long_path);
  EXPECT_NE(log.find("(" + long_path + ") on "), std::string::npos);
  EXPECT_NE(log.find("\n" + long_message + "!\nClosing"), std::string::npos);
  std::remove(long_path.c_str());
}

TEST_F(ErrorLog, StandardOutputOverrideStaysOpen) {
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(Open_Error_File("CONSOLE", stdout), 1);
  EXPECT_EQ(Close_Error_File(), 1);
  EXPECT_NE(std::fputs("still open", stdout), EOF);
  std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "\nOpening Error Output File (CONSOLE) on " + expected_stamp() +
                     "\n\nClosing Error Output File.still open");
  EXPECT_EQ(std::ifstream("CONSOLE").good(), false);
}

TEST_F(ErrorLog, DisplayStartUpLogsItsPixelFormat) {
  ASSERT_TRUE(open_main_window());
  ASSERT_EQ(Open_Error_File(path_.c_str()), 1);
  ASSERT_EQ(DDraw_Init(800, 600, 16, 1), 1);
  DDraw_Shutdown();
  Close_Error_File();
  EXPECT_NE(slurp(path_).find("\npixel format = 16\npixel format = 5.6.5\nClosing"),
            std::string::npos);
}

}  // namespace
