// vrx-cli: the process around RunCli — its streams, Ctrl+C, and the pace of live reading.
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "cli/Cli.h"

namespace {

volatile sig_atomic_t g_stop = 0;

// The first Ctrl+C (or SIGTERM) asks the command to stop cleanly: live reading is stopped on
// the logger, a download leaves no file. A second one ends the program at once.
void OnStopSignal(int) {
  if (g_stop) _exit(130);
  g_stop = 1;
}

// Sleeps in short steps so a stop request is seen within a tenth of a second.
void Wait(int ms) {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long deadline = now.tv_sec * 1000LL + now.tv_nsec / 1000000 + ms;
  while (!g_stop) {
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long left = deadline - (now.tv_sec * 1000LL + now.tv_nsec / 1000000);
    if (left <= 0) return;
    const long long step = std::min(left, 100LL);
    const timespec pause{static_cast<time_t>(step / 1000),
                         static_cast<long>(step % 1000) * 1000000};
    nanosleep(&pause, nullptr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;
  sigemptyset(&stop.sa_mask);
  sigaction(SIGINT, &stop, nullptr);
  sigaction(SIGTERM, &stop, nullptr);
  // A closed pipe on stdout shows as a failed write, so live reading can still stop the logger.
  signal(SIGPIPE, SIG_IGN);

  CliEnv env{std::cout, std::cerr};
  env.stopRequested = [] { return g_stop != 0; };
  env.wait = Wait;
  env.showProgress = isatty(STDERR_FILENO) == 1;
  return RunCli(std::vector<std::string>(argv + 1, argv + argc), env);
}
