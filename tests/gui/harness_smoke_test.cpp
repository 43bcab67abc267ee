// The harness itself: captured log messages, answered and unexpected dialogs.
#include "GuiHarness.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>

TEST(GuiHarness, CapturesErrorsAndAnswersDialogs) {
  guitest::LogCapture::Get().Clear();
  wxLogError("Lesen fehlgeschlagen Fehlercode: %d", 7);
  ASSERT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
  EXPECT_EQ(guitest::LogCapture::Get().Errors()[0], "Lesen fehlgeschlagen Fehlercode: 7");

  int answer = 0;
  wxTEST_DIALOG(answer = wxMessageBox("Frage?", "Titel", wxYES_NO),
                wxExpectModal<wxMessageDialog>(wxYES));
  EXPECT_EQ(answer, wxYES);

  wxTextEntryDialog dlg(nullptr, "Titel eingeben", "Titel", "alt");
  wxTEST_DIALOG(dlg.ShowModal(), wxExpectModal<wxTextEntryDialog>("neu"));
  EXPECT_EQ(dlg.GetValue(), "neu");
}

TEST(GuiHarness, CapturesAWindowsPixels) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "t", wxPoint(0, 0), wxSize(200, 100));
  frame->SetBackgroundColour(wxColour(236, 233, 216));
  frame->Show();
  guitest::Pump();
  wxBitmap bmp = guitest::Capture(frame);
  EXPECT_GT(bmp.GetWidth(), 0);
  frame->Destroy();
  guitest::Pump();
}
