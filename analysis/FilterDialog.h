// Choice of the moving-average filter's half width k (the filter spans 2k + 1 samples).
#pragma once

#include <wx/dialog.h>

class wxSlider;
class wxStaticText;
class wxScrollEvent;

constexpr int FILTER_DIALOG_OK = 5100;
constexpr int FILTER_DIALOG_CLOSE = 5101;

class FilterDialog : public wxDialog {
 public:
  // ShowModal() gives FILTER_DIALOG_OK when the chosen value is to be taken.
  FilterDialog(wxWindow* parent, int halfWidth);

  int GetHalfWidth() const { return m_halfWidth; }
  wxSlider* GetSlider() const { return m_slider; }
  wxString GetTextLine() const;

 private:
  void OnSlider(wxScrollEvent& event);
  void OnButton(wxCommandEvent& event);
  void ShowValue();

  wxStaticText* m_text = nullptr;
  wxSlider* m_slider = nullptr;
  int m_halfWidth;

  wxDECLARE_EVENT_TABLE();
};
