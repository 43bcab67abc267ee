// Start-up, the controls' first state, the settings file round trip and the close prompt.
#include "MainFrameFixture.h"
#include "app/SettingsFile.h"
#include "app/TipsDialog.h"
#include "app/wxVellButton.h"
#include "device/LoggerInfo.h"
#include "live/kwxLCDDisplay.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

namespace {

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p);
  return {std::istreambuf_iterator<char>(in), {}};
}

int OpenTipsDialogs() {
  int n = 0;
  for (wxWindow* w : wxTopLevelWindows)
    if (dynamic_cast<TipsDialog*>(w) && !w->IsBeingDeleted()) ++n;
  return n;
}

}  // namespace

TEST_F(MainFrameTest, FirstRunWithoutSettingsFile) {
  Open("");
  EXPECT_EQ(frame->m_flowUnitLabel->GetLabel(), "l/min");
  EXPECT_EQ(frame->m_pressureUnitLabel->GetLabel(), "Bar");
  EXPECT_EQ(OpenTipsDialogs(), 1);
  EXPECT_EQ(frame->GetStatusBar()->GetName(), "status_line");
  EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 3);  // version, confirmations, demo logger
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), "VRX Version 4.5");
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1), "");
  EXPECT_EQ(frame->GetName(), "frame");
  EXPECT_TRUE(frame->m_statusTimer.IsRunning());
  EXPECT_EQ(frame->m_statusTimer.GetInterval(), 5000);
  EXPECT_EQ(frame->m_statusText->GetLabel(), " ");
  EXPECT_EQ(frame->m_batteryGauge->GetForegroundColour(), wxColour(255, 0, 0));
  EXPECT_EQ(frame->m_batteryGauge->GetBackgroundColour(), wxColour(50, 50, 50));
  EXPECT_EQ(frame->m_versionBadge->GetCaptionText(), "VRX Version 4.5");

  frame->Close(true);  // nothing recorded: no question
  guitest::Pump();
  EXPECT_FALSE(frame);
  EXPECT_EQ(ReadFile(dir / "vrxv43.ini"), "1\n98\n0\n1\n");
}

TEST_F(MainFrameTest, SettingsFileChoosesUnitsAndTips) {
  Open("0\n112\n1027\n0\n");
  // Built as "GPM", then labelled by the flow view the window opens on.
  EXPECT_EQ(frame->m_flowUnitLabel->GetLabel(), "g/min");
  EXPECT_EQ(frame->m_pressureUnitLabel->GetLabel(), "psi");
  EXPECT_EQ(g_firmwareVersion, 0x0403);
  EXPECT_EQ(OpenTipsDialogs(), 0);
  frame->Close(true);
  guitest::Pump();
  EXPECT_EQ(ReadFile(dir / "vrxv43.ini"), "0\n112\n1027\n0\n");
}

TEST_F(MainFrameTest, TipsFromTheMenuAndTheirFlagReachTheSettingsFile) {
  Open("1\n98\n0\n0\n");
  Command(ID_SHOW_TIPS, wxEVT_MENU);
  Command(ID_SHOW_TIPS, wxEVT_MENU);
  guitest::Pump();
  EXPECT_EQ(OpenTipsDialogs(), 2);
  wxCommandEvent flag(vrxEVT_TIPS_FLAG, 1);
  frame->GetEventHandler()->ProcessEvent(flag);
  EXPECT_TRUE(g_showTips);
  frame->Close(true);
  guitest::Pump();
  EXPECT_EQ(ReadFile(dir / "vrxv43.ini"), "1\n98\n0\n1\n");
}

TEST_F(MainFrameTest, InitialEnabledStates) {
  Open();
  EXPECT_TRUE(frame->m_startButton->IsEnabled());
  EXPECT_FALSE(frame->m_stopButton->IsEnabled());
  EXPECT_FALSE(frame->m_removeButton->IsEnabled());
  EXPECT_FALSE(frame->m_titleButton->IsEnabled());
  EXPECT_FALSE(frame->m_infoButton->IsEnabled());
  EXPECT_FALSE(frame->GetMenuBar()->IsEnabled(ID_EXPORT_CSV));
  EXPECT_EQ(frame->m_startButton->GetToolTipText(), "Record live data");
  EXPECT_EQ(frame->m_removeButton->GetLabel(), wxString::FromUTF8("Löschen"));
  EXPECT_EQ(frame->m_clockLcd->GetText(), "00:00:00");
  EXPECT_EQ(frame->m_flowLcd->GetText(), "0");
  EXPECT_EQ(frame->m_pressureLcd->GetText(), "0.0");
  EXPECT_EQ(frame->m_clockLcd->GetDigitCount(), 7);
  EXPECT_EQ(frame->m_flowLcd->GetDigitCount(), 6);
}

TEST_F(MainFrameTest, MenuBarLabelsAndHelp) {
  Open();
  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), 4u);
  EXPECT_EQ(bar->GetMenuLabelText(0), "Datei");
  EXPECT_EQ(bar->GetMenuLabelText(1), "Diagramm");
  EXPECT_EQ(bar->GetMenuLabelText(2), "Daten");
  EXPECT_EQ(bar->GetMenuLabelText(3), "Help");
  struct Item {
    int id;
    const char* label;
    const char* help;
  };
  const Item items[] = {
      {ID_OPEN, "Vorgang Öffnen", "Einen gespeicherten Vorgang öffnen"},
      {ID_SAVE, "Vorgang Speichern", "Den aktuellen Vorgang abspeichern"},
      {ID_SAVE_AS, "Vorgang Speichern als", "Den aktuellen Vorgang abspeichern"},
      {ID_PRINT, "Diagramm Drucken", "Aktuelles Diagramm drucken"},
      {ID_PRINT_PREVIEW, "Drucken mit Vorschau", "Diagramm Vorschau und Druck"},
      {ID_QUIT, "Verlassen", "Beendet die Anwendung"},
      {ID_COLOUR_FLOW, "Durchfluss", "Durchflussanzeigefarbe ändern"},
      {ID_COLOUR_VOLUME, "Volumen", "Volumenanzeigefarbe ändern"},
      {ID_COLOUR_PRESSURE, "Druck", "Druckanzeigefarbe ändern"},
      {ID_WIDTH_FLOW, "Durchfluss", "Durchflusslinienstärke ändern"},
      {ID_WIDTH_VOLUME, "Volumen", "Volumenlinienstärke ändern"},
      {ID_WIDTH_PRESSURE, "Druck", "Drucklinienstärke ändern"},
      {ID_EXPORT_CSV, "Exportieren nach Excel", "Ausgewählte Daten nach MS Excel exportieren"},
      {ID_FILTER_SETTINGS, "Filtereinstellungen", "Datenfiltereinstellung ändern"},
      {ID_SHOW_TIPS, "Show Startup Tips", "Display startup help tips"},
  };
  for (const Item& it : items) {
    SCOPED_TRACE(it.id);
    wxMenuItem* item = bar->FindItem(it.id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemLabelText(), wxString::FromUTF8(it.label));
    EXPECT_EQ(item->GetHelp(), wxString::FromUTF8(it.help));
    EXPECT_FALSE(item->IsCheckable());
  }
  EXPECT_TRUE(bar->FindItem(ID_OPEN)->GetBitmap().IsOk());
  EXPECT_EQ(bar->FindItem(ID_OPEN)->GetBitmap().GetSize(), wxSize(16, 15));
}

TEST_F(MainFrameTest, ClosePromptOnlyForUnsavedRecordings) {
  Open();
  frame->m_recordings.Append(Storage("9/03/2016 8:05:30", 1000, 1, false));
  // Cancel keeps the window with its recordings.
  wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
  guitest::Pump();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->m_recordings.size(), 1u);
  // "Verlassen" asks the same. Yes saves first: with the save dialog cancelled nothing is
  // saved, and the window stays.
  wxTEST_DIALOG(Command(ID_QUIT, wxEVT_MENU), wxExpectModal<wxMessageDialog>(wxID_YES),
                wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
  guitest::Pump();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->m_recordings.size(), 1u);
  wxTEST_DIALOG(Command(ID_QUIT, wxEVT_MENU), wxExpectModal<wxMessageDialog>(wxID_NO));
  guitest::Pump();
  EXPECT_FALSE(frame);
}

TEST_F(MainFrameTest, SavedWorkClosesWithoutQuestion) {
  Open();
  frame->m_recordings.Append(Storage("9/03/2016 8:05:30", 1000, 1, false));
  frame->m_recordings.MarkSaved();
  Command(ID_QUIT, wxEVT_MENU);  // an unexpected dialog would fail the test
  guitest::Pump();
  EXPECT_FALSE(frame);
}

TEST_F(MainFrameTest, CaptionButtonsDrawTheirCaptionOverThePicture) {
  Open();
  wxImage white(50, 50);
  white.SetRGB(wxRect(0, 0, 50, 50), 255, 255, 255);
  const wxBitmap picture(white);
  wxVellButton plain(frame->m_panel, wxID_ANY, picture, "", wxDefaultPosition, wxSize(55, 60));
  EXPECT_EQ(plain.ComposeFace(picture).GetSize(), wxSize(50, 50)) << "no caption: the picture only";
  const wxImage face = frame->m_openButton->ComposeFace(picture).ConvertToImage();
  ASSERT_EQ(face.GetWidth(), 55);
  ASSERT_EQ(face.GetHeight(), 60);
  // Dark caption pixels in the bottom rows, below the (white) picture.
  int dark = 0;
  for (int y = 55; y < 60; ++y)
    for (int x = 0; x < 55; ++x)
      if (face.GetRed(x, y) < 100 && face.GetGreen(x, y) < 100) ++dark;
  EXPECT_GT(dark, 10);
}
