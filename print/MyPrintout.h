// One printed page: the plot window's current view, as large as fits inside the page
// setup's margins and the printer's printable area, keeping its proportions, with the
// product line at the top-left corner of that area.
#pragma once

#include <wx/cmndata.h>
#include <wx/print.h>

class mpWindow;

class MyPrintout : public wxPrintout {
 public:
  // Margins nearer the edge than this get cut off by many printers.
  static constexpr int DEFAULT_MARGIN_MM = 10;
  // A4 with DEFAULT_MARGIN_MM on every side.
  static wxPageSetupDialogData DefaultPageSetup();

  MyPrintout(mpWindow& plot, const wxString& title, const wxPageSetupDialogData& pageSetup = DefaultPageSetup());

  bool HasPage(int page) override;
  bool OnPrintPage(int page) override;
  void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;

  // Inside the margins and the printable area, in the device units of the DC.
  wxRect MarginRect();
  // The plot's share of it: below the product line.
  wxRect PlotRect();
  // The plot on the printout's device context, fitted into PlotRect() and centred there.
  void DrawPlotPage();

  static const char* const PRODUCT_LINE;

 private:
  // Maps the DC for the product line: letters as large on paper as on screen.
  void MapForProductLine();

  mpWindow& m_plot;
  wxPageSetupDialogData m_pageSetup;
};
