// vrx-cli: the logger and the work files from a shell, a script or a timer, over the same
// wx-free libraries as the window.
#pragma once

#include <ctime>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// Exit codes, as scripts see them.
enum CliExit : int {
  CLI_OK = 0,
  CLI_USAGE = 2,
  CLI_NO_LOGGER = 3,
  CLI_NO_PERMISSION = 4,
  CLI_TRANSFER_FAILED = 5,
  CLI_FILE_ERROR = 6,
  CLI_INTERRUPTED = 130,  // a download stopped by Ctrl+C: nothing was written
};

// What the commands take from around them. The program fills it from the process; tests
// bring their own streams, clock and pace.
struct CliEnv {
  std::ostream& out;  // data
  std::ostream& err;  // messages
  // True once the user asked to stop (Ctrl+C, SIGTERM).
  std::function<bool()> stopRequested = [] { return false; };
  // Waits `ms` milliseconds, or less once a stop is requested: the pace of live reading.
  std::function<void(int ms)> wait = [](int) {};
  // Now: set-clock --now, the live recording's start, the calibration's expiry.
  std::function<std::time_t()> now = [] { return std::time(nullptr); };
  bool showProgress = false;  // a progress line on `err` while downloading (a terminal)
};

// Runs one command line (without the program name); returns the exit code.
int RunCli(const std::vector<std::string>& args, CliEnv& env);
