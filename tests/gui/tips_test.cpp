// The startup tips dialog: it opens modeless on a tip, "Next Tip" wraps, the check box
// tells the parent window, and the current tip is painted on the lines the rules give.
#include "GuiHarness.h"
#include "Pictures.h"
#include "TipText.h"
#include "TipsDialog.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <vector>

namespace {

// Stands in for the main window: binds the tips-flag event for any id, as MainFrame does.
class FlagFrame : public wxFrame {
 public:
  FlagFrame() : wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(300, 200)) {}
  struct Received {
    int id;
    wxObject* object;
  };
  std::vector<Received> received;
  bool showTips = true;  // what MainFrame keeps in g_showTips

 private:
  void OnTipsFlag(wxCommandEvent& e) {
    received.push_back({e.GetId(), e.GetEventObject()});
    showTips = (e.GetId() == 1);
  }
  wxDECLARE_EVENT_TABLE();
};

wxBEGIN_EVENT_TABLE(FlagFrame, wxFrame)
  EVT_COMMAND(wxID_ANY, vrxEVT_TIPS_FLAG, FlagFrame::OnTipsFlag)
wxEND_EVENT_TABLE()

void ClickOn(wxWindow* w) {
  wxUIActionSimulator sim;
  const wxRect r = w->GetScreenRect();
  sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
  guitest::Pump();
  sim.MouseClick();
  guitest::Pump(10);
}

// Rows [y0, y1) right of the picture hold some dark (text) pixel.
bool HasInk(const wxImage& img, int y0, int y1) {
  for (int y = y0; y < y1 && y < img.GetHeight(); ++y)
    for (int x = 100; x < img.GetWidth(); ++x)
      if (img.GetRed(x, y) < 120 && img.GetGreen(x, y) < 120 && img.GetBlue(x, y) < 120)
        return true;
  return false;
}

class TipsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_frame = new FlagFrame;
    m_frame->Show();
    guitest::Pump();
  }
  void TearDown() override {
    m_frame->Destroy();  // takes any dialog still open with it
    guitest::Pump();
    EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
  }
  TipsDialog* Open(bool showTips) {
    auto* dlg = new TipsDialog(m_frame, showTips);
    dlg->Move(20, 20);
    dlg->Show();
    guitest::Pump();
    return dlg;
  }
  FlagFrame* m_frame = nullptr;
};

}  // namespace

TEST_F(TipsDialogTest, OpensModelessOnOneOfTheSevenTips) {
  TipsDialog* dlg = Open(true);
  EXPECT_FALSE(dlg->IsModal());
  EXPECT_TRUE(dlg->IsShown());
  EXPECT_EQ(dlg->GetTitle(), "Help Tips");
  EXPECT_EQ(dlg->GetBackgroundColour(), wxColour(236, 233, 216));
  ASSERT_EQ(dlg->GetTips().size(), TIP_COUNT);
  EXPECT_LT(dlg->GetCurrentTip(), TIP_COUNT);
  EXPECT_EQ(dlg->GetTips()[0].text,
            "Reads and records live measurements from the Corvane while connected via the USB");
  // Each tip owns a picture: the 70 x 70 device pictures, the 50 x 50 file pictures.
  const std::vector<wxSize> sizes = {{70, 70}, {70, 70}, {70, 70}, {70, 70},
                                     {50, 50}, {70, 70}, {50, 50}};
  for (std::size_t i = 0; i < TIP_COUNT; ++i) {
    ASSERT_TRUE(dlg->GetTips()[i].image && dlg->GetTips()[i].image->IsOk()) << i;
    EXPECT_EQ(dlg->GetTips()[i].image->GetSize(), sizes[i]) << i;
  }
  auto* box = wxDynamicCast(dlg->FindWindow(TipsDialog::ID_SHOW_TIPS), wxCheckBox);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->GetLabel(), "Show Tips at Startup");
  EXPECT_TRUE(box->GetValue());
  EXPECT_FALSE(Open(false)->GetShowTips());
}

TEST_F(TipsDialogTest, NextTipWrapsFromTheLastToTheFirst) {
  TipsDialog* dlg = Open(true);
  auto* next = wxDynamicCast(dlg->FindWindow(TipsDialog::ID_NEXT_TIP), wxButton);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->GetLabel(), "Next Tip");
  dlg->SetCurrentTip(5);
  ClickOn(next);
  EXPECT_EQ(dlg->GetCurrentTip(), 6u);
  ClickOn(next);
  EXPECT_EQ(dlg->GetCurrentTip(), 0u);
  dlg->SetCurrentTip(TIP_COUNT);  // out of range: ignored
  EXPECT_EQ(dlg->GetCurrentTip(), 0u);
}

TEST_F(TipsDialogTest, CheckBoxTellsTheParentAndTheLastChangeWins) {
  TipsDialog* first = Open(true);
  TipsDialog* second = Open(true);
  second->Move(20, 250);
  guitest::Pump();
  first->SetCurrentTip(1);
  second->SetCurrentTip(4);

  ClickOn(first->FindWindow(TipsDialog::ID_SHOW_TIPS));
  ASSERT_EQ(m_frame->received.size(), 1u);
  EXPECT_EQ(m_frame->received[0].id, 0);
  EXPECT_EQ(m_frame->received[0].object, first);
  EXPECT_FALSE(m_frame->showTips);
  EXPECT_FALSE(first->GetShowTips());

  ClickOn(second->FindWindow(TipsDialog::ID_SHOW_TIPS));  // still checked there: now off
  ClickOn(first->FindWindow(TipsDialog::ID_SHOW_TIPS));   // back on
  ASSERT_EQ(m_frame->received.size(), 3u);
  EXPECT_EQ(m_frame->received[2].id, 1);
  EXPECT_TRUE(m_frame->showTips);
  // Each dialog keeps its own tip.
  EXPECT_EQ(first->GetCurrentTip(), 1u);
  EXPECT_EQ(second->GetCurrentTip(), 4u);
}

TEST_F(TipsDialogTest, OkAndTheCloseBoxEndTheDialog) {
  wxWeakRef<TipsDialog> byOk(Open(true));
  ClickOn(byOk->FindWindow(wxID_OK));
  EXPECT_FALSE(byOk);  // gone, not kept hidden until the main window closes
  wxWeakRef<TipsDialog> byClose(Open(true));
  byClose->Close();
  guitest::Pump();
  EXPECT_FALSE(byClose);
  EXPECT_TRUE(m_frame->received.empty());
}

TEST_F(TipsDialogTest, PaintsPictureAndLinesOfTheCurrentTip) {
  TipsDialog* dlg = Open(true);
  dlg->SetCurrentTip(3);  // three lines
  const wxImage shot = guitest::Capture(dlg).ConvertToImage();
  EXPECT_TRUE(guitest::SavePng(shot, "/tmp/tips.png"));
  // The picture at (10, 10): its middle is not the dialog background.
  EXPECT_NE(wxColour(shot.GetRed(45, 45), shot.GetGreen(45, 45), shot.GetBlue(45, 45)),
            wxColour(236, 233, 216));
  EXPECT_TRUE(HasInk(shot, 15, 35));
  EXPECT_TRUE(HasInk(shot, 35, 55));
  EXPECT_TRUE(HasInk(shot, 55, 75));
  EXPECT_FALSE(HasInk(shot, 78, 98));

  // The longest line of all tips fits inside the dialog.
  for (std::size_t i = 0; i < TIP_COUNT; ++i) {
    for (const std::string& line : BreakTipText(TIP_TEXTS[i]))
      EXPECT_LE(100 + dlg->GetTextExtent(wxString::FromUTF8(line)).x, dlg->GetClientSize().x)
          << line;
  }

  // A tip with two lines leaves the third band empty (drawn off-screen, same code path).
  dlg->SetCurrentTip(1);
  wxBitmap bmp(dlg->GetClientSize());
  {
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(wxColour(236, 233, 216)));
    dc.Clear();
    dlg->DrawTip(dc);
  }
  const wxImage drawn = bmp.ConvertToImage();
  EXPECT_TRUE(HasInk(drawn, 35, 55));
  EXPECT_FALSE(HasInk(drawn, 58, 98));
}
