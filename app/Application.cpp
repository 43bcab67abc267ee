#include "app/Application.h"

#include "app/MainFrame.h"
#include "resources/Pictures.h"

wxIMPLEMENT_APP(Application);

bool Application::OnInit() {
  auto* frame = new MainFrame("Unbennant", wxDefaultPosition, wxSize(440, 440));
  frame->SetIcons(vrxWindowIcons());
  frame->Show(true);
  SetTopWindow(frame);
  return true;
}
