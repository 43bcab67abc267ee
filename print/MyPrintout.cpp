#include "print/MyPrintout.h"

#include "plot/mpWindow.h"
#include "print/PrintScale.h"

const char* const MyPrintout::PRODUCT_LINE = "Orvantis, VRX 2";

MyPrintout::MyPrintout(mpWindow& plot, const wxString& title) : wxPrintout(title), m_plot(plot) {}

// The page count says one page; a second page would only be blank.
bool MyPrintout::HasPage(int page) { return page == 1; }

void MyPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) {
  *minPage = 1;
  *maxPage = 1;
  *selPageFrom = 1;
  *selPageTo = 1;
}

void MyPrintout::DrawPlotPage() {
  wxDC* dc = GetDC();
  if (!dc) return;
  int w = 0, h = 0;
  dc->GetSize(&w, &h);
  const float scale = PrintScale(w, m_plot.GetPlotWidth());
  if (scale <= 0.0f) return;
  dc->SetUserScale(scale, scale);
  // The layers draw around the window centre; on paper that is the page centre.
  dc->SetDeviceOrigin(w / 2, h / 2);
  // The window's edges clip the view on screen; on paper lines reaching past them (the
  // measuring cross-hair) would run over the whole page.
  const int W = m_plot.GetPlotWidth(), H = m_plot.GetPlotHeight();
  dc->SetClippingRegion(-W / 2, -H / 2, W, H);
  m_plot.RenderLayers(*dc);
  dc->DestroyClippingRegion();
  dc->SetDeviceOrigin(0, 0);
}

bool MyPrintout::OnPrintPage(int) {
  wxDC* dc = GetDC();
  if (!dc) return false;
  DrawPlotPage();
  MapScreenSizeToPage();
  // Printer device contexts start without a font; the layers leave theirs behind.
  dc->SetFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS));
  dc->SetTextForeground(*wxBLACK);
  dc->DrawText(PRODUCT_LINE, 10, 10);
  return true;
}
