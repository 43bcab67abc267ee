#include "app/Application.h"

#include "app/DialogLog.h"
#include "app/MainFrame.h"
#include "app/Translations.h"
#include "i18n/Tr.h"
#include "resources/Pictures.h"

#include <wx/display.h>

#include <csignal>

wxIMPLEMENT_APP(Application);

namespace {

// A desktop session ending (or `kill`) asks the window to close as the close box would, so
// the settings file is written and unsaved recordings are asked about.
void OnTerminate(int) {
  if (wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) top->Close();
}

// The window fits itself to the smallest size that holds every control; opening at that size
// squeezes the plot and the list. It opens roomier, as far as the screen allows.
void OpenRoomy(wxFrame& frame) {
  wxSize size(1100, 760);
  const int display = wxDisplay::GetFromWindow(&frame);
  size.DecTo(wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea().GetSize());
  size.IncTo(frame.GetSize());
  frame.SetSize(size);
}

}  // namespace

bool Application::OnInit() {
  InitTranslations();
  delete wxLog::SetActiveTarget(new DialogLog);
  SetSignalHandler(SIGTERM, OnTerminate);
  auto* frame = new MainFrame(Tr("Unbennant"), wxDefaultPosition, wxSize(440, 440));
  frame->SetIcons(vrxWindowIcons());
  OpenRoomy(*frame);
  frame->Show(true);
  SetTopWindow(frame);
  // `vrx FILE.kdl` (a file manager's double click) opens the file once the window is up.
  if (argc > 1) {
    const wxString path = argv[1];
    frame->CallAfter([frame, path] { frame->OpenWorkFileFrom(path); });
  }
  return true;
}
