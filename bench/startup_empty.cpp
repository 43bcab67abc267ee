// The plain way for the start-up figure: an empty frame of the same toolkit, the same size,
// shown the same way. What vrx takes beyond this is its own start-up work.
#include <wx/app.h>
#include <wx/frame.h>

class EmptyApp : public wxApp {
 public:
  bool OnInit() override {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "vrx-empty", wxDefaultPosition, wxSize(440, 440));
    frame->Show(true);
    SetTopWindow(frame);
    return true;
  }
};

wxIMPLEMENT_APP(EmptyApp);
