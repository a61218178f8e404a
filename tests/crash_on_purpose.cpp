// Crashes at once, on purpose. tools/windows runs it before the tests, to show
// that a crash under wine ends the program with its backtrace in the log, and
// is reported as a crash, rather than waiting for a click in a dialog.
#include <cstdio>

int main() {
  std::puts("crashing on purpose");
  std::fflush(stdout);
  volatile int* nowhere = nullptr;
  return *nowhere;
}
