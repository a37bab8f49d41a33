#include "engine/error_log.h"

#include <cstdarg>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/clock.h"

FILE* fp_error = nullptr;

namespace {
// Most messages fit here; longer ones are formatted into a buffer of their
// own size, so nothing is cut and nothing is written past a buffer.
constexpr size_t kMessageBuffer = 80;
constexpr size_t kStampBuffer = 280;
}  // namespace

int Write_Error(const char* string, ...) {
  if (!string || !fp_error) return 0;
  char buffer[kMessageBuffer];
  va_list args;
  va_start(args, string);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(buffer, sizeof buffer, string, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    return 0;
  }
  if (static_cast<size_t>(length) < sizeof buffer) {
    std::fwrite(buffer, 1, length, fp_error);
  } else {
    std::vector<char> big(static_cast<size_t>(length) + 1);
    std::vsnprintf(big.data(), big.size(), string, again);
    std::fwrite(big.data(), 1, length, fp_error);
  }
  va_end(again);
  std::fflush(fp_error);
  return 1;
}

int Open_Error_File(const char* filename, FILE* fp_override) {
  if (!filename) filename = "";
  if (fp_override) {
    fp_error = fp_override;
  } else {
    fp_error = std::fopen(filename, "w");
    if (!fp_error) return 0;
  }

  // The calendar seam counts whole seconds; the milliseconds past the second
  // come from the tick counter.
  std::time_t now = plat::calendar_time();
  unsigned short millis = static_cast<unsigned short>(plat::ticks() % 1000);
  const char* text = std::ctime(&now);
  char stamp[kStampBuffer];
  if (text && std::strlen(text) >= 20)
    std::snprintf(stamp, sizeof stamp, "%.19s.%hu, %s", text, millis, text + 20);
  else
    std::snprintf(stamp, sizeof stamp, "(no time).%hu, \n", millis);

  Write_Error("\nOpening Error Output File (%s) on %s\n", filename, stamp);

  if (!fp_override) {
    // Reopen for appending so the opening line stays and the rest follows it.
    std::fclose(fp_error);
    fp_error = std::fopen(filename, "a+");
    if (!fp_error) return 0;
  }
  return 1;
}

int Close_Error_File() {
  if (!fp_error) return 0;
  Write_Error("\nClosing Error Output File.");
  if (fp_error != stdout && fp_error != stderr) std::fclose(fp_error);
  fp_error = nullptr;
  return 1;
}
