// One printed page: the plot window's current view across the page width, with the product
// line in the top-left corner.
#pragma once

#include <wx/print.h>

class mpWindow;

class MyPrintout : public wxPrintout {
 public:
  MyPrintout(mpWindow& plot, const wxString& title);

  bool HasPage(int page) override;
  bool OnPrintPage(int page) override;
  void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;

  // The plot on the printout's device context, scaled to its width and centred.
  void DrawPlotPage();

  static const char* const PRODUCT_LINE;

 private:
  mpWindow& m_plot;
};
