#include "app/Application.h"

#include "app/MainFrame.h"
#include "app/Translations.h"
#include "resources/Pictures.h"

wxIMPLEMENT_APP(Application);

bool Application::OnInit() {
  InitTranslations();
  auto* frame = new MainFrame("Unbennant", wxDefaultPosition, wxSize(440, 440));
  frame->SetIcons(vrxWindowIcons());
  frame->Show(true);
  SetTopWindow(frame);
  return true;
}
