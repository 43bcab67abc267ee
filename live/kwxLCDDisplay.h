// LCD-style readouts of the main window: a short text drawn as seven-segment characters,
// scaled to fill the control and centred.
#pragma once

#include "LcdLayout.h"

#include <wx/colour.h>
#include <wx/string.h>
#include <wx/window.h>

class wxDC;

class kwxLCDDisplay : public wxWindow {
 public:
  kwxLCDDisplay(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);

  void SetText(const wxString& text);
  const wxString& GetText() const { return m_text; }

  // What the readout shows, for screen readers: spoken as "caption: text", kept up to date.
  void SetAccessibleCaption(const wxString& caption);

  // Number of character cells; clamped to 0..64.
  void SetDigitCount(int n);
  int GetDigitCount() const { return m_digitCount; }

  void SetOnColour(const wxColour& colour);
  void SetOffColour(const wxColour& colour);
  const wxColour& GetOnColour() const { return m_onColour; }
  const wxColour& GetOffColour() const { return m_offColour; }

  // Clears dc with the background colour and draws the display fitted into size, centred;
  // what a paint does, usable on any device context.
  void Render(wxDC& dc, const wxSize& size);

 protected:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);

  void DrawAll(wxDC& dc);
  void DrawCharacter(wxDC& dc, int i, char32_t ch, bool point);
  void DrawSegment(wxDC& dc, int i, int segment, bool lit);

  int m_segmentLength = 40;
  int m_segmentThickness = 11;
  int m_gap = 5;
  int m_digitCount = 5;
  wxString m_text;
  wxColour m_onColour{60, 80, 200};
  wxColour m_offColour{236, 233, 216};

 private:
  lcd::Geometry CurrentGeometry() const;
  void UpdateAccessibleName();

  wxString m_accessibleCaption;

  wxDECLARE_EVENT_TABLE();
};

// The elapsed-time readout: a number of seconds shown as "HH:MM:SS".
class kwxLCDClock : public kwxLCDDisplay {
 public:
  kwxLCDClock(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize);

  // Truncated to whole seconds and wrapped at 24 hours; negative or non-finite spans show 0.
  void ShowElapsed(float seconds);
};
