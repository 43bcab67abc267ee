// Printing the plot (printout, print dialog, preview) and saving it as a bitmap file.
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/generic/printps.h>
#include <wx/generic/prntdlgg.h>
#include <wx/gtk/print.h>
#include <wx/msgdlg.h>
#include <wx/print.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "RecordingsWindowSupport.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"
#include "print/MyPrintout.h"
#include "print/PrintScale.h"

namespace {

// A layer that notes how it was drawn and can paint the whole device context over.
class Probe : public mpLayer {
 public:
  explicit Probe(bool flood) : m_flood(flood) { m_layerType = mpLAYER_INFO; }
  bool HasBounds() const override { return false; }
  void Plot(wxDC& dc, mpWindow&) override {
    ++calls;
    dc.GetUserScale(&scaleX, &scaleY);
    origin = dc.GetDeviceOrigin();
    if (m_flood) {
      dc.SetPen(*wxTRANSPARENT_PEN);
      dc.SetBrush(wxBrush(wxColour(255, 255, 0)));
      dc.DrawRectangle(-100000, -100000, 200000, 200000);
    }
  }
  int calls = 0;
  double scaleX = 0, scaleY = 0;
  wxPoint origin;

 private:
  bool m_flood;
};

// A plot window of a given client size in a frame of its own, with a blue line across its
// fitted view (50 pixels of margin left and right).
struct LonePlot {
  wxFrame* frame;
  mpWindow* plot;
  mpFXYVector line;
  Probe probe;

  LonePlot(int w, int h, bool flood) : probe(flood) {
    frame = new wxFrame(nullptr, wxID_ANY, "plot", wxPoint(0, 0), wxSize(w, h));
    plot = new mpWindow(frame, wxID_ANY);
    frame->SetClientSize(w, h);
    frame->Show();
    line.SetPen(wxPen(wxColour(0, 0, 255), 2));
    line.SetContinuity(true);
    line.SetPoints({0.0f, 50.0f, 100.0f}, {0.0f, 10.0f, 5.0f});
    plot->InsertLayer(&probe);
    plot->InsertLayer(&line);
    guitest::Pump();
    plot->Fit();
    guitest::Pump();
  }
  ~LonePlot() {
    for (int key = plot->CountLayers() - 1; key >= 0; --key) plot->RemoveLayer(key);
    frame->Destroy();
    guitest::Pump();
  }
};

// Prints page 1 of `printout` into a white bitmap of w x h device units, as a printer with
// `ppiPrinter` dots per inch would get it from a screen of 96.
wxImage PrintToBitmap(MyPrintout& printout, int w, int h, int ppiPrinter) {
  wxBitmap page(w, h);
  {
    wxMemoryDC dc(page);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout.SetDC(&dc);
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(ppiPrinter, ppiPrinter);
    printout.SetPageSizePixels(w, h);
    printout.SetPaperRectPixels(wxRect(0, 0, w, h));
    EXPECT_TRUE(printout.OnPrintPage(1));
    printout.SetDC(nullptr);
  }
  return page.ConvertToImage();
}

bool IsDark(const unsigned char* p) { return p[0] < 110 && p[1] < 110 && p[2] < 110; }
bool IsBlue(const unsigned char* p) { return p[0] < 80 && p[1] < 80 && p[2] > 180; }

// Bounding box of the pixels that `match` in `area` of `image`; empty when none does.
template <class Match>
wxRect Extent(const wxImage& image, const wxRect& wanted, Match match) {
  const wxRect area = wanted.Intersect(wxRect(image.GetSize()));  // never read beside the picture
  int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
  const unsigned char* data = image.GetData();
  for (int y = area.GetTop(); y <= area.GetBottom(); ++y)
    for (int x = area.GetLeft(); x <= area.GetRight(); ++x)
      if (match(data + 3 * (static_cast<size_t>(y) * image.GetWidth() + x))) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
  return x1 < 0 ? wxRect() : wxRect(wxPoint(x0, y0), wxPoint(x1, y1));
}

wxString PrinterFailed() { return wxString::FromUTF8("Vorschau fehlgeschlagen. \n Druckereinstellung überprüfen"); }

std::vector<wxPreviewFrame*> PreviewFrames() {
  std::vector<wxPreviewFrame*> out;
  for (wxWindow* w : wxTopLevelWindows)
    if (auto* f = dynamic_cast<wxPreviewFrame*>(w); f && !f->IsBeingDeleted()) out.push_back(f);
  return out;
}

wxPrintPreviewBase* PreviewOf(wxPreviewFrame* frame) {
  for (wxWindow* child : frame->GetChildren())
    if (auto* bar = dynamic_cast<wxPreviewControlBar*>(child)) return bar->GetPrintPreview();
  return nullptr;
}

}  // namespace

TEST(PrintScale, MarginsAndFit) {
  // Paper and printable area alike, or the printer's unprintable edge wider than a margin.
  EXPECT_EQ(MarginArea({0, 0, 2480, 3508}, 2480, 3508, 118, 118, 118, 118), (PrintRect{118, 118, 2244, 3272}));
  EXPECT_EQ(MarginArea({-150, -150, 2480, 3508}, 2180, 3208, 118, 118, 118, 118), (PrintRect{0, 0, 2180, 3208}));
  EXPECT_EQ(MarginArea({-50, -50, 2480, 3508}, 2380, 3408, 118, 118, 118, 118), (PrintRect{68, 68, 2244, 3272}));
  EXPECT_EQ(MarginArea({0, 0, 200, 200}, 200, 200, 100, 0, 100, 0), PrintRect{});  // no room left

  struct Case {
    int areaW, areaH, plotW, plotH;
    float scale;
  };
  const Case cases[] = {
      {4800, 6788, 800, 400, 6.0f},           // width decides on a portrait page
      {4800, 1200, 800, 400, 3.0f},           // height decides
      {595, 842, 800, 400, 595.0f / 800.0f},  // smaller than on screen
      {4800, 6788, 0, 400, 0.0f},
      {0, 6788, 800, 400, 0.0f},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitScale(c.areaW, c.areaH, c.plotW, c.plotH), c.scale) << c.areaW << " x " << c.areaH;
}

// A4 at 576 dots per inch, margins of 10 mm: nothing lies within them, the plot keeps its
// proportions as large as fits, and the product line stands above it.
TEST(Printout, OnePageInsideTheMarginsWithTheProductLineOnTop) {
  LonePlot v(800, 400, true);
  ASSERT_EQ(v.plot->GetPlotWidth(), 800);
  MyPrintout printout(*v.plot, "Ausdrucken");
  int minPage, maxPage, from, to;
  printout.GetPageInfo(&minPage, &maxPage, &from, &to);
  EXPECT_EQ(std::vector<int>({minPage, maxPage, from, to}), std::vector<int>({1, 1, 1, 1}));
  EXPECT_TRUE(printout.HasPage(1));
  EXPECT_FALSE(printout.HasPage(2));
  EXPECT_EQ(printout.GetTitle(), "Ausdrucken");

  const int w = 4763, h = 6735;  // 210 x 297 mm
  const int margin = static_cast<int>(std::ceil(10 * 576 / 25.4));
  v.probe.calls = 0;
  const wxImage page = PrintToBitmap(printout, w, h, 576);
  ASSERT_EQ(v.probe.calls, 1);
  const int H = v.plot->GetPlotHeight();
  EXPECT_NEAR(v.probe.scaleX, (w - 2 * margin - 2) / 800.0, 1e-4);
  EXPECT_EQ(v.probe.scaleX, v.probe.scaleY);

  // Nothing at all in the margins.
  const auto ink = [](const unsigned char* p) { return p[0] < 250 || p[1] < 250 || p[2] < 250; };
  const wxRect all = Extent(page, wxRect(0, 0, w, h), ink);
  EXPECT_GE(all.GetLeft(), margin);
  EXPECT_GE(all.GetTop(), margin);
  EXPECT_LE(all.GetRight(), w - 1 - margin);
  EXPECT_LE(all.GetBottom(), h - 1 - margin);

  // The window's area, and nothing beyond it, as wide as the margins allow, in proportion.
  const auto yellow = [](const unsigned char* p) { return p[0] > 200 && p[1] > 200 && p[2] < 60; };
  const wxRect area = Extent(page, wxRect(0, 0, w, h), yellow);
  EXPECT_NEAR(area.GetLeft(), margin, 2);
  EXPECT_NEAR(area.GetRight(), w - 1 - margin, 2);
  EXPECT_NEAR(area.GetHeight(), v.probe.scaleY * H, 2);

  // The fitted line runs from 50 to 750 of 800 window pixels.
  const wxRect line = Extent(page, wxRect(0, 0, w, h), IsBlue);
  EXPECT_NEAR(line.GetLeft(), area.GetLeft() + 50 * v.probe.scaleX, 12);
  EXPECT_NEAR(line.GetRight(), area.GetLeft() + 750 * v.probe.scaleX, 12);

  // The product line at the margins' corner, at 10 points: readable, not a dot, above the plot.
  const wxRect text = Extent(page, wxRect(0, 0, w, area.GetTop()), IsDark);
  ASSERT_FALSE(text.IsEmpty());
  EXPECT_GE(text.GetLeft(), margin);
  EXPECT_LT(text.GetLeft(), margin + 60);
  EXPECT_GE(text.GetTop(), margin);
  EXPECT_LT(text.GetBottom(), area.GetTop());
  EXPECT_GT(text.GetWidth(), 300);
  EXPECT_LT(text.GetRight(), 1800);
  guitest::SavePng(wxBitmap(page.Scale(w / 8, h / 8)), "/tmp/printout_page.png");
}

TEST(Printout, NoPageWithoutDeviceContext) {
  LonePlot v(800, 400, false);
  MyPrintout printout(*v.plot, "Ausdrucken");
  v.probe.calls = 0;
  EXPECT_FALSE(printout.OnPrintPage(1));
  EXPECT_EQ(v.probe.calls, 0);
}

// Flow view of a recording whose flow changes at every second.
class PrintFrameTest : public MainFrameTest {
 protected:
  void ShowRamp() {
    Storage rec("12.03.2024 08:00:00", 1000, 1, false);
    rec.SetTitle("Messung");
    for (int i = 0; i < 60; ++i) rec.AppendSample(static_cast<float>(i), 10.0f + i * 0.5f, 2.0f, static_cast<float>(i));
    frame->m_recordings.Append(rec);
    frame->ShowRecording(0);
    guitest::Pump();
  }
};

TEST_F(PrintFrameTest, PrintingWhileMeasuringDrawsTheCrossHairThroughTheMeasuredPoint) {
  Open();
  frame->SetClientSize(900, 700);
  // The window at its new size first: a late size event would rescale the view under the click.
  guitest::PumpUntil([&] { return frame->GetClientSize() == wxSize(900, 700); });
  guitest::Capture(frame);
  ShowRamp();
  guitest::Capture(frame);
  mpWindow* plot = frame->m_plot;
  plot->SetFlowMeasuring(true);
  const int W = plot->GetPlotWidth();
  const int column = W / 2 + 100;
  // The time under the click, from the view the click lands on.
  const double t = (column - W / 2) / plot->GetPxPerUnitX() + plot->GetCentreX();
  wxMouseEvent click(wxEVT_LEFT_DOWN);
  click.SetPosition(wxPoint(column, 40));
  plot->GetEventHandler()->ProcessEvent(click);
  guitest::Pump();
  const int nearest = std::clamp(static_cast<int>(std::lround(t)), 0, 59);
  const wxString value = wxString::Format("%.0f", 10.0 + nearest * 0.5);
  EXPECT_EQ(frame->m_flowLcd->GetText(), value);

  // The click measured; the printout draws what it measured and measures nothing itself.
  int measured = 0;
  frame->Bind(MeasureEvent, [&](wxCommandEvent& e) {
    ++measured;
    e.Skip();
  });
  MyPrintout printout(*plot, "Ausdrucken");
  const int w = 2480, h = 3508;  // A4 at 300 dpi
  const wxImage page = PrintToBitmap(printout, w, h, 300);
  guitest::SavePng(wxBitmap(page), "/tmp/printout.png");
  EXPECT_EQ(measured, 0);
  EXPECT_EQ(frame->m_flowLcd->GetText(), value);
  EXPECT_EQ(frame->m_recordings[0].GetFlowMeasurement(), std::string(value.utf8_str()));

  // The cross-hair's vertical line stands on the measured point, scaled onto the page inside
  // its margins, and spans the plot area between the axes.
  wxBitmap sized(w, h);
  wxMemoryDC dc(sized);
  printout.SetDC(&dc);
  const wxRect room = printout.PlotRect();
  printout.SetDC(nullptr);
  const int H = plot->GetPlotHeight();
  const float scale = FitScale(room.width - 2, room.height - 2, W, H);
  const wxPoint centre(room.x + room.width / 2, room.y + room.height / 2);
  const int x =
      centre.x + static_cast<int>(std::lround((nearest - plot->GetCentreX()) * plot->GetPxPerUnitX() * scale));
  const auto grey = [](const unsigned char* p) { return p[0] == p[1] && p[1] == p[2] && p[0] > 90 && p[0] < 200; };
  const wxRect hair = Extent(page, wxRect(x - 6, 0, 13, h), grey);
  const int half = static_cast<int>(scale * H / 2);
  // Inside the printed plot, and over the plot area between the axes (their bands are a few
  // dozen window pixels).
  EXPECT_GE(hair.GetTop(), centre.y - half - 2);
  EXPECT_LE(hair.GetTop(), centre.y - half + 40 * scale);
  EXPECT_LE(hair.GetBottom(), centre.y + half + 2);
  EXPECT_GE(hair.GetBottom(), centre.y + half - 60 * scale);
}

TEST_F(PrintFrameTest, PrintingToPostScriptGivesOnePageWithTheProductLine) {
  Open();
  ShowRamp();
  const std::filesystem::path file = dir / "plot.ps";
  wxPrintData data;
  data.SetPaperId(wxPAPER_A4);
  data.SetPrintMode(wxPRINT_MODE_FILE);
  data.SetFilename(wxString::FromUTF8(file.string()));
  wxPrintDialogData dialogData(data);
  dialogData.SetFromPage(1);
  dialogData.SetToPage(9999);
  wxPostScriptPrinter printer(&dialogData);
  bool printed = false;
  wxTEST_DIALOG(printed = frame->PrintPlot(printer), guitest::ExpectDialog<wxGenericPrintDialog>(wxID_OK));
  EXPECT_TRUE(printed);
  const std::string ps = rectest::ReadBytes(file);
  EXPECT_EQ(ps.rfind("%!PS-Adobe", 0), 0u);
  EXPECT_NE(ps.find("Orvantis, VRX 2"), std::string::npos);
  size_t pages = 0;
  for (size_t at = ps.find("%%Page:"); at != std::string::npos; at = ps.find("%%Page:", at + 1)) ++pages;
  EXPECT_EQ(pages, 1u);

  // On paper (the file rendered at 72 dots per inch, one dot a point): nothing within 10 mm
  // of the edge. Needs Ghostscript.
  const std::filesystem::path png = dir / "plot.png";
  const std::string gs = "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=png16m -r72 -sOutputFile='" + png.string() + "' '" +
                         file.string() + "' 2>/dev/null";
  if (std::system(gs.c_str()) == 0) {
    wxImage paper;
    ASSERT_TRUE(paper.LoadFile(wxString::FromUTF8(png.string()), wxBITMAP_TYPE_PNG));
    EXPECT_NEAR(paper.GetWidth(), 595, 1);
    EXPECT_NEAR(paper.GetHeight(), 842, 1);
    const auto ink = [](const unsigned char* p) { return p[0] < 240 || p[1] < 240 || p[2] < 240; };
    const wxRect drawn = Extent(paper, wxRect(wxPoint(0, 0), paper.GetSize()), ink);
    ASSERT_FALSE(drawn.IsEmpty());
    const double margin = 10 * 72 / 25.4;  // 28.3 points
    EXPECT_GE(drawn.GetLeft(), margin - 1);
    EXPECT_GE(drawn.GetTop(), margin - 1);
    EXPECT_LE(drawn.GetRight(), paper.GetWidth() - margin + 1);
    EXPECT_LE(drawn.GetBottom(), paper.GetHeight() - margin + 1);
    EXPECT_GT(drawn.GetWidth(), paper.GetWidth() - 2 * margin - 4);  // as wide as the margins allow
    guitest::SavePng(wxBitmap(paper), "/tmp/printout_ps.png");
  } else {
    std::printf("Ghostscript not found: the PostScript page was not checked against its margins\n");
  }

  // A printer that cannot write its output is a printer error, told as such.
  data.SetFilename("/nonexistent-dir/plot.ps");
  wxPrintDialogData failingData(data);
  failingData.SetFromPage(1);
  failingData.SetToPage(9999);
  wxPostScriptPrinter failing(&failingData);
  wxString message, caption;
  wxTEST_DIALOG(printed = frame->PrintPlot(failing), guitest::ExpectDialog<wxGenericPrintDialog>(wxID_OK),
                rectest::MessageAnswer(wxID_OK, &message, &caption));
  EXPECT_FALSE(printed);
  EXPECT_EQ(message, PrinterFailed());
  EXPECT_EQ(caption, "Drucken");
}

// The system print dialog on A4; cancelling says nothing, a printer error is reported.
TEST_F(PrintFrameTest, PrintCommandUsesTheSystemDialog) {
  Open();
  ShowRamp();
  struct Answer : wxExpectModalBase<wxGtkPrintDialog, Answer> {
    explicit Answer(int id, wxPaperSize* paper) : m_id(id), m_paper(paper) {}
    int OnInvoked(wxGtkPrintDialog* dlg) const override {
      *m_paper = dlg->GetPrintDialogData().GetPrintData().GetPaperId();
      return m_id;
    }
    int m_id;
    wxPaperSize* m_paper;
  };
  for (int id : {wxID_OK, wxID_CANCEL}) {
    wxPaperSize paper = wxPAPER_NONE;
    wxTEST_DIALOG(Command(ID_PRINT, wxEVT_MENU), Answer(id, &paper));
    EXPECT_EQ(paper, wxPAPER_A4);
  }
  wxPaperSize paper = wxPAPER_NONE;
  wxString message, caption;
  wxTEST_DIALOG(Command(ID_PRINT, wxEVT_MENU), Answer(wxID_NO, &paper), rectest::MessageAnswer(wxID_OK, &message, &caption));
  EXPECT_EQ(message, PrinterFailed());
  EXPECT_EQ(caption, "Drucken");
}

TEST_F(PrintFrameTest, PreviewFrameOpensOnOnePageAndCloses) {
  Open();
  ShowRamp();
  struct Case {
    int id;
    wxEventType type;
  };
  for (const Case c : {Case{ID_PRINT_BUTTON, wxEVT_BUTTON}, Case{ID_PRINT_PREVIEW, wxEVT_MENU}}) {
    SCOPED_TRACE(c.id);
    Command(c.id, c.type);
    guitest::Pump();
    const auto frames = PreviewFrames();
    ASSERT_EQ(frames.size(), 1u);
    wxPreviewFrame* preview = frames[0];
    EXPECT_EQ(preview->GetTitle(), "Vorschau drucken");
    EXPECT_EQ(preview->GetName(), "frame");
    EXPECT_EQ(preview->GetParent(), frame.get());
    EXPECT_EQ(preview->GetPosition(), wxPoint(100, 100));
    EXPECT_GE(preview->GetSize().y, 650);
    EXPECT_GE(preview->GetSize().x, 600);
    EXPECT_TRUE(preview->HasFlag(wxFRAME_FLOAT_ON_PARENT));
    EXPECT_TRUE(preview->IsShown());
    wxPrintPreviewBase* pp = PreviewOf(preview);
    ASSERT_TRUE(pp);
    EXPECT_EQ(pp->GetMinPage(), 1);
    EXPECT_EQ(pp->GetMaxPage(), 1);
    EXPECT_EQ(pp->GetPrintout()->GetTitle(), "Erste ( r)");
    EXPECT_EQ(pp->GetPrintoutForPrinting()->GetTitle(), "Zweite ( r)");
    EXPECT_EQ(pp->GetPrintDialogData().GetPrintData().GetPaperId(), wxPAPER_A4);
    // The whole page in view: nothing to scroll to.
    wxPreviewCanvas* canvas = pp->GetCanvas();
    ASSERT_TRUE(canvas);
    EXPECT_LE(canvas->GetVirtualSize().x, canvas->GetClientSize().x);
    EXPECT_LE(canvas->GetVirtualSize().y, canvas->GetClientSize().y);
    EXPECT_GE(pp->GetZoom(), 30);
    if (c.id == ID_PRINT_PREVIEW) guitest::SavePng(guitest::Capture(preview), "/tmp/preview.png");

    wxWeakRef<wxPreviewFrame> ref(preview);
    preview->Close();
    guitest::Pump();
    EXPECT_FALSE(ref);
    EXPECT_TRUE(PreviewFrames().empty());
  }
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
}

TEST_F(PrintFrameTest, PreviewThatCannotBeBuiltIsReported) {
  Open();
  struct Broken : wxPrintPreview {
    using wxPrintPreview::wxPrintPreview;
    bool IsOk() const override { return false; }
  };
  wxString message, caption;
  wxTEST_DIALOG(frame->ShowPrintPreview(new Broken(new MyPrintout(*frame->m_plot, "Erste ( r)"),
                                                   new MyPrintout(*frame->m_plot, "Zweite ( r)"))),
                rectest::MessageAnswer(wxID_OK, &message, &caption));
  EXPECT_EQ(message, PrinterFailed());
  EXPECT_EQ(caption, "Vorschau");
  guitest::Pump();
  EXPECT_TRUE(PreviewFrames().empty());
}

// Answers the image file dialog, noting how it was opened.
class ImageDialogAnswer : public wxExpectModalBase<wxFileDialog, ImageDialogAnswer> {
 public:
  ImageDialogAnswer(const wxString& path, int id) : m_answer(path, id) {}

 protected:
  int OnInvoked(wxFileDialog* dlg) const override {
    EXPECT_EQ(dlg->GetMessage(), wxString::FromUTF8("Bild speichern als…"));
    EXPECT_EQ(dlg->GetWildcard(), "Bilddateien (*.bmp)|*.bmp|PNG-Bilddateien (*.png)|*.png");
    EXPECT_EQ(dlg->GetFilename(), "12_03_2024 08_00_00.bmp");  // after the recording shown
    EXPECT_EQ(dlg->GetWindowStyle() & (wxFD_SAVE | wxFD_OVERWRITE_PROMPT), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    return m_answer.Answer(dlg);
  }

 private:
  struct Forward : rectest::FileAnswer {
    using rectest::FileAnswer::FileAnswer;
    int Answer(wxFileDialog* dlg) const { return OnInvoked(dlg); }
  };
  Forward m_answer;
};

TEST_F(PrintFrameTest, ImageIsTheWindowsPixels) {
  Open();
  frame->SetClientSize(1280, 900);  // room for a 640-pixel plot beside the tools
  guitest::PumpUntil([&] { return frame->GetClientSize() == wxSize(1280, 900); });
  guitest::Capture(frame);  // the whole window laid out and painted at its new size
  ShowRamp();
  // Fitted to the new size, so no scroll bar takes a share of the window.
  frame->m_plot->SetClientSize(640, 480);
  guitest::Pump();
  frame->m_plot->Fit();
  frame->m_plot->SetClientSize(640, 480);
  guitest::Pump();
  ASSERT_EQ(frame->m_plot->GetClientSize(), wxSize(640, 480));
  guitest::Capture(frame->m_plot);  // the last paint is done
  // On a busy machine a scroll bar or a late size event may still repaint: wait until two
  // pictures in a row agree (after the view update the image command itself makes).
  frame->m_plot->UpdateView();
  guitest::PumpUntil([&] {
    const wxImage a = frame->m_plot->SnapshotBitmap().ConvertToImage();
    guitest::Pump();
    const wxImage b = frame->m_plot->SnapshotBitmap().ConvertToImage();
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
  });

  // The type follows the name's extension (the dialog's type adds one when it is missing).
  struct Case {
    const char *chosen, *written, *magic;
    wxBitmapType type;
  };
  for (const Case& c :
       {Case{"bild.bmp", "bild.bmp", "BM", wxBITMAP_TYPE_BMP}, Case{"karte", "karte.bmp", "BM", wxBITMAP_TYPE_BMP},
        Case{"foto.png", "foto.png", "\x89PNG", wxBITMAP_TYPE_PNG}}) {
    SCOPED_TRACE(c.chosen);
    const std::filesystem::path path = dir / c.written;
    wxTEST_DIALOG(Command(ID_SAVE_IMAGE), ImageDialogAnswer(wxString::FromUTF8((dir / c.chosen).string()), wxID_OK));
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(rectest::ReadBytes(path).substr(0, std::string(c.magic).size()), c.magic);
    wxImage saved;
    ASSERT_TRUE(saved.LoadFile(wxString::FromUTF8(path.string()), c.type));
    EXPECT_EQ(saved.GetSize(), wxSize(640, 480));
    // The window as it shows once the closed file dialog has left the screen.
    wxImage shown;
    const auto same = [&] {
      shown = frame->m_plot->SnapshotBitmap().ConvertToImage();
      return saved.GetSize() == shown.GetSize() &&
             std::equal(saved.GetData(), saved.GetData() + 640 * 480 * 3, shown.GetData());
    };
    if (!guitest::PumpUntil(same, 20000)) {
      guitest::SavePng(wxBitmap(saved), "/tmp/image_saved.png");
      guitest::SavePng(wxBitmap(shown), "/tmp/image_shown.png");
      ADD_FAILURE() << "the saved picture is not what the window shows (see /tmp/image_*.png)";
    }
  }
  // Nothing but the three files.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) files += entry.path().extension() != ".ini";
  EXPECT_EQ(files, 3);
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
}

TEST_F(PrintFrameTest, CancelledOrFailedImageSaveWritesNothingAndFailuresAreReported) {
  Open();
  ShowRamp();
  const auto entries = [&] {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) n += e.path().extension() != ".ini";
    return n;
  };
  wxTEST_DIALOG(Command(ID_SAVE_IMAGE), ImageDialogAnswer("", wxID_CANCEL));
  EXPECT_EQ(entries(), 0);
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());

  // Not even root may create files in /proc.
  wxTEST_DIALOG(Command(ID_SAVE_IMAGE), ImageDialogAnswer("/proc/vrx-bild", wxID_OK));
  const auto errors = guitest::LogCapture::Get().Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], wxString::FromUTF8("„/proc/vrx-bild.bmp“ kann nicht gespeichert werden: in diesem Ordner können "
                                          "keine Dateien angelegt werden."));
  EXPECT_FALSE(std::filesystem::exists("/proc/vrx-bild.bmp"));
  EXPECT_EQ(entries(), 0);
}
