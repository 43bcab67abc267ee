// The main window for benchmarks: shown, with a settings directory of its own, and its status
// timer stopped, so only what a benchmark does talks to the simulated logger.
#pragma once

#include <wx/filefn.h>
#include <wx/filename.h>

#include "app/MainFrame.h"

namespace bench {

inline MainFrame* OpenMainFrame() {
  const wxString dir = wxFileName::CreateTempFileName("vrx-bench");
  wxRemoveFile(dir);
  wxFileName::Mkdir(dir);
  auto* frame = new MainFrame("bench", wxDefaultPosition, wxSize(1200, 800), dir);
  frame->Show();
  frame->m_statusTimer.Stop();
  return frame;
}

}  // namespace bench
