// The views of the main window's plot, the units they are labelled in, and showing a recording.
#include <wx/dcmemory.h>
#include <wx/stattext.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MainFrameFixture.h"
#include "device/LoggerInfo.h"
#include "plot/Plot.h"

namespace {

class PlotAssemblyTest : public MainFrameTest {
 protected:
  std::vector<mpLayer*> Layers() { return frame->m_plot->LayersInOrder(); }
  // A recording of `n` one-second samples of a tap opening and closing.
  Storage Recording(int flowUnit, char pressureUnit, int serial, const std::string& title, int n = 120) {
    Storage s("9/03/2016 8:05:30", 1000, flowUnit, false);
    s.SetPressureScaling(104, 2, 15, pressureUnit);
    s.SetTitle(title);
    s.SetSerialNumber(serial);
    for (int i = 0; i < n; ++i) s.AddSample(i < n / 2 ? i / 4 : (n - i) / 4, 230 - i / 3);
    return s;
  }
};

}  // namespace

TEST_F(PlotAssemblyTest, EveryViewHasItsLayersInOrder) {
  Open();
  MainFrame& f = *frame;
  using L = std::vector<mpLayer*>;
  // Opens on the flow view.
  EXPECT_EQ(Layers(), (L{f.m_timeAxis.get(), f.m_flowAxis.get(), f.m_flowSeries.get(), f.m_legend.get()}));
  EXPECT_TRUE(f.m_showFlow);

  Command(ID_VIEW_PRESSURE);  // flow with pressure on the right-hand axis: six keys
  EXPECT_EQ(Layers(), (L{f.m_timeAxis.get(), f.m_flowAxis.get(), f.m_flowSeries.get(), f.m_pressureAxisRight.get(),
                         f.m_pressureSeriesRight.get(), f.m_legend.get()}));
  for (int key = 0; key <= 5; ++key) EXPECT_NE(f.m_plot->LayerAt(key), nullptr) << key;
  EXPECT_TRUE(f.m_timeAxis->GetReserveRight());
  EXPECT_TRUE(f.m_flowAxis->GetReserveRight());
  EXPECT_EQ(f.m_pressureSeriesRight->GetSeriesLabel(), "Druck");

  Command(ID_VIEW_VOLUME);  // volume with pressure
  EXPECT_EQ(Layers(), (L{f.m_timeAxis.get(), f.m_volumeAxis.get(), f.m_volumeSeries.get(), f.m_pressureAxisRight.get(),
                         f.m_pressureSeriesRight.get(), f.m_legend.get()}));
  EXPECT_EQ(f.m_volumeSeries->GetSeriesLabel(), "Volumen");
  Command(ID_VIEW_VOLUME);  // twice: still the volume view
  EXPECT_TRUE(f.m_showVolume);
  EXPECT_FALSE(f.m_showFlow);

  Command(ID_VIEW_FLOW);  // from volume: flow on
  EXPECT_TRUE(f.m_showFlow);
  EXPECT_FALSE(f.m_showVolume);
  Command(ID_VIEW_FLOW);  // flow off with pressure on: pressure alone on the left axis
  EXPECT_EQ(Layers(), (L{f.m_timeAxis.get(), f.m_pressureAxis.get(), f.m_pressureSeries.get(), f.m_legend.get()}));
  EXPECT_FALSE(f.m_timeAxis->GetReserveRight());
  EXPECT_EQ(f.m_pressureAxis->GetCaption(), "Druck");

  Command(ID_VIEW_PRESSURE);  // nothing left: an empty plot
  EXPECT_TRUE(Layers().empty());
  f.m_plot->Fit();
}

TEST_F(PlotAssemblyTest, UnitsFollowTheRecordingOrTheLogger) {
  Open();
  MainFrame& f = *frame;
  f.m_recordings.Append(Recording(0, 'b', 0, "Speicher"));
  f.m_recordings.Append(Recording(1, 'p', 1234, "Verbunden"));
  f.ShowRecording(0);
  EXPECT_EQ(f.m_flowAxis->GetName(), "Durchfluss (Gallone/min)");
  EXPECT_EQ(f.m_volumeAxis->GetName(), "Gallone");
  EXPECT_EQ(f.m_pressureAxis->GetName(), "Druck (bar)");
  EXPECT_EQ(f.m_pressureAxisRight->GetName(), "Druck (bar)");
  EXPECT_EQ(f.m_flowSeries->GetUnitText(), "g/min");
  EXPECT_EQ(f.m_volumeSeries->GetUnitText(), "Gallone");
  EXPECT_EQ(f.m_pressureSeries->GetUnitText(), "Bar");
  EXPECT_EQ(f.m_flowUnitLabel->GetLabel(), "g/min");
  EXPECT_EQ(f.m_pressureUnitLabel->GetLabel(), "Bar");

  f.ShowRecording(1);
  EXPECT_EQ(f.m_flowAxis->GetName(), "Durchfluss (Liter/min)");
  EXPECT_EQ(f.m_pressureAxis->GetName(), "Druck (psi)");
  EXPECT_EQ(f.m_pressureUnitLabel->GetLabel(), "psi");
  // A view command keeps the shown recording's units, whatever the logger's are now.
  g_flowUnitLitres = 0;
  g_pressureUnit = 'b';
  Command(ID_VIEW_VOLUME);
  EXPECT_EQ(f.m_flowUnitLabel->GetLabel(), "Liter");
  EXPECT_EQ(f.m_pressureUnitLabel->GetLabel(), "psi");
  EXPECT_EQ(f.m_volumeAxis->GetName(), "Liter");
  // With nothing shown, the logger's units.
  f.m_recordings.Show(-1);
  Command(ID_VIEW_FLOW);
  EXPECT_EQ(f.m_flowUnitLabel->GetLabel(), "g/min");
  EXPECT_EQ(f.m_pressureUnitLabel->GetLabel(), "Bar");
}

TEST_F(PlotAssemblyTest, ShowingARecordingLoadsTitlesFootnoteAndMarkers) {
  Open();
  MainFrame& f = *frame;
  f.m_recordings.Append(Recording(1, 'b', 1234, "Speicher"));
  f.m_recordings.Append(Recording(1, 'b', 0, "Dusche"));
  f.m_recordings[0].SetInfo("Keller");
  f.ShowRecording(0);
  EXPECT_EQ(f.m_recordings.Shown(), 0);
  EXPECT_EQ(f.m_flowSeries->GetName(), "Speicher 9/03/2016 8:05:30");
  EXPECT_EQ(f.m_pressureSeriesRight->GetSubtitle(), "Keller");
  EXPECT_EQ(f.m_volumeSeries->GetFootnote(), "Corvane Serial No. 1234");
  EXPECT_EQ(f.m_flowSeries->PointCount(), 120u);

  // Markers survive reloading the same recording, not loading another.
  f.m_flowSeries->SetHasMarker(true);
  f.ShowRecording(0);
  EXPECT_TRUE(f.m_flowSeries->HasMarker());
  f.ShowRecording(1);
  EXPECT_FALSE(f.m_flowSeries->HasMarker());
  // Serial number 0: no footnote (not the serial number of another recording's logger).
  EXPECT_EQ(f.m_flowSeries->GetFootnote(), "");
  EXPECT_EQ(f.m_flowSeries->GetName(), "Dusche 9/03/2016 8:05:30");

  f.ShowRecording(-1);  // nothing happens
  EXPECT_EQ(f.m_recordings.Shown(), 1);
  // The set showing none empties the plot.
  f.m_recordings.Show(-1);
  EXPECT_EQ(f.m_flowSeries->PointCount(), 0u);
  EXPECT_EQ(f.m_flowSeries->GetName(), "");
}

TEST_F(PlotAssemblyTest, ScreenshotsOfTheViews) {
  Open();
  MainFrame& f = *frame;
  f.m_recordings.Append(Recording(1, 'b', 4711, "Speicher", 600));
  f.m_recordings[0].SetInfo("Gartenschlauch");
  f.ShowRecording(0);
  struct Shot {
    std::vector<int> commands;
    const char* name;
  };
  const Shot shots[] = {{{ID_VIEW_PRESSURE}, "flow_pressure"},
                        {{ID_VIEW_VOLUME}, "volume_pressure"},
                        {{ID_VIEW_PRESSURE, ID_VIEW_VOLUME, ID_VIEW_FLOW, ID_VIEW_FLOW, ID_VIEW_PRESSURE}, "pressure"}};
  for (const Shot& shot : shots) {
    for (int id : shot.commands) Command(id);
    for (bool grid : {false, true}) {
      f.m_showGrid = grid;
      f.RebuildPlotLayers();
      const wxBitmap bmp = f.m_plot->SnapshotBitmap();
      EXPECT_TRUE(bmp.IsOk());
      guitest::SavePng(guitest::Capture(f.m_plot),
                       wxString::Format("/tmp/view_%s%s.png", shot.name, grid ? "_grid" : ""));
    }
  }
  EXPECT_TRUE(f.m_showPressure);
  EXPECT_FALSE(f.m_showFlow);
  EXPECT_FALSE(f.m_showVolume);
}

namespace {

// The curves read the shown recording's own arrays. After each change of the set they must
// show exactly what the recording holds now, wherever its arrays went; a paint reads every
// point drawn, so a sanitizer build catches a curve left on freed arrays.
class CurveLifetimeTest : public PlotAssemblyTest {
 protected:
  void ExpectCurvesShowTheRecording(const std::string& step, bool everyPoint = true) {
    MainFrame& f = *frame;
    wxBitmap bmp(f.m_plot->GetClientSize());
    {
      wxMemoryDC dc(bmp);
      f.m_plot->DrawView(dc);
    }
    const int shown = f.m_recordings.Shown();
    static const std::vector<float> none;
    const Storage* rec = shown >= 0 ? &f.m_recordings[static_cast<size_t>(shown)] : nullptr;
    const std::vector<float>& time = rec ? rec->GetTime() : none;
    const std::pair<mpCurve*, const std::vector<float>*> curves[] = {
        {f.m_flowSeries.get(), rec ? &rec->GetFlow() : &none},
        {f.m_volumeSeries.get(), rec ? &rec->GetVolume() : &none},
        {f.m_pressureSeries.get(), rec ? &rec->GetPressure() : &none},
        {f.m_pressureSeriesRight.get(), rec ? &rec->GetPressure() : &none}};
    for (const auto& [curve, values] : curves) {
      const int n = static_cast<int>(time.size());
      ASSERT_EQ(curve->PointCount(), n) << step;
      const int stride = everyPoint ? 1 : std::max(1, n - 1);
      for (int i = 0; i < n; i += stride) {
        double x = 0, y = 0;
        ASSERT_TRUE(curve->PointAt(x, y, i)) << step;
        ASSERT_EQ(x, time[static_cast<size_t>(i)]) << step << " point " << i;
        ASSERT_EQ(y, (*values)[static_cast<size_t>(i)]) << step << " point " << i;
      }
    }
  }
};

}  // namespace

TEST_F(CurveLifetimeTest, CurvesFollowEveryChangeOfTheRecordings) {
  Open();
  MainFrame& f = *frame;
  Command(ID_VIEW_PRESSURE);  // flow with pressure on the right: both kinds of curve drawn
  for (const char* title : {"Erste", "Zweite", "Dritte"}) f.m_recordings.Append(Recording(1, 'b', 0, title, 5000));
  f.ShowRecording(0);
  ExpectCurvesShowTheRecording("shown");
  f.FilterAction();  // the filter replaces the arrays, and back
  ASSERT_TRUE(f.m_recordings[0].IsFiltered());
  ExpectCurvesShowTheRecording("filter on");
  f.FilterAction();
  ExpectCurvesShowTheRecording("filter off");
  f.m_recordings.SetTitle(0, "Umbenannt");
  ExpectCurvesShowTheRecording("renamed");
  f.ShowRecording(2);
  f.m_recordings.Remove(0);  // the shown recording moves up a row
  ExpectCurvesShowTheRecording("row before removed");
  f.m_recordings.Remove(1);  // the shown one itself goes
  ExpectCurvesShowTheRecording("shown removed");
  std::vector<Storage> opened;
  opened.push_back(Recording(1, 'b', 0, "Datei", 300));
  f.m_recordings.Replace(std::move(opened), "/tmp/x.kdl", true);  // as opening a work file or a download
  ExpectCurvesShowTheRecording("replaced");
  f.m_recordings.Replace({}, "", true);
  ExpectCurvesShowTheRecording("emptied");

  // Live reading at 0.1 s, 73 samples a tick, past the sizes at which the recording's arrays
  // move to bigger buffers; the filter on and off and a rename on the way.
  bus->Unplug(slot);
  sim::BlockParams p;
  p.rateWord = 0xFE67;
  logger = std::make_shared<sim::SimLogger>(0x0403, p);
  slot = bus->Plug(logger);
  f.m_recordings.Append(Recording(1, 'b', 0, "Davor", 200));
  Command(ID_LIVE_START);
  ASSERT_TRUE(f.IsLive());
  const float* firstBuffer = nullptr;
  int moves = 0;
  for (int t = 1; t <= 1150; ++t) {
    logger->AdvanceMs(7300);
    wxTimerEvent tick(f.m_liveTimer);
    f.GetEventHandler()->ProcessEvent(tick);
    const float* buffer = f.m_recordings.back().GetTime().data();
    moves += firstBuffer && buffer != firstBuffer;
    firstBuffer = buffer;
    if (t == 700) f.FilterAction();
    if (t == 900) f.FilterAction();
    if (t == 1000) f.m_recordings.SetTitle(static_cast<int>(f.m_recordings.size()) - 1, "Live");
    if (t == 1050) f.ShowRecording(0);  // another recording on show; the next tick shows the live one again
    ExpectCurvesShowTheRecording("live tick " + std::to_string(t), false);
  }
  EXPECT_GE(moves, 3);  // the arrays did move under the curves
  ASSERT_GT(f.m_recordings.back().GetSampleCount(), 80000);
  EXPECT_TRUE(f.m_plot->SnapshotBitmap().IsOk());  // the image export draws the same curves
  Command(ID_LIVE_STOP);
  ExpectCurvesShowTheRecording("stopped");
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
}
