// Start-up for benchmark programs that open windows (run under xvfb-run) and may talk to
// simulated loggers on an emulated bus (run with the umockdev preload).
#pragma once

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

namespace bench {

// Starts wx without a main loop; false, with a message, when that fails or when `onBus`
// (sim::SimBus::InMockEnvironment for programs on the emulated bus) says no.
inline bool StartGui(int& argc, char** argv, bool (*onBus)() = nullptr) {
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "cannot start wx (no display?)\n");
    return false;
  }
  wxTheApp->CallOnInit();
  if (onBus && !onBus()) {
    std::fprintf(stderr, "run with LD_PRELOAD=libumockdev-preload.so.0\n");
    wxEntryCleanup();
    return false;
  }
  return true;
}

}  // namespace bench
