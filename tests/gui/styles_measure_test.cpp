// Curve colours and widths, the measuring modes with their readouts and stored texts, the
// zoom buttons and the grid and data-point toggles of the main window.
#include "MainFrameFixture.h"
#include "analysis/PenDialog.h"
#include "app/wxVellButton.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"
#include "resources/Pictures.h"

#include <gtk/gtk.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/cursor.h>
#include <wx/image.h>

#include <cmath>
#include <cstring>
#include <algorithm>
#include <vector>

namespace {

// Answers the colour dialog with a colour after checking how it was prepared.
class ColourAnswer : public wxExpectModalBase<wxColourDialog, ColourAnswer> {
 public:
  explicit ColourAnswer(const wxColour& colour, int id = wxID_OK, wxColour* openedOn = nullptr)
      : m_colour(colour), m_id(id), m_openedOn(openedOn) {}

 protected:
  int OnInvoked(wxColourDialog* dlg) const override {
    wxColourData& data = dlg->GetColourData();
    if (m_openedOn) *m_openedOn = data.GetColour();
    EXPECT_TRUE(data.GetChooseFull());
    for (int i = 0; i < 16; ++i) EXPECT_EQ(data.GetCustomColour(i), wxColour(16 * i, 16 * i, 16 * i)) << i;
    // The dialog takes the colour from its chooser widget when it ends with OK.
    const GdkRGBA rgba{m_colour.Red() / 255.0, m_colour.Green() / 255.0, m_colour.Blue() / 255.0, 1.0};
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* selection = gtk_color_selection_dialog_get_color_selection(GTK_COLOR_SELECTION_DIALOG(dlg->GetHandle()));
    gtk_color_selection_set_current_rgba(GTK_COLOR_SELECTION(selection), &rgba);
    G_GNUC_END_IGNORE_DEPRECATIONS
    data.SetColour(m_colour);
    return m_id;
  }

 private:
  wxColour m_colour;
  int m_id;
  wxColour* m_openedOn;
};

// Picks an entry of the width dialog and presses OK or "Schließen"; notes what it opened on.
class WidthAnswer : public wxExpectModalBase<PenDialog, WidthAnswer> {
 public:
  explicit WidthAnswer(int width, int id = PEN_DIALOG_OK, int* preselected = nullptr)
      : m_width(width), m_id(id), m_preselected(preselected) {}

 protected:
  int OnInvoked(PenDialog* dlg) const override {
    EXPECT_EQ(dlg->GetTitle(), "Diagrammlinienart");
    wxChoice* choice = dlg->GetChoice();
    EXPECT_EQ(choice->GetCount(), 7u);
    for (unsigned i = 0; i < choice->GetCount(); ++i)
      EXPECT_EQ(choice->GetString(i), wxString::FromUTF8("Linienstärke ") + wxString::Format("%u", i + 1));
    if (m_preselected) *m_preselected = choice->GetSelection() + 1;
    choice->SetSelection(m_width - 1);
    if (m_id == PEN_DIALOG_OK) dlg->StoreSelection();
    return m_id;
  }

 private:
  int m_width;
  int m_id;
  int* m_preselected;
};

bool SameBitmap(const wxBitmap& a, const wxBitmap& b) {
  const wxImage ia = a.ConvertToImage(), ib = b.ConvertToImage();
  return ia.GetSize() == ib.GetSize() &&
         std::memcmp(ia.GetData(), ib.GetData(), static_cast<size_t>(ia.GetWidth()) * ia.GetHeight() * 3) == 0;
}

// Whether a toggle button shows its on-state picture (normal and hover alike); off means its
// ordinary normal and hover pictures again.
bool ShowsOn(wxVellButton* button, PictureId picture) {
  const wxBitmap on = button->ComposeFace(vrxPicture(picture, PictureState::On));
  return SameBitmap(button->GetBitmapLabel(), on) && SameBitmap(button->GetBitmapCurrent(), on);
}
bool ShowsOff(wxVellButton* button, PictureId picture) {
  return SameBitmap(button->GetBitmapLabel(), button->ComposeFace(vrxPicture(picture, PictureState::Normal))) &&
         SameBitmap(button->GetBitmapCurrent(), button->ComposeFace(vrxPicture(picture, PictureState::Hover)));
}

GdkCursorType CursorOf(wxWindow* w) { return gdk_cursor_get_cursor_type(w->GetCursor().GetCursor()); }

// Twenty samples 10 s apart, flow i + 0.6; sample 12 (t = 130 s) has flow 12.6, pressure
// 2.346, volume 7.2.
Storage Recording() {
  Storage rec("12.03.2024 08:00:00", 10000, 1, false);
  rec.SetTitle("Messung");
  rec.SetPressureUnit('b');
  for (int i = 0; i < 20; ++i)
    rec.AppendSample(10.0f * (i + 1), i + 0.6f, 2.346f + 0.8f * std::sin((i - 12) * 0.6f), 1.2f + 0.5f * i);
  return rec;
}

class StylesMeasureTest : public MainFrameTest {
 protected:
  void OpenWithRecording() {
    Open();
    frame->m_recordings.Append(Recording());
    frame->ShowRecording(0);
    guitest::Capture(frame->m_plot);
  }

  std::vector<mpLayer*> Curves() const {
    return {frame->m_flowSeries.get(), frame->m_volumeSeries.get(), frame->m_pressureSeries.get(),
            frame->m_pressureSeriesRight.get()};
  }

  void SetView(bool flow, bool volume, bool pressure) {
    frame->m_showFlow = flow;
    frame->m_showVolume = volume;
    frame->m_showPressure = pressure;
    frame->RebuildPlotLayers();
    frame->m_plot->Fit();
    guitest::Capture(frame->m_plot);
  }

  // The plot column where time t is drawn now.
  int ColumnOf(double t) const {
    const mpWindow* p = frame->m_plot;
    return static_cast<int>(std::lround((t - p->GetCentreX()) * p->GetPxPerUnitX())) + p->GetPlotWidth() / 2;
  }

  // Clicks the plot at a column and lets it repaint.
  void ClickAt(int column) {
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.m_x = column;
    down.m_y = 40;
    down.SetLeftDown(true);
    down.SetEventObject(frame->m_plot);
    frame->m_plot->GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.m_x = column;
    up.m_y = 40;
    up.SetEventObject(frame->m_plot);
    frame->m_plot->GetEventHandler()->ProcessEvent(up);
    guitest::Capture(frame->m_plot);
  }

  void ResetReadouts() {
    frame->m_flowLcd->SetText("0");
    frame->m_pressureLcd->SetText("0.0");
    frame->m_clockLcd->ShowElapsed(0);
    for (size_t i = 0; i < frame->m_recordings.size(); ++i) {
      frame->m_recordings[i].SetFlowMeasurement("-");
      frame->m_recordings[i].SetPressureMeasurement("-");
    }
  }
};

TEST_F(StylesMeasureTest, ColourCommandsGiveFiveWidePensAndCancelKeepsThem) {
  Open();
  struct Case {
    int id;
    std::vector<mpLayer*> changed;
    wxColour colour;
  };
  const Case cases[] = {
      {ID_COLOUR_FLOW, {frame->m_flowSeries.get()}, wxColour(255, 0, 0)},
      {ID_COLOUR_VOLUME, {frame->m_volumeSeries.get()}, wxColour(0, 128, 0)},
      {ID_COLOUR_PRESSURE, {frame->m_pressureSeries.get(), frame->m_pressureSeriesRight.get()}, wxColour(10, 20, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    std::vector<wxPen> before;
    for (mpLayer* l : Curves()) before.push_back(l->GetPen());

    // Cancelled: no pen changes. The dialog opened on the curve's own colour.
    wxColour openedOn;
    wxTEST_DIALOG(Command(c.id, wxEVT_MENU), ColourAnswer(wxColour(1, 2, 3), wxID_CANCEL, &openedOn));
    EXPECT_EQ(openedOn, c.changed.front()->GetPen().GetColour());
    int i = 0;
    for (mpLayer* l : Curves()) EXPECT_EQ(l->GetPen(), before[i++]);

    // Confirmed: the named curves get the colour at width 5, solid; the others stay.
    wxTEST_DIALOG(Command(c.id, wxEVT_MENU), ColourAnswer(c.colour));
    EXPECT_EQ(frame->m_chosenColour, c.colour);
    i = 0;
    for (mpLayer* l : Curves()) {
      const bool named = std::find(c.changed.begin(), c.changed.end(), l) != c.changed.end();
      if (named) {
        EXPECT_EQ(l->GetPen().GetColour(), c.colour);
        EXPECT_EQ(l->GetPen().GetWidth(), 5);
        EXPECT_EQ(l->GetPen().GetStyle(), wxPENSTYLE_SOLID);
      } else {
        EXPECT_EQ(l->GetPen(), before[i]);
      }
      ++i;
    }
  }
  // Colour changes leave the widths the points toggle applies alone.
  EXPECT_EQ(frame->m_lineWidth, 2);
  EXPECT_EQ(frame->m_pointWidth, 6);
}

TEST_F(StylesMeasureTest, WidthCommandsOpenOnTheCurrentWidthAndKeepTheColour) {
  Open();
  // A red 5-pixel flow curve after a colour change: its width dialog opens on entry 5.
  wxTEST_DIALOG(Command(ID_COLOUR_FLOW, wxEVT_MENU), ColourAnswer(wxColour(255, 0, 0)));
  int preselected = 0;
  wxTEST_DIALOG(Command(ID_WIDTH_FLOW, wxEVT_MENU), WidthAnswer(3, PEN_DIALOG_CLOSE, &preselected));
  EXPECT_EQ(preselected, 5);
  EXPECT_EQ(frame->m_flowSeries->GetPen().GetWidth(), 5);  // "Schließen" changes nothing
  EXPECT_EQ(frame->m_lineWidth, 2);

  wxTEST_DIALOG(Command(ID_WIDTH_FLOW, wxEVT_MENU), WidthAnswer(3));
  EXPECT_EQ(frame->m_flowSeries->GetPen().GetWidth(), 3);
  EXPECT_EQ(frame->m_flowSeries->GetPen().GetColour(), wxColour(255, 0, 0));
  EXPECT_EQ(frame->m_lineWidth, 3);

  wxTEST_DIALOG(Command(ID_WIDTH_VOLUME, wxEVT_MENU), WidthAnswer(7, PEN_DIALOG_OK, &preselected));
  EXPECT_EQ(preselected, 2);
  EXPECT_EQ(frame->m_volumeSeries->GetPen().GetWidth(), 7);
  EXPECT_EQ(frame->m_volumeSeries->GetPen().GetColour(), wxColour(0, 0, 255));
  EXPECT_EQ(frame->m_lineWidth, 7);

  // Pressure: both pressure curves, not remembered.
  wxTEST_DIALOG(Command(ID_WIDTH_PRESSURE, wxEVT_MENU), WidthAnswer(1));
  EXPECT_EQ(frame->m_pressureSeries->GetPen().GetWidth(), 1);
  EXPECT_EQ(frame->m_pressureSeriesRight->GetPen().GetWidth(), 1);
  EXPECT_EQ(frame->m_pressureSeriesRight->GetPen().GetColour(), wxColour(255, 0, 0));
  EXPECT_EQ(frame->m_lineWidth, 7);
  EXPECT_EQ(frame->m_pointWidth, 6);
}

TEST_F(StylesMeasureTest, PointsToggleAppliesTheRememberedWidths) {
  Open();
  wxTEST_DIALOG(Command(ID_COLOUR_VOLUME, wxEVT_MENU), ColourAnswer(wxColour(0, 128, 0)));
  wxTEST_DIALOG(Command(ID_WIDTH_FLOW, wxEVT_MENU), WidthAnswer(4));
  wxTEST_DIALOG(Command(ID_WIDTH_PRESSURE, wxEVT_MENU), WidthAnswer(7));  // not taken by the toggle
  const wxColour colours[] = {wxColour(0, 0, 255), wxColour(0, 128, 0), wxColour(255, 0, 0), wxColour(255, 0, 0)};
  const auto expectCurves = [&](int width, bool continuous) {
    int i = 0;
    for (mpLayer* l : Curves()) {
      SCOPED_TRACE(i);
      EXPECT_EQ(l->GetPen().GetWidth(), width);
      EXPECT_EQ(l->GetPen().GetColour(), colours[i++]);
      EXPECT_EQ(l->GetContinuity(), continuous);
    }
  };

  Command(ID_POINTS);
  EXPECT_TRUE(frame->m_pointsMode);
  EXPECT_TRUE(ShowsOn(frame->m_pointsButton, PicturePoints));
  expectCurves(6, false);

  // A width chosen while points are drawn is the point width.
  wxTEST_DIALOG(Command(ID_WIDTH_VOLUME, wxEVT_MENU), WidthAnswer(3));
  EXPECT_EQ(frame->m_pointWidth, 3);
  EXPECT_EQ(frame->m_lineWidth, 4);

  Command(ID_POINTS);
  EXPECT_FALSE(frame->m_pointsMode);
  EXPECT_TRUE(ShowsOff(frame->m_pointsButton, PicturePoints));
  expectCurves(4, true);
  Command(ID_POINTS);
  expectCurves(3, false);
  Command(ID_POINTS);
  expectCurves(4, true);
}

TEST_F(StylesMeasureTest, MeasuringInEachViewShowsAndStoresTheValue) {
  OpenWithRecording();
  struct Case {
    const char* name;
    bool flow, volume, pressure;
    int mode;  // ID_MEASURE_FLOW or ID_MEASURE_PRESSURE
    const char* flowLcd;
    const char* pressureLcd;
    const char* clock;
    const char* flowStored;
    const char* pressureStored;
  };
  const Case cases[] = {
      {"flow", true, false, false, ID_MEASURE_FLOW, "13", "0.0", "00:02:10", "13", "-"},
      {"flow with pressure", true, false, true, ID_MEASURE_FLOW, "13", "0.0", "00:02:10", "13", "-"},
      {"pressure alone", false, false, true, ID_MEASURE_FLOW, "0", "2.35", "00:02:10", "-", "2.35"},
      {"volume stores nothing", false, true, false, ID_MEASURE_FLOW, "7", "0.0", "00:02:10", "-", "-"},
      // The right-hand curve's time shows on the clock too.
      {"right-hand pressure", true, false, true, ID_MEASURE_PRESSURE, "0", "2.35", "00:02:10", "-", "2.35"},
      {"right-hand with volume", false, true, true, ID_MEASURE_PRESSURE, "0", "2.35", "00:02:10", "-", "2.35"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetView(c.flow, c.volume, c.pressure);
    const bool flowMode = c.mode == ID_MEASURE_FLOW;
    if (frame->m_measureFlowOn != flowMode) Command(ID_MEASURE_FLOW);
    if (frame->m_measurePressureOn != !flowMode) Command(ID_MEASURE_PRESSURE);
    ResetReadouts();
    ClickAt(ColumnOf(130.0));
    EXPECT_EQ(frame->m_flowLcd->GetText(), c.flowLcd);
    EXPECT_EQ(frame->m_pressureLcd->GetText(), c.pressureLcd);
    EXPECT_EQ(frame->m_clockLcd->GetText(), c.clock);
    EXPECT_EQ(frame->m_recordings[0].GetFlowMeasurement(), c.flowStored);
    EXPECT_EQ(frame->m_recordings[0].GetPressureMeasurement(), c.pressureStored);
  }

  // With no recording on show the plot is empty: a click measures and stores nothing.
  SetView(true, false, false);
  Command(ID_MEASURE_FLOW);
  frame->m_recordings.Show(-1);
  ResetReadouts();
  ClickAt(ColumnOf(60.0));
  EXPECT_EQ(frame->m_flowLcd->GetText(), "0");
  EXPECT_EQ(frame->m_recordings[0].GetFlowMeasurement(), "-");
}

TEST_F(StylesMeasureTest, TheMeasuredPointStaysThroughZoomAndAClickTakesANewOne) {
  OpenWithRecording();
  Command(ID_MEASURE_FLOW);
  const int column = ColumnOf(200.0);
  ClickAt(column);
  EXPECT_EQ(frame->m_clockLcd->GetText(), "00:03:20");
  EXPECT_EQ(frame->m_recordings[0].GetFlowMeasurement(), "20");  // 19.6
  EXPECT_TRUE(frame->m_flowSeries->HasMarker());

  // Zooming in with the wheel keeps the point and its readouts; the marker goes with it.
  wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
  wheel.m_x = column;
  wheel.m_y = 40;
  wheel.m_wheelRotation = 120;
  wheel.m_wheelDelta = 120;
  wheel.SetControlDown(true);
  for (int i = 0; i < 3; ++i) frame->m_plot->GetEventHandler()->ProcessEvent(wheel);
  guitest::Capture(frame->m_plot);
  EXPECT_EQ(frame->m_clockLcd->GetText(), "00:03:20");
  EXPECT_EQ(frame->m_flowLcd->GetText(), "20");
  EXPECT_EQ(frame->m_flowSeries->GetMarkerX(), 200.0);

  // A click at the same column now takes the point under it at this zoom.
  ClickAt(column);
  const mpWindow* p = frame->m_plot;
  const double t = (column - p->GetPlotWidth() / 2) / p->GetPxPerUnitX() + p->GetCentreX();
  const int sample = static_cast<int>(std::lround(t / 10.0)) - 1;
  ASSERT_GE(sample, 0);
  ASSERT_LT(sample, 19);
  EXPECT_EQ(frame->m_clockLcd->GetText(), wxString::Format("00:%02d:%02d", (sample + 1) * 10 / 60, (sample + 1) * 10 % 60));
  EXPECT_EQ(frame->m_flowLcd->GetText(), wxString::Format("%d", sample + 1));  // i + 0.6 rounds up
  EXPECT_EQ(frame->m_recordings[0].GetFlowMeasurement(), std::string(frame->m_flowLcd->GetText().utf8_str()));

  // Measuring off: the marker stays, the readouts no longer change.
  Command(ID_MEASURE_FLOW);
  ResetReadouts();
  ClickAt(ColumnOf(60.0));
  EXPECT_TRUE(frame->m_flowSeries->HasMarker());
  EXPECT_EQ(frame->m_flowLcd->GetText(), "0");
}

TEST_F(StylesMeasureTest, MeasuringModesExcludeEachOtherWithCursorAndPictures) {
  Open();
  mpWindow* plot = frame->m_plot;
  Command(ID_MEASURE_FLOW);
  EXPECT_TRUE(frame->m_measureFlowOn);
  EXPECT_TRUE(plot->IsFlowMeasuring());
  EXPECT_TRUE(ShowsOn(frame->m_measureFlowButton, PictureMeasureFlow));
  EXPECT_EQ(CursorOf(plot), GDK_CROSSHAIR);

  Command(ID_MEASURE_PRESSURE);
  EXPECT_FALSE(frame->m_measureFlowOn);
  EXPECT_FALSE(plot->IsFlowMeasuring());
  EXPECT_TRUE(ShowsOff(frame->m_measureFlowButton, PictureMeasureFlow));
  EXPECT_TRUE(frame->m_measurePressureOn);
  EXPECT_TRUE(plot->IsPressureMeasuring());
  EXPECT_TRUE(ShowsOn(frame->m_measurePressureButton, PictureMeasurePressure));
  EXPECT_EQ(CursorOf(plot), GDK_CROSSHAIR);

  Command(ID_MEASURE_FLOW);
  EXPECT_TRUE(frame->m_measureFlowOn);
  EXPECT_FALSE(frame->m_measurePressureOn);
  EXPECT_FALSE(plot->IsPressureMeasuring());
  EXPECT_EQ(CursorOf(plot), GDK_CROSSHAIR);

  Command(ID_MEASURE_FLOW);
  EXPECT_FALSE(frame->m_measureFlowOn);
  EXPECT_FALSE(frame->m_measurePressureOn);
  EXPECT_TRUE(ShowsOff(frame->m_measureFlowButton, PictureMeasureFlow));
  EXPECT_NE(CursorOf(plot), GDK_CROSSHAIR);
  // The view's layers are back after every switch.
  EXPECT_EQ(plot->CountLayers(), 4);
}

TEST_F(StylesMeasureTest, GridSwitchesTheAxesBetweenTicksAndGridLines) {
  Open();
  Command(ID_GRID);
  EXPECT_TRUE(frame->m_showGrid);
  EXPECT_TRUE(ShowsOn(frame->m_gridButton, PictureGrid));
  for (mpLayer* axis : {static_cast<mpLayer*>(frame->m_timeAxis.get()), static_cast<mpLayer*>(frame->m_flowAxis.get()),
                        static_cast<mpLayer*>(frame->m_volumeAxis.get()), static_cast<mpLayer*>(frame->m_pressureAxis.get())})
    EXPECT_FALSE(axis->GetTicks());
  EXPECT_TRUE(frame->m_pressureAxisRight->GetTicks());
  EXPECT_EQ(frame->m_plot->LayerAt(0), frame->m_timeAxis.get());

  Command(ID_GRID);
  EXPECT_FALSE(frame->m_showGrid);
  EXPECT_TRUE(ShowsOff(frame->m_gridButton, PictureGrid));
  EXPECT_TRUE(frame->m_timeAxis->GetTicks());
  EXPECT_TRUE(frame->m_flowAxis->GetTicks());
}

TEST_F(StylesMeasureTest, ZoomButtonsStepInAndOut) {
  OpenWithRecording();
  const double fitted = frame->m_plot->GetPxPerUnitX();
  Command(ID_ZOOM_IN);
  const double zoomed = frame->m_plot->GetPxPerUnitX();
  EXPECT_GT(zoomed, fitted);
  Command(ID_ZOOM_OUT);
  EXPECT_LT(frame->m_plot->GetPxPerUnitX(), zoomed);
  EXPECT_NEAR(frame->m_plot->GetPxPerUnitX(), fitted, fitted * 1e-9);
}

// Not a check: the picture a user sees while measuring, for looking at by eye.
TEST_F(StylesMeasureTest, ScreenshotWhileMeasuring) {
  OpenWithRecording();
  frame->m_showPressure = true;
  frame->RebuildPlotLayers();
  frame->m_plot->Fit();
  Command(ID_MEASURE_FLOW);
  ClickAt(ColumnOf(130.0));
  Command(ID_MEASURE_PRESSURE);
  ClickAt(ColumnOf(90.0));
  ASSERT_TRUE(guitest::SavePng(guitest::Capture(frame->m_plot), "/tmp/measure.png"));
  ASSERT_TRUE(guitest::SavePng(guitest::Capture(frame), "/tmp/measure_window.png"));
  EXPECT_TRUE(frame->m_flowSeries->HasMarker());
  EXPECT_TRUE(frame->m_pressureSeriesRight->HasMarker());
}

// Not a check: what a user sees while zooming, panning and measuring a 15-minute recording
// with pressure on the right-hand axis, for looking at by eye.
TEST_F(StylesMeasureTest, ScreenshotsOfZoomPanAndMeasuring) {
  Open();
  Storage rec("12.03.2024 08:00:00", 1000, 1, false);
  rec.SetTitle("Gartenschlauch");
  rec.SetPressureUnit('b');
  for (int i = 0; i < 900; ++i) {
    const float tap = i > 120 && i < 700 ? 18.0f + 4.0f * std::sin(i / 40.0f) : 0.0f;
    rec.AppendSample(static_cast<float>(i + 1), tap, 3.2f - 0.05f * tap + 0.05f * std::sin(i / 7.0f), 0.0f);
  }
  frame->m_recordings.Append(rec);
  frame->ShowRecording(0);
  Command(ID_VIEW_PRESSURE);
  frame->SetSize(1200, 800);
  frame->Layout();
  guitest::Pump(20);
  guitest::Capture(frame);
  guitest::SavePng(guitest::Capture(frame), "/tmp/shot_both_axes.png");
  for (int i = 0; i < 6; ++i) Command(ID_ZOOM_IN);
  guitest::Pump(20);  // the scroll bars come and the window settles
  guitest::SavePng(guitest::Capture(frame), "/tmp/shot_zoom.png");
  wxMouseEvent down(wxEVT_RIGHT_DOWN);
  down.m_x = 500;
  down.m_y = 200;
  down.SetRightDown(true);
  frame->m_plot->GetEventHandler()->ProcessEvent(down);
  wxMouseEvent drag(wxEVT_MOTION);
  drag.m_x = 250;
  drag.m_y = 260;
  drag.SetRightDown(true);
  frame->m_plot->GetEventHandler()->ProcessEvent(drag);
  guitest::SavePng(guitest::Capture(frame), "/tmp/shot_pan.png");
  const int W = frame->m_plot->GetPlotWidth();
  Command(ID_MEASURE_FLOW);
  ClickAt(W * 2 / 5);
  Command(ID_MEASURE_PRESSURE);
  ClickAt(W * 3 / 5);
  guitest::SavePng(guitest::Capture(frame), "/tmp/shot_measure.png");
  Command(ID_ZOOM_FIT);
  guitest::SavePng(guitest::Capture(frame), "/tmp/shot_fit_measured.png");
  EXPECT_TRUE(frame->m_flowSeries->HasMarker());
  EXPECT_TRUE(frame->m_pressureSeriesRight->HasMarker());
}

}  // namespace
