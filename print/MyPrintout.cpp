#include "print/MyPrintout.h"

#include "plot/mpWindow.h"
#include "print/PrintScale.h"

#include <cmath>

const char* const MyPrintout::PRODUCT_LINE = "Orvantis, VRX 2";

wxPageSetupDialogData MyPrintout::DefaultPageSetup() {
  wxPrintData print;
  print.SetPaperId(wxPAPER_A4);
  wxPageSetupDialogData setup(print);
  setup.SetMarginTopLeft(wxPoint(DEFAULT_MARGIN_MM, DEFAULT_MARGIN_MM));
  setup.SetMarginBottomRight(wxPoint(DEFAULT_MARGIN_MM, DEFAULT_MARGIN_MM));
  return setup;
}

MyPrintout::MyPrintout(mpWindow& plot, const wxString& title, const wxPageSetupDialogData& pageSetup)
    : wxPrintout(title), m_plot(plot), m_pageSetup(pageSetup) {}

// The page count says one page; a second page would only be blank.
bool MyPrintout::HasPage(int page) { return page == 1; }

void MyPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) {
  *minPage = 1;
  *maxPage = 1;
  *selPageFrom = 1;
  *selPageTo = 1;
}

wxRect MyPrintout::MarginRect() {
  wxDC* dc = GetDC();
  if (!dc) return {};
  int w = 0, h = 0;
  dc->GetSize(&w, &h);
  // The printer's figures are in its own pixels; a preview draws the page smaller.
  int pageW = 0, pageH = 0;
  GetPageSizePixels(&pageW, &pageH);
  if (pageW <= 0 || pageH <= 0) {
    pageW = w;
    pageH = h;
  }
  const double rx = static_cast<double>(w) / pageW, ry = static_cast<double>(h) / pageH;
  int ppiX = 0, ppiY = 0;
  GetPPIPrinter(&ppiX, &ppiY);
  const double dotsPerMmX = ppiX / 25.4 * rx, dotsPerMmY = ppiY / 25.4 * ry;
  wxRect paper = GetPaperRectPixels();
  if (paper.IsEmpty()) paper = wxRect(0, 0, pageW, pageH);
  const PrintRect paperOnDc{static_cast<int>(std::floor(paper.x * rx)), static_cast<int>(std::floor(paper.y * ry)),
                            static_cast<int>(std::ceil(paper.width * rx)),
                            static_cast<int>(std::ceil(paper.height * ry))};
  const auto mm = [](int v, double dots) { return static_cast<int>(std::ceil(v * dots)); };
  const wxPoint tl = m_pageSetup.GetMarginTopLeft(), br = m_pageSetup.GetMarginBottomRight();
  const PrintRect area = MarginArea(paperOnDc, w, h, mm(tl.x, dotsPerMmX), mm(tl.y, dotsPerMmY), mm(br.x, dotsPerMmX),
                                    mm(br.y, dotsPerMmY));
  return wxRect(area.x, area.y, area.w, area.h);
}

void MyPrintout::MapForProductLine() {
  MapScreenSizeToPage();
  // Printer device contexts start without a font; the layers leave theirs behind.
  GetDC()->SetFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS));
}

wxRect MyPrintout::PlotRect() {
  wxDC* dc = GetDC();
  wxRect area = MarginRect();
  if (!dc || area.IsEmpty()) return {};
  MapForProductLine();
  double sx = 1, sy = 1;
  dc->GetUserScale(&sx, &sy);
  // The product line's height and as much again below it.
  const int band = static_cast<int>(std::ceil(2 * dc->GetCharHeight() * sy));
  dc->SetUserScale(1, 1);
  area.y += band;
  area.height -= band;
  return area.height > 0 ? area : wxRect();
}

void MyPrintout::DrawPlotPage() {
  wxDC* dc = GetDC();
  if (!dc) return;
  const wxRect area = PlotRect();
  const int W = m_plot.GetPlotWidth(), H = m_plot.GetPlotHeight();
  // A pixel short on each side, so rounding cannot carry a line into the margin.
  const float scale = FitScale(area.width - 2, area.height - 2, W, H);
  if (scale <= 0.0f) return;
  dc->SetUserScale(scale, scale);
  // The layers draw around the window centre; on paper that is the centre of the plot's area.
  dc->SetDeviceOrigin(area.x + area.width / 2, area.y + area.height / 2);
  // The window's edges clip the view on screen; on paper lines reaching past them (the
  // measuring cross-hair) would run over the whole page.
  dc->SetClippingRegion(-W / 2, -H / 2, W, H);
  m_plot.RenderLayers(*dc);
  dc->DestroyClippingRegion();
  dc->SetDeviceOrigin(0, 0);
}

bool MyPrintout::OnPrintPage(int) {
  wxDC* dc = GetDC();
  if (!dc) return false;
  DrawPlotPage();
  const wxRect area = MarginRect();
  MapForProductLine();
  double sx = 1, sy = 1;
  dc->GetUserScale(&sx, &sy);
  dc->SetTextForeground(*wxBLACK);
  dc->DrawText(PRODUCT_LINE, static_cast<wxCoord>(std::ceil(area.x / sx)),
               static_cast<wxCoord>(std::ceil(area.y / sy)));
  return true;
}
