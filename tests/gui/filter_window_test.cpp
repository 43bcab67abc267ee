// The moving-average filter in the main window: the Filter button, its settings dialog and
// how it follows the recording list.
#include <wx/button.h>
#include <wx/slider.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "RecordingsWindowSupport.h"
#include "analysis/FilterDialog.h"
#include "app/wxVellButton.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"
#include "resources/Pictures.h"

using namespace rectest;

namespace {

bool SamePicture(const wxBitmap& a, const wxBitmap& b) {
  const wxImage x = a.ConvertToImage(), y = b.ConvertToImage();
  return x.GetSize() == y.GetSize() &&
         std::memcmp(x.GetData(), y.GetData(), size_t(x.GetWidth()) * x.GetHeight() * 3) == 0;
}

// Moves the dialog's slider as a user would, then presses a button.
class MoveSlider : public wxExpectModalBase<FilterDialog, MoveSlider> {
 public:
  MoveSlider(int value, int button) : m_value(value), m_button(button) {}

 protected:
  int OnInvoked(FilterDialog* dlg) const override {
    dlg->GetSlider()->SetValue(m_value);
    wxScrollEvent event(wxEVT_SCROLL_THUMBRELEASE, dlg->GetSlider()->GetId(), m_value, wxHORIZONTAL);
    event.SetEventObject(dlg->GetSlider());
    dlg->GetSlider()->GetEventHandler()->ProcessEvent(event);
    return m_button;
  }

 private:
  int m_value, m_button;
};

class FilterTest : public MainFrameTest {
 protected:
  void OpenWithTwo() {
    Open();
    frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 30), MakeRecord("B", "2/01/2026 9:00:00", 30, 500, 40)}, "", false);
    frame->RefreshRecordingList();
  }
  bool ButtonShowsOn() const {
    const ButtonPictures pics = vrxButtonPictures(PictureFilter);
    wxVellButton* b = frame->m_filterButton;
    return SamePicture(b->GetBitmapLabel(), b->ComposeFace(pics.on)) &&
           SamePicture(b->GetBitmapCurrent(), b->ComposeFace(pics.on));
  }
  bool ButtonShowsOff() const {
    const ButtonPictures pics = vrxButtonPictures(PictureFilter);
    wxVellButton* b = frame->m_filterButton;
    return SamePicture(b->GetBitmapLabel(), b->ComposeFace(pics.normal)) &&
           SamePicture(b->GetBitmapCurrent(), b->ComposeFace(pics.hover));
  }
  Storage& Rec(int i) { return frame->m_recordings[i]; }
};

}  // namespace

TEST_F(FilterTest, ButtonFollowsTheChosenRecording) {
  OpenWithTwo();
  const std::vector<float> rawA = Rec(0).GetFlow();

  // A new set shows its newest recording; the button filters that one.
  EXPECT_EQ(frame->m_recordings.Shown(), 0);
  Command(ID_FILTER);
  EXPECT_TRUE(frame->m_filterOn);
  EXPECT_TRUE(Rec(0).IsFiltered());
  EXPECT_NE(Rec(0).GetFlow(), rawA);
  EXPECT_TRUE(ButtonShowsOn());

  // Choosing B shows B unfiltered and switches the button off; A keeps its smoothing.
  ClickRow(frame->m_recordList, 1);
  EXPECT_FALSE(frame->m_filterOn);
  EXPECT_FALSE(Rec(1).IsFiltered());
  EXPECT_TRUE(Rec(0).IsFiltered());
  EXPECT_TRUE(ButtonShowsOff());
  EXPECT_EQ(frame->m_recordings.Shown(), 1);

  Command(ID_FILTER);
  EXPECT_TRUE(Rec(1).IsFiltered());

  // Back to A: shown unfiltered again.
  ClickRow(frame->m_recordList, 0);
  EXPECT_FALSE(Rec(0).IsFiltered());
  EXPECT_EQ(Rec(0).GetFlow(), rawA);
  EXPECT_FALSE(frame->m_filterOn);
}

// What the curves show is what the readouts show: the legend (the markers' values), the
// LCDs and the clock follow the filter, and measuring on the right-hand curve sets the clock.
TEST_F(FilterTest, ReadoutsShowTheFilteredValuesInBothModes) {
  Open();
  Storage rec("1/01/2026 8:00:00", 1000, 1, false);
  rec.SetPressureScaling(104, 2, 15, 'b');
  rec.SetTitle("A");
  for (int i = 0; i < 40; ++i) rec.AddSample(60 + (i % 7) * 10, 300 + (i % 5) * 40);
  frame->m_recordings.Replace({rec}, "", false);
  frame->RefreshRecordingList();
  ClickRow(frame->m_recordList, 0);
  Command(ID_VIEW_PRESSURE);  // flow, with pressure on the right-hand axis
  mpWindow* plot = frame->m_plot;
  guitest::Capture(plot);
  const auto clickAtSample = [&](int k) {
    const double t = Rec(0).GetTime()[static_cast<std::size_t>(k)];
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.m_x =
        static_cast<int>(std::lround((t - plot->GetCentreX()) * plot->GetPxPerUnitX())) + plot->GetPlotWidth() / 2;
    down.m_y = 60;
    down.SetLeftDown(true);
    plot->GetEventHandler()->ProcessEvent(down);
  };
  const auto clock = [](double t) {
    return wxString::Format("00:%02d:%02d", static_cast<int>(t) / 60, static_cast<int>(t) % 60);
  };
  const int k = 10, j = 17;  // flow measured at sample 10, pressure at sample 17
  Command(ID_MEASURE_FLOW);
  clickAtSample(k);
  Command(ID_MEASURE_PRESSURE);  // mode 2 (mode 1 goes off)
  clickAtSample(j);
  EXPECT_EQ(frame->m_clockLcd->GetText(), clock(Rec(0).GetTime()[j]));
  EXPECT_EQ(frame->m_pressureLcd->GetText(), wxString::FromCDouble(Rec(0).GetPressure()[j], 2));
  Command(ID_MEASURE_PRESSURE);  // measuring off; the markers stay

  for (bool on : {true, false}) {
    SCOPED_TRACE(on);
    Command(ID_FILTER);
    ASSERT_EQ(Rec(0).IsFiltered(), on);
    const float flow = Rec(0).GetFlow()[k], pressure = Rec(0).GetPressure()[j];
    if (on) {
      ASSERT_NE(flow, rec.GetFlow()[k]);  // the filter changes both points
      ASSERT_NE(pressure, rec.GetPressure()[j]);
    }
    EXPECT_EQ(frame->m_flowSeries->GetMarkerValue(), flow);
    EXPECT_EQ(frame->m_pressureSeriesRight->GetMarkerValue(), pressure);
    EXPECT_EQ(frame->m_flowLcd->GetText(), wxString::FromCDouble(flow, 0));
    EXPECT_EQ(frame->m_pressureLcd->GetText(), wxString::FromCDouble(pressure, 2));
    EXPECT_EQ(Rec(0).GetFlowMeasurement(), std::string(wxString::FromCDouble(flow, 0).utf8_str()));
    EXPECT_EQ(Rec(0).GetPressureMeasurement(), std::string(wxString::FromCDouble(pressure, 2).utf8_str()));
    EXPECT_EQ(frame->m_clockLcd->GetText(), clock(Rec(0).GetTime()[k]));
  }
}

TEST_F(FilterTest, SettingsChangeTheWidthAndReapply) {
  OpenWithTwo();
  ClickRow(frame->m_recordList, 0);
  Command(ID_FILTER);
  ASSERT_EQ(frame->m_filterHalfWidth, 2);

  // "Schließen" keeps the width and the filtered values.
  const std::vector<float> filtered2 = Rec(0).GetFlow();
  wxTEST_DIALOG(Command(ID_FILTER_SETTINGS, wxEVT_MENU), MoveSlider(7, FILTER_DIALOG_CLOSE));
  EXPECT_EQ(frame->m_filterHalfWidth, 2);
  EXPECT_EQ(Rec(0).GetFlow(), filtered2);

  // OK with 1: the record is filtered anew, as a 3-point filter, and the filter stays on.
  wxTEST_DIALOG(Command(ID_FILTER_SETTINGS, wxEVT_MENU), MoveSlider(1, FILTER_DIALOG_OK));
  EXPECT_EQ(frame->m_filterHalfWidth, 1);
  EXPECT_TRUE(frame->m_filterOn);
  Storage expected = MakeRecord("A", "1/01/2026 8:00:00", 30);
  expected.ApplyFilter(true, 1);
  EXPECT_EQ(Rec(0).GetFlow(), expected.GetFlow());

  // With the filter off, a new width only is kept; nothing gets filtered.
  Command(ID_FILTER);
  ASSERT_FALSE(frame->m_filterOn);
  wxTEST_DIALOG(Command(ID_FILTER_SETTINGS, wxEVT_MENU), MoveSlider(4, FILTER_DIALOG_OK));
  EXPECT_EQ(frame->m_filterHalfWidth, 4);
  EXPECT_FALSE(frame->m_filterOn);
  EXPECT_FALSE(Rec(0).IsFiltered());
}

TEST_F(FilterTest, DialogTextFollowsEverySliderEvent) {
  Open();
  FilterDialog dialog(frame, 10);
  EXPECT_EQ(dialog.GetTitle(), "Filtereinstellungen");
  EXPECT_EQ(dialog.GetTextLine(), wxString::FromUTF8("21 Punkt-Filter für gleitenden Mittelwert"));
  EXPECT_EQ(dialog.GetSlider()->GetMin(), 1);
  EXPECT_EQ(dialog.GetSlider()->GetMax(), 10);
  EXPECT_EQ(dialog.GetSlider()->GetValue(), 10);
  auto* ok = dynamic_cast<wxButton*>(dialog.FindWindow(FILTER_DIALOG_OK));
  auto* close = dynamic_cast<wxButton*>(dialog.FindWindow(FILTER_DIALOG_CLOSE));
  ASSERT_TRUE(ok && close);
  EXPECT_EQ(ok->GetLabel(), "OK");
  EXPECT_EQ(close->GetLabel(), wxString::FromUTF8("Schließen"));
  // At least 60 x 30, and never narrower than the theme needs for the label.
  for (wxButton* b : {ok, close}) {
    EXPECT_GE(b->GetSize().x, std::max(60, b->GetBestSize().x)) << b->GetLabel();
    EXPECT_GE(b->GetSize().y, 30) << b->GetLabel();
  }
  EXPECT_EQ(ok->GetSize().x, 60);

  const wxEventType kinds[] = {wxEVT_SCROLL_TOP,      wxEVT_SCROLL_BOTTOM,     wxEVT_SCROLL_LINEUP,
                               wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP,     wxEVT_SCROLL_PAGEDOWN,
                               wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED};
  int value = 1;
  for (wxEventType kind : kinds) {
    dialog.GetSlider()->SetValue(value);
    wxScrollEvent event(kind, dialog.GetSlider()->GetId(), value, wxHORIZONTAL);
    event.SetEventObject(dialog.GetSlider());
    dialog.GetSlider()->GetEventHandler()->ProcessEvent(event);
    EXPECT_EQ(dialog.GetHalfWidth(), value);
    EXPECT_EQ(dialog.GetTextLine(),
              wxString::Format(wxString::FromUTF8("%d Punkt-Filter für gleitenden Mittelwert"), 2 * value + 1));
    value = value % 10 + 1;
  }
}

TEST_F(FilterTest, EditingTheTitleKeepsTheFilterAndItsButton) {
  OpenWithTwo();
  ClickRow(frame->m_recordList, 1);
  // The edit reselects the row; the filter state and the button's picture stay in step.
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    wxTEST_DIALOG(Command(ID_CHANGE_TITLE), TextAnswer("Neu", wxID_OK));
    EXPECT_EQ(frame->m_filterOn, on);
    EXPECT_EQ(Rec(1).IsFiltered(), on);
    EXPECT_TRUE(on ? ButtonShowsOn() : ButtonShowsOff());
    // One press switches it over.
    Command(ID_FILTER);
    EXPECT_EQ(frame->m_filterOn, !on);
    EXPECT_EQ(Rec(1).IsFiltered(), !on);
  }
}
