// The startup tips dialog: one usage tip at a time (picture and text), "Next Tip", and the
// check box "Show Tips at Startup", which is the only place that changes g_showTips.
#pragma once

#include <wx/bitmap.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/event.h>

#include <cstddef>
#include <memory>
#include <vector>

// Sent synchronously to the dialog's parent whenever the check box changes. A command event
// whose id carries the check box value: 1 = checked, 0 = unchecked; the event object is the
// dialog. The main window binds it for any id and stores the flag:
//
//   EVT_COMMAND(wxID_ANY, vrxEVT_TIPS_FLAG, MainFrame::OnTipsFlag)
//   void MainFrame::OnTipsFlag(wxCommandEvent& e) { g_showTips = (e.GetId() == 1); }
//
// Command 58 ("Show Startup Tips") creates a new dialog each time and shows it modeless:
//   (new TipsDialog(this, g_showTips))->Show();
wxDECLARE_EVENT(vrxEVT_TIPS_FLAG, wxCommandEvent);

// One tip: its text and the picture it owns, made from XPM data.
class Tip {
 public:
  Tip(const wxString& text, const char* const* xpm);
  virtual ~Tip() = default;
  Tip(Tip&&) = default;
  Tip& operator=(Tip&&) = default;

  wxString text;
  std::unique_ptr<wxBitmap> image;
};

class TipsDialog : public wxDialog {
 public:
  enum { ID_NEXT_TIP = 0, ID_SHOW_TIPS = 1 };

  // Builds the dialog starting at a random tip; the caller shows it without blocking.
  // parent receives vrxEVT_TIPS_FLAG (it may be null: then nobody is told).
  TipsDialog(wxWindow* parent, bool showTips);

  std::size_t GetCurrentTip() const { return m_current; }
  void SetCurrentTip(std::size_t index);  // out of range: ignored
  const std::vector<Tip>& GetTips() const { return m_tips; }
  bool GetShowTips() const { return m_showTips; }

  // Draws the current tip (picture at 10,10; text from 100,15, 20 pixels a line) on dc.
  void DrawTip(wxDC& dc) const;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnNextTip(wxCommandEvent& event);
  void OnShowTipsChanged(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnOk(wxCommandEvent& event);

  wxWindow* m_parent;
  std::vector<Tip> m_tips;
  std::size_t m_current = 0;
  wxCheckBox* m_showTipsBox = nullptr;
  bool m_showTips;

  wxDECLARE_EVENT_TABLE();
};
