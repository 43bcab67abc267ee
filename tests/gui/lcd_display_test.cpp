// The LCD controls drawn in a real window: lit segments where the text says, nothing else
// visible, the drawing centred, and a picture in /tmp/lcd.png to look at.
#include "GuiHarness.h"
#include "LcdLayout.h"
#include "kwxLCDDisplay.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <cstdlib>
#include <string>

namespace {

const wxColour BACKGROUND(236, 233, 216);
const wxColour LIT(60, 80, 200);

bool Near(const wxImage& img, int x, int y, const wxColour& c, int tolerance = 12) {
  return std::abs(img.GetRed(x, y) - c.Red()) <= tolerance &&
         std::abs(img.GetGreen(x, y) - c.Green()) <= tolerance &&
         std::abs(img.GetBlue(x, y) - c.Blue()) <= tolerance;
}

bool IsBackground(const wxImage& img, int x, int y) { return Near(img, x, y, BACKGROUND, 2); }

// Bounding box of every pixel that is not background; empty when there is none.
wxRect DrawnBox(const wxImage& img) {
  wxRect box;
  for (int y = 0; y < img.GetHeight(); ++y)
    for (int x = 0; x < img.GetWidth(); ++x)
      if (!IsBackground(img, x, y)) box.Union(wxRect(x, y, 1, 1));
  return box;
}

// The control's drawing at a given size, rendered off screen (deterministic).
wxImage Draw(kwxLCDDisplay* d, wxSize size) {
  wxBitmap bmp(size);
  {
    wxMemoryDC dc(bmp);
    d->Render(dc, size);
  }
  return bmp.ConvertToImage();
}

// Number of pixels where two pictures of the same size differ visibly (window and memory
// contexts antialias edges a shade differently).
int Differences(const wxImage& a, const wxImage& b) {
  int n = 0;
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x)
      if (!Near(b, x, y, wxColour(a.GetRed(x, y), a.GetGreen(x, y), a.GetBlue(x, y)), 24)) ++n;
  return n;
}

class LcdDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_frame = new wxFrame(nullptr, wxID_ANY, "lcd", wxPoint(0, 0), wxSize(800, 400));
    m_frame->SetBackgroundColour(BACKGROUND);
    m_frame->Show();
    guitest::Pump();
  }
  void TearDown() override {
    m_frame->Destroy();
    guitest::Pump();
  }

  template <class T>
  T* Make(wxPoint pos, wxSize size, int cells) {
    auto* d = new T(m_frame, pos, size);
    d->SetDigitCount(cells);
    return d;
  }

  // A new window shows on the X screen only after some rounds of events; until then a screen
  // capture reads black. The display's corners are margin, so they turn background when it is.
  static wxImage CaptureWhenShown(wxWindow* w) {
    wxImage img;
    guitest::PumpUntil([&] {
      img = guitest::Capture(w).ConvertToImage();
      return IsBackground(img, 0, 0) && IsBackground(img, img.GetWidth() - 1, img.GetHeight() - 1);
    });
    return img;
  }

  wxFrame* m_frame = nullptr;
};

TEST_F(LcdDisplayTest, ConstructedAsAPlainBorderlessPanel) {
  auto* d = new kwxLCDDisplay(m_frame, wxPoint(0, 0), wxSize(100, 40));
  EXPECT_EQ(d->GetName(), "panel");
  EXPECT_EQ(d->GetBorder(), wxBORDER_NONE);
  EXPECT_EQ(d->GetBackgroundColour(), BACKGROUND);
  EXPECT_EQ(d->GetOffColour(), BACKGROUND);
  EXPECT_EQ(d->GetOnColour(), LIT);
  EXPECT_EQ(d->GetDigitCount(), 5);
  EXPECT_TRUE(d->GetText().empty());
}

// At scale 1 each segment is 11 pixels thick: its centre pixel shows its state exactly.
TEST_F(LcdDisplayTest, LitSegmentsFollowTheText) {
  lcd::Geometry g;
  g.digitCount = 6;
  const wxSize size(g.DrawingWidth(), g.CellHeight());
  auto* d = Make<kwxLCDDisplay>(wxPoint(0, 0), size, 6);

  for (const char* text : {"12.5", "-3.2", "Err", "8.8.8.8.8.8."}) {
    SCOPED_TRACE(text);
    d->SetText(text);
    const wxImage img = Draw(d, size);
    const std::string s(text);
    const auto cells = lcd::LayoutCells(std::u32string(s.begin(), s.end()), 6);
    for (int i = 0; i < 6; ++i) {
      const int x0 = g.CellLeft(i);
      const int y0 = g.CellTop();
      const std::uint8_t mask = lcd::SegmentsFor(cells[i].ch);
      for (int bit = 0; bit < lcd::SEGMENT_COUNT; ++bit) {
        const lcd::Polygon p = g.SegmentPolygon(bit);
        int cx = 0, cy = 0;
        for (int k = 0; k < p.count; ++k) cx += p.points[k].x, cy += p.points[k].y;
        cx = x0 + cx / p.count;
        cy = y0 + cy / p.count;
        const bool lit = (mask >> bit) & 1;
        EXPECT_TRUE(lit ? Near(img, cx, cy, LIT) : IsBackground(img, cx, cy))
            << "cell " << i << " segment " << bit;
      }
      const lcd::Rect pt = g.DecimalPointBox();
      const int px = x0 + pt.x + pt.width / 2, py = y0 + pt.y + pt.height / 2;
      EXPECT_TRUE(cells[i].point ? Near(img, px, py, LIT) : IsBackground(img, px, py))
          << "point of cell " << i;
    }
  }
}

// The window's pressure display is at least 100 x 40 pixels for six cells: its decimal point
// must show, and be at least as wide as a segment's stroke.
TEST_F(LcdDisplayTest, DecimalPointReadsAtTheSmallestDisplay) {
  const wxSize size(100, 40);
  auto* d = Make<kwxLCDDisplay>(wxPoint(0, 0), size, 6);
  d->SetText("2.92");
  const wxImage withPoint = Draw(d, size);
  d->SetText("292");
  const wxImage without = Draw(d, size);
  // The lit pixels only the point adds, and the widest run of them.
  int lit = 0, widest = 0;
  for (int y = 0; y < size.y; ++y) {
    int run = 0;
    for (int x = 0; x < size.x; ++x) {
      const bool added = Near(withPoint, x, y, LIT, 60) && !Near(without, x, y, LIT, 60) &&
                         !Near(withPoint, x, y, BACKGROUND, 40);
      run = added ? run + 1 : 0;
      lit += added;
      widest = std::max(widest, run);
    }
  }
  lcd::Geometry g;
  g.digitCount = 6;
  const double scale = std::min(100.0 / g.DrawingWidth(), 40.0 / g.CellHeight());
  EXPECT_GE(lit, 4);
  EXPECT_GE(widest, static_cast<int>(g.segmentThickness * scale));
}

TEST_F(LcdDisplayTest, UnlitSegmentsAndBlankTextAreInvisible) {
  const wxSize size(341, 90);
  auto* d = Make<kwxLCDDisplay>(wxPoint(0, 0), size, 6);
  d->SetText("");
  EXPECT_TRUE(DrawnBox(Draw(d, size)).IsEmpty());
  d->SetText("bhx");  // unknown letters: empty cells
  EXPECT_TRUE(DrawnBox(Draw(d, size)).IsEmpty());

  // Only the middle bar of the rightmost cell is drawn for "-".
  lcd::Geometry g;
  g.digitCount = 6;
  d->SetText("-");
  const wxRect box = DrawnBox(Draw(d, size));
  const int x0 = g.CellLeft(0);
  EXPECT_NEAR(box.GetLeft(), x0, 1);
  EXPECT_NEAR(box.GetRight(), x0 + 40, 1);
  EXPECT_NEAR(box.GetTop(), g.CellTop() + 35, 1);
  EXPECT_NEAR(box.GetBottom(), g.CellTop() + 46, 1);
}

TEST_F(LcdDisplayTest, KeepsProportionsAndCentres) {
  // Five cells need 285 x 90 units; a 400 x 90 window scales by 1 and centres by 57.
  auto* d = Make<kwxLCDDisplay>(wxPoint(0, 0), wxSize(400, 90), 5);
  d->SetText("88888");
  wxRect box = DrawnBox(Draw(d, wxSize(400, 90)));
  EXPECT_NEAR(box.GetLeft(), 57 + 5, 1);
  EXPECT_NEAR(box.GetRight(), 57 + 229 + 40, 1);
  EXPECT_NEAR(box.GetTop(), 5, 1);
  EXPECT_NEAR(box.GetBottom(), 85, 1);

  // A tall window: the width decides and the drawing moves to the vertical middle.
  box = DrawnBox(Draw(d, wxSize(285, 300)));
  EXPECT_NEAR(box.GetTop(), 105 + 5, 1);
  EXPECT_NEAR(box.GetBottom(), 105 + 85, 1);

  // Fewer cells: the same text is cut to the last cells and drawn bigger.
  d->SetDigitCount(2);
  box = DrawnBox(Draw(d, wxSize(400, 90)));
  const lcd::Fit fit = lcd::FitToWindow(400, 90, 117, 90);
  EXPECT_NEAR(box.GetLeft(), fit.originX + 5, 1);
}

TEST_F(LcdDisplayTest, ClockShowsElapsedTimeWithColons) {
  auto* clock = Make<kwxLCDClock>(wxPoint(0, 0), wxSize(150, 40), 7);
  clock->ShowElapsed(0);
  EXPECT_EQ(clock->GetText(), "00:00:00");
  clock->ShowElapsed(65.9f);
  EXPECT_EQ(clock->GetText(), "00:01:05");
  clock->ShowElapsed(-4.0f);
  EXPECT_EQ(clock->GetText(), "00:00:00");

  // Big enough to read pixels: the colons of cells 2 and 5 are lit.
  clock->ShowElapsed(65);
  const wxImage img = Draw(clock, wxSize(7 * 56 + 5, 90));
  lcd::Geometry g;
  g.digitCount = 7;
  for (int i : {2, 5}) {
    for (const lcd::Rect& r : g.ColonBoxes()) {
      EXPECT_TRUE(Near(img, g.CellLeft(i) + r.x + r.width / 2, g.CellTop() + r.y + r.height / 2,
                       LIT))
          << "colon in cell " << i;
    }
  }
}

TEST_F(LcdDisplayTest, EmptyWindowsAndCellCountsDrawNothing) {
  auto* d = Make<kwxLCDDisplay>(wxPoint(0, 0), wxSize(100, 40), 0);
  d->SetText("12.5");
  EXPECT_TRUE(DrawnBox(Draw(d, wxSize(100, 40))).IsEmpty());
  d->SetDigitCount(6);
  {
    wxBitmap bmp(100, 40);
    wxMemoryDC dc(bmp);
    d->Render(dc, wxSize(0, 0));  // only clears
    d->Render(dc, wxSize(100, 40));
    double sx = 0, sy = 0;  // a caller's context comes back as it was
    dc.GetUserScale(&sx, &sy);
    EXPECT_EQ(sx, 1.0);
    EXPECT_EQ(dc.GetDeviceOrigin(), wxPoint(0, 0));
  }
  d->SetDigitCount(-5);
  EXPECT_EQ(d->GetDigitCount(), 0);
  d->SetDigitCount(1 << 30);
  EXPECT_EQ(d->GetDigitCount(), lcd::MAX_DIGIT_COUNT);
  d->SetSize(0, 0);  // painting a zero-sized control must not break the context
  d->Refresh();
  d->Update();
  guitest::Pump();
}

// On screen the paint draws what Render draws, and every change shows without further ado.
TEST_F(LcdDisplayTest, PaintsChangesOnScreen) {
  auto* d = Make<kwxLCDDisplay>(wxPoint(20, 20), wxSize(341, 90), 6);
  CaptureWhenShown(d);
  d->SetText("12.5");
  wxImage shown = guitest::Capture(d).ConvertToImage();
  EXPECT_EQ(Differences(shown, Draw(d, wxSize(341, 90))), 0);
  EXPECT_FALSE(DrawnBox(shown).IsEmpty());

  d->SetText("-");
  shown = guitest::Capture(d).ConvertToImage();
  EXPECT_EQ(Differences(shown, Draw(d, wxSize(341, 90))), 0);

  d->SetDigitCount(2);
  shown = guitest::Capture(d).ConvertToImage();
  EXPECT_EQ(Differences(shown, Draw(d, wxSize(341, 90))), 0);
}

// The three readouts of the main window at their real sizes, and a large one, side by side.
TEST_F(LcdDisplayTest, SavesAPicture) {
  auto* clock = Make<kwxLCDClock>(wxPoint(10, 10), wxSize(150, 40), 7);
  clock->ShowElapsed(65);
  auto* flow = Make<kwxLCDDisplay>(wxPoint(170, 10), wxSize(100, 40), 6);
  flow->SetText("12.5");
  auto* pressure = Make<kwxLCDDisplay>(wxPoint(280, 12), wxSize(60, 35), 6);
  pressure->SetText("-3.2");
  auto* big = Make<kwxLCDDisplay>(wxPoint(10, 60), wxSize(500, 120), 6);
  big->SetText("-12.5E");
  auto* bigClock = Make<kwxLCDClock>(wxPoint(10, 190), wxSize(500, 100), 7);
  bigClock->ShowElapsed(3 * 3600 + 25 * 60 + 7);

  wxBitmap out(520, 300);
  {
    wxMemoryDC dc(out);
    dc.SetBackground(wxBrush(BACKGROUND));
    dc.Clear();
    for (wxWindow* w : std::initializer_list<wxWindow*>{clock, flow, pressure, big, bigClock}) {
      const wxImage shot = CaptureWhenShown(w);
      EXPECT_FALSE(DrawnBox(shot).IsEmpty());
      dc.DrawBitmap(wxBitmap(shot), w->GetPosition());
    }
  }
  EXPECT_TRUE(guitest::SavePng(out, "/tmp/lcd.png"));
}

}  // namespace
