#pragma once

#include <wx/bmpbuttn.h>

// A borderless picture button with a caption drawn along its bottom edge, over the picture.
// The caption is painted into each state's picture as it is set, so the toolkit's native
// button shows it in every state exactly as it shows the picture.
class wxVellButton : public wxBitmapButton {
 public:
  wxVellButton(wxWindow* parent, wxWindowID id, const wxBitmap& image, const wxString& caption,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxBORDER_NONE, const wxValidator& validator = wxDefaultValidator,
               const wxString& name = wxASCII_STR(wxButtonNameStr));

  const wxString& GetCaptionText() const { return m_captionText; }
  bool SetBackgroundColour(const wxColour& colour) override;

  // The face shown for a picture: the picture centred on the button's background, the
  // caption centred with its bottom on the bottom edge. Empty caption: the picture only.
  wxBitmap ComposeFace(const wxBitmap& image) const;

 protected:
  void DoSetBitmap(const wxBitmapBundle& bitmap, State which) override;

 private:
  wxString m_captionText;
  wxSize m_faceSize;
  bool m_constructed = false;
};
