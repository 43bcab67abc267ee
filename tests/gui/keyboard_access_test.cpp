// The main window without a mouse: Tab order, keys on buttons, and the names the
// accessibility bus (ATK on GTK) gives each control.
#include <gtk/gtk.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include "RecordingsWindowSupport.h"
#include "app/wxVellButton.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"

using namespace rectest;

namespace {

wxString AccessibleName(GtkWidget* widget) {
  const char* name = atk_object_get_name(gtk_widget_get_accessible(widget));
  return name ? wxString::FromUTF8(name) : wxString();
}
wxString AccessibleName(wxWindow* w) { return AccessibleName(static_cast<GtkWidget*>(w->GetHandle())); }

class KeyboardTest : public MainFrameTest {
 protected:
  // The window that has the focus after one Tab (or Shift+Tab) press.
  wxWindow* Tab(bool back = false) {
    wxWindow* before = wxWindow::FindFocus();
    m_keys.Char(WXK_TAB, back ? wxMOD_SHIFT : wxMOD_NONE);
    guitest::PumpUntil([&] { return wxWindow::FindFocus() != before; });
    return wxWindow::FindFocus();
  }

  // Presses `key` on `w` once it has the focus; true when `happened` follows.
  bool PressOn(wxWindow* w, int key, const std::function<bool()>& happened) {
    w->SetFocus();
    if (!guitest::PumpUntil([&] { return wxWindow::FindFocus() == w; })) return false;
    m_keys.Char(key);
    return guitest::PumpUntil(happened);
  }

  wxUIActionSimulator m_keys;
};

}  // namespace

// Tab visits the controls in the order of the layout, left column top to bottom (the plot
// after its tools), then the right column; disabled buttons, the badge and the drawn
// readouts are passed over.
TEST_F(KeyboardTest, TabFollowsTheLayout) {
  Open();
  Activate();
  MainFrame* f = frame;
  const std::vector<wxWindow*> atStart = {
      f->m_openButton,     f->m_saveButton,       f->m_printButton,        f->m_imageButton,
      f->m_viewFlowButton, f->m_viewVolumeButton, f->m_viewPressureButton, f->m_zoomInButton,
      f->m_zoomOutButton,  f->m_fitButton,        f->m_measureFlowButton,  f->m_measurePressureButton,
      f->m_gridButton,     f->m_pointsButton,     f->m_filterButton,       f->m_plot,
      f->m_startButton,    f->m_settingsButton,   f->m_clearButton,        f->m_downloadButton,
      f->m_recordList};
  f->m_openButton->SetFocus();
  ASSERT_TRUE(guitest::PumpUntil([&] { return wxWindow::FindFocus() == f->m_openButton; }));
  for (size_t i = 1; i < atStart.size(); ++i) EXPECT_EQ(Tab(), atStart[i]) << "stop " << i;
  EXPECT_EQ(Tab(), f->m_openButton);  // round again
  EXPECT_EQ(Tab(true), f->m_recordList);
  // Backwards, GTK's list stops on its headings too (they read out the column names).
  Tab(true);
  GtkWidget* heading = gtk_window_get_focus(GTK_WINDOW(frame->GetHandle()));
  ASSERT_TRUE(heading);
  EXPECT_EQ(gtk_widget_get_parent(heading), GTK_WIDGET(TreeOf(f->m_recordList)));
  EXPECT_EQ(Tab(true), f->m_downloadButton);

  // With a recording on show its three buttons come between the device row and the list,
  // as they stand above the list.
  f->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20)}, "", false);
  f->m_downloadButton->SetFocus();
  ASSERT_TRUE(guitest::PumpUntil([&] { return wxWindow::FindFocus() == f->m_downloadButton; }));
  EXPECT_EQ(Tab(), f->m_removeButton);
  EXPECT_EQ(Tab(), f->m_titleButton);
  EXPECT_EQ(Tab(), f->m_infoButton);
  EXPECT_EQ(Tab(), f->m_recordList);
}

// Space and Enter press the focused button: caption buttons, picture buttons and push buttons.
TEST_F(KeyboardTest, SpaceAndEnterPressButtons) {
  Open();
  Activate();
  const bool grid = frame->m_showGrid;
  EXPECT_TRUE(PressOn(frame->m_gridButton, WXK_SPACE, [&] { return frame->m_showGrid != grid; }));
  EXPECT_TRUE(PressOn(frame->m_gridButton, WXK_RETURN, [&] { return frame->m_showGrid == grid; }));

  // A picture-only button: live reading starts and stops from the keyboard.
  EXPECT_TRUE(PressOn(frame->m_startButton, WXK_SPACE, [&] { return frame->IsLive(); }));
  EXPECT_TRUE(PressOn(frame->m_stopButton, WXK_RETURN, [&] { return !frame->IsLive(); }));

  // A push button opens its dialog.
  frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20)}, "", false);
  bool asked = false;
  wxTEST_DIALOG(
      asked = PressOn(frame->m_titleButton, WXK_SPACE, [&] { return frame->m_recordings[0].GetTitle() == "Neu"; }),
      TextAnswer("Neu", wxID_OK));
  EXPECT_TRUE(asked);
}

// The plot takes the keyboard from Tab, and its keys work there: + and - zoom, Home shows
// everything. While it has the keyboard it shows the focus frame; a snapshot never does.
TEST_F(KeyboardTest, PlotKeysAfterTab) {
  Open();
  Activate();
  frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 200)}, "", false);
  mpWindow* plot = frame->m_plot;
  const auto blueCorner = [](const wxImage& picture) {
    return picture.GetRed(1, 1) == 0x1a && picture.GetGreen(1, 1) == 0x5f && picture.GetBlue(1, 1) == 0xb4;
  };
  const auto framed = [&] { return blueCorner(guitest::Capture(plot).ConvertToImage()); };
  EXPECT_FALSE(framed());
  frame->m_filterButton->SetFocus();
  ASSERT_TRUE(guitest::PumpUntil([&] { return wxWindow::FindFocus() == frame->m_filterButton; }));
  ASSERT_EQ(Tab(), plot);
  EXPECT_TRUE(framed());
  EXPECT_FALSE(blueCorner(plot->SnapshotBitmap().ConvertToImage()));

  plot->Fit();
  const double fitted = plot->GetPxPerUnitX();
  m_keys.Char(WXK_NUMPAD_ADD);  // '+' itself would need the layout's shift state
  EXPECT_TRUE(guitest::PumpUntil([&] { return plot->GetPxPerUnitX() > fitted; }));
  m_keys.Char(WXK_HOME);
  EXPECT_TRUE(guitest::PumpUntil([&] { return plot->GetPxPerUnitX() == fitted; }));
  m_keys.Char('-');
  EXPECT_TRUE(guitest::PumpUntil([&] { return plot->GetPxPerUnitX() < fitted; }));
  EXPECT_EQ(wxWindow::FindFocus(), plot);

  // A screen reader speaks the name and role of the widget with the keyboard.
  GtkWidget* focused = gtk_window_get_focus(GTK_WINDOW(frame->GetHandle()));
  EXPECT_EQ(AccessibleName(focused), "Diagramm");
  EXPECT_EQ(atk_object_get_role(gtk_widget_get_accessible(focused)), ATK_ROLE_CHART);

  EXPECT_EQ(Tab(), frame->m_startButton);
  EXPECT_FALSE(framed());
}

// Every button has a name a screen reader can speak: its caption, or for a picture-only
// button what its tooltip says; the readouts carry their value in their name.
TEST_F(KeyboardTest, AccessibleNames) {
  Open();
  int buttons = 0;
  for (wxWindow* child : frame->m_panel->GetChildren()) {
    auto* button = dynamic_cast<wxButton*>(child);
    if (!button) continue;
    ++buttons;
    wxString expected = button->GetLabel();
    if (auto* vell = dynamic_cast<wxVellButton*>(button))
      expected = vell->GetCaptionText();
    else if (dynamic_cast<wxBitmapButton*>(button))
      expected = button->GetToolTipText();
    EXPECT_FALSE(expected.empty()) << button->GetId();
    EXPECT_EQ(AccessibleName(button), expected) << button->GetId();
  }
  EXPECT_EQ(buttons, 24);
  EXPECT_EQ(AccessibleName(frame->m_downloadButton), "Upload all data from device");
  EXPECT_EQ(AccessibleName(frame->m_zoomInButton), wxString::FromUTF8("Vergrößern"));
  EXPECT_EQ(AccessibleName(frame->m_fitButton), "Passend");

  EXPECT_EQ(AccessibleName(GTK_WIDGET(TreeOf(frame->m_recordList))), "Messwerte");
  EXPECT_EQ(AccessibleName(frame->m_batteryGauge), "Batterie");
  EXPECT_EQ(AccessibleName(frame->m_memoryGauge), "Speicher");
  EXPECT_EQ(AccessibleName(frame->m_flowLcd), "Durchfluss: 0");
  frame->m_flowLcd->SetText("12");
  frame->m_pressureLcd->SetText("3.4");
  frame->m_clockLcd->ShowElapsed(75);
  EXPECT_EQ(AccessibleName(frame->m_flowLcd), "Durchfluss: 12");
  EXPECT_EQ(AccessibleName(frame->m_pressureLcd), "Druck: 3.4");
  EXPECT_EQ(AccessibleName(frame->m_clockLcd), "Zeit: " + frame->m_clockLcd->GetText());
  // Toggle buttons tell whether they are on.
  const auto description = [](wxWindow* w) {
    return wxString::FromUTF8(
        atk_object_get_description(gtk_widget_get_accessible(static_cast<GtkWidget*>(w->GetHandle()))));
  };
  EXPECT_EQ(description(frame->m_viewFlowButton), "Display or hide the flow data, eingeschaltet");
  EXPECT_EQ(description(frame->m_gridButton), "Display grid on plot, ausgeschaltet");
  Command(ID_GRID);
  EXPECT_EQ(description(frame->m_gridButton), "Display grid on plot, eingeschaltet");
  EXPECT_EQ(atk_object_get_role(gtk_widget_get_accessible(static_cast<GtkWidget*>(frame->m_flowLcd->GetHandle()))),
            ATK_ROLE_LABEL);
}

// The list's cells as the accessibility bus reads them follow every change of the set.
TEST_F(KeyboardTest, ListCellsFollowChanges) {
  Open();
  frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20), MakeRecord("B", "2/01/2026 9:00:00", 30)}, "",
                              false);
  AtkObject* table = gtk_widget_get_accessible(GTK_WIDGET(TreeOf(frame->m_recordList)));
  ASSERT_TRUE(ATK_IS_TABLE(table));
  const auto cell = [&](int row, int column) {
    AtkObject* c = atk_table_ref_at(ATK_TABLE(table), row, column);
    const wxString name = c && atk_object_get_name(c) ? wxString::FromUTF8(atk_object_get_name(c)) : wxString();
    if (c) g_object_unref(c);
    return name;
  };
  EXPECT_EQ(atk_table_get_n_rows(ATK_TABLE(table)), 2);
  EXPECT_EQ(cell(1, 0), "B");
  EXPECT_EQ(cell(1, 3), "00:30");
  frame->m_recordings.SetTitle(1, "Garten");  // the same rows: the cell is written in place
  EXPECT_EQ(cell(1, 0), "Garten");
  frame->m_recordings.Append(MakeRecord("C", "3/01/2026 10:00:00", 40));
  EXPECT_EQ(atk_table_get_n_rows(ATK_TABLE(table)), 3);
  EXPECT_EQ(cell(2, 0), "C");
}
