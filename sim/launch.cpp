// Starts a program with a simulated logger on an emulated USB bus, so the program can be
// tried without the hardware:  vrx-sim-launch PROGRAM [ARGS...]
// The logger is the demo logger (recordings in memory, a live tap signal on a real-time
// clock). The program itself is unmodified; it finds the logger through libusb.
#include "sim/DemoLogger.h"
#include "sim/SimBus.h"

#include <glib.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  try {
    sim::SimBus bus;
    auto logger = sim::MakeDemoLogger();
    logger->SetRealTime(true);
    bus.Plug(logger);

    gchar** env = g_get_environ();
    for (const std::string& kv : bus.ChildEnvironment()) {
      const auto eq = kv.find('=');
      env = g_environ_setenv(env, kv.substr(0, eq).c_str(), kv.substr(eq + 1).c_str(), TRUE);
    }
    std::vector<gchar*> args(argv + 1, argv + argc);
    args.push_back(nullptr);
    GError* err = nullptr;
    gint status = 0;
    const gboolean ok = g_spawn_sync(nullptr, args.data(), env,
                                     static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_CHILD_INHERITS_STDIN),
                                     nullptr, nullptr, nullptr, nullptr, &status, &err);
    g_strfreev(env);
    if (!ok) {
      std::fprintf(stderr, "cannot start %s: %s\n", argv[1], err ? err->message : "unknown error");
      if (err) g_error_free(err);
      return 127;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
