// Choice of a curve's line width, 1 to 7 pixels.
#pragma once

#include <wx/dialog.h>

class wxChoice;

constexpr int PEN_DIALOG_OK = 5100;
constexpr int PEN_DIALOG_CLOSE = 5101;

class PenDialog : public wxDialog {
 public:
  // Opens with the entry for `width` selected. ShowModal() gives PEN_DIALOG_OK when the
  // chosen width is to be taken.
  PenDialog(wxWindow* parent, int width);

  // The chosen width (1 to 7), valid after OK.
  int GetWidth() const { return m_selection + 1; }
  wxChoice* GetChoice() const { return m_choice; }
  // What OK does before the dialog ends: takes the list's selection.
  void StoreSelection();

 private:
  void OnOk(wxCommandEvent& event);
  void OnClose(wxCommandEvent& event);

  wxChoice* m_choice = nullptr;
  int m_selection = 0;

  wxDECLARE_EVENT_TABLE();
};
