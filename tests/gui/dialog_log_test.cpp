// The program's error log: a message raised while a modal dialog is open stands on that
// dialog, never on the main window behind it.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>

#include "GuiHarness.h"
#include "app/DialogLog.h"

namespace {

// The program's log target in place of the test's while it exists.
class ProgramLog {
 public:
  ProgramLog() : m_previous(wxLog::SetActiveTarget(&m_log)) {}
  ~ProgramLog() { wxLog::SetActiveTarget(m_previous); }
  void Flush() { m_log.Flush(); }

 private:
  DialogLog m_log;
  wxLog* m_previous;
};

}  // namespace

TEST(DialogLog, AMessageStandsOnTheOpenModalDialog) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Unbennant", wxPoint(0, 0), wxSize(400, 300));
  frame->Show();
  wxTheApp->SetTopWindow(frame);
  auto* settings = new wxDialog(frame, wxID_ANY, wxString::FromUTF8("Geräteeinstellungen"));
  guitest::Pump();

  // Nothing modal: the toolkit's choice, the main window.
  guitest::MessageSeen seen;
  {
    ProgramLog log;
    EXPECT_EQ(OpenModalDialog(), nullptr);
    wxLogError("USB-Verbindung fehlgeschlagen");
    wxTEST_DIALOG(log.Flush(), guitest::NoteMessage(&seen));
  }
  EXPECT_EQ(seen.parent, frame);
  EXPECT_EQ(seen.caption, "Fehler");

  // Inside the dialog's modal loop (a status tick of the main window, say): on the dialog.
  // Two messages come as one box.
  seen = {};
  wxWindow* open = nullptr;
  settings->CallAfter([&] {
    open = OpenModalDialog();
    {
      ProgramLog log;
      wxLogError("Lesen fehlgeschlagen Fehlercode: %d", 7);
      wxLogError("USB-Verbindung fehlgeschlagen");
      wxTEST_DIALOG(log.Flush(), guitest::NoteMessage(&seen));
    }
    settings->EndModal(wxID_CANCEL);
  });
  {
    guitest::RealModalDialogs real;
    settings->ShowModal();
  }
  EXPECT_EQ(open, settings);
  EXPECT_EQ(seen.count, 1);
  EXPECT_EQ(seen.parent, settings);
  EXPECT_EQ(seen.text, "Lesen fehlgeschlagen Fehlercode: 7\n\nUSB-Verbindung fehlgeschlagen");
  EXPECT_EQ(OpenModalDialog(), nullptr);

  settings->Destroy();
  frame->Destroy();
  guitest::Pump();
}
