// Axis layers: time axis, left-hand primary y axis, right-hand second y axis.
//
// Position codes (line relative to the window centre): 0 near the top / right, 1 through the
// world origin, 2 the usual bottom / left place, 4 on the bottom / left border, 5 on the top /
// right border.
#pragma once

#include "plot/mpLayer.h"

// What the three axes share: construction and the tick-or-grid-line choice.
class mpScale : public mpLayer {
 public:
  bool HasBounds() const override { return false; }

 protected:
  mpScale(const wxString& name, int position, bool ticks, bool reserveRight, const wxFont& font);
  // A tick mark from `from` to `to`, or with the grid switched on the dotted grid line from
  // `gridFrom` to `gridTo`, the pen left solid afterwards.
  void DrawTickOrGrid(wxDC& dc, wxPoint from, wxPoint to, wxPoint gridFrom, wxPoint gridTo) const;
  // A y axis whose line lies at orgx keeps the plot area on the inner side of it.
  void LimitBesideLine(plotcore::ClipBox& area, int orgx) const;
};

class mpScaleX : public mpScale {
 public:
  mpScaleX(const wxString& name = "X", int position = 2, bool ticks = true, bool reserveRight = false);
  void Plot(wxDC& dc, mpWindow& w) override;
  void LimitPlotArea(plotcore::ClipBox& area, const mpWindow& w) const override;
  // Where the axis line lies, relative to the window centre.
  int LineY(const mpWindow& w) const;

  wxDECLARE_DYNAMIC_CLASS(mpScaleX);
};

class mpScaleY : public mpScale {
 public:
  // The heading starts as the title up to its first blank.
  mpScaleY(const wxString& name = "Y", int position = 2, bool ticks = true, bool reserveRight = false);
  void Plot(wxDC& dc, mpWindow& w) override;
  void LimitPlotArea(plotcore::ClipBox& area, const mpWindow& w) const override;
  int LineX(const mpWindow& w) const;

  wxDECLARE_DYNAMIC_CLASS(mpScaleY);
};

// Drawn against the window's second y scale; always in the stock grey pen, always with
// ticks: the grid, when shown, is the primary axis' alone.
class mpScaleYVell : public mpScale {
 public:
  mpScaleYVell(const wxString& name = "Y", int position = 5, bool ticks = true);
  void Plot(wxDC& dc, mpWindow& w) override;
  void LimitPlotArea(plotcore::ClipBox& area, const mpWindow& w) const override;
  int LineX(const mpWindow& w) const;

  wxDECLARE_DYNAMIC_CLASS(mpScaleYVell);
};
