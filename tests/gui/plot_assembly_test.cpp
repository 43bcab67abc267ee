// The views of the main window's plot, the units they are labelled in, and showing a recording.
#include "MainFrameFixture.h"
#include "device/LoggerInfo.h"
#include "plot/Plot.h"

#include <wx/stattext.h>

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
  EXPECT_EQ(Layers(), (L{f.m_timeAxis.get(), f.m_volumeAxis.get(), f.m_volumeSeries.get(),
                         f.m_pressureAxisRight.get(), f.m_pressureSeriesRight.get(), f.m_legend.get()}));
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
      guitest::SavePng(guitest::Capture(f.m_plot), wxString::Format("/tmp/view_%s%s.png", shot.name, grid ? "_grid" : ""));
    }
  }
  EXPECT_TRUE(f.m_showPressure);
  EXPECT_FALSE(f.m_showFlow);
  EXPECT_FALSE(f.m_showVolume);
}
