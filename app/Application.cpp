#include "app/Application.h"

#include "app/DialogLog.h"
#include "app/MainFrame.h"
#include "app/Translations.h"
#include "resources/Pictures.h"

#include <csignal>

wxIMPLEMENT_APP(Application);

namespace {

// A desktop session ending (or `kill`) asks the window to close as the close box would, so
// the settings file is written and unsaved recordings are asked about.
void OnTerminate(int) {
  if (wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) top->Close();
}

}  // namespace

bool Application::OnInit() {
  InitTranslations();
  delete wxLog::SetActiveTarget(new DialogLog);
  SetSignalHandler(SIGTERM, OnTerminate);
  auto* frame = new MainFrame("Unbennant", wxDefaultPosition, wxSize(440, 440));
  frame->SetIcons(vrxWindowIcons());
  frame->Show(true);
  SetTopWindow(frame);
  // `vrx FILE.kdl` (a file manager's double click) opens the file once the window is up.
  if (argc > 1) {
    const wxString path = argv[1];
    frame->CallAfter([frame, path] { frame->OpenWorkFileFrom(path); });
  }
  return true;
}
