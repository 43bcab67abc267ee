#include "app/wxVellButton.h"

#include "app/Accessible.h"

#include <wx/dcmemory.h>
#include <wx/settings.h>

#include <algorithm>

namespace {
const wxColour kBackground(236, 233, 216);
}

wxVellButton::wxVellButton(wxWindow* parent, wxWindowID id, const wxBitmap& image,
                           const wxString& caption, const wxPoint& pos, const wxSize& size,
                           long style, const wxValidator& validator, const wxString& name)
    : m_captionText(caption), m_faceSize(size) {
  Create(parent, id, image, pos, size, style, validator, name);
  m_constructed = true;
  wxBitmapButton::SetBackgroundColour(kBackground);
  SetFont(wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS)));
  // Re-set the picture now that the caption and font are known.
  if (image.IsOk()) SetBitmapLabel(image);
  if (size != wxDefaultSize) {
    SetMinSize(size);
    SetSize(size);
  }
  // The caption is only painted into the picture: screen readers get it as the name.
  if (!caption.empty()) SetAccessibleName(this, caption);
}

bool wxVellButton::SetBackgroundColour(const wxColour& colour) {
  // Faces composed from now on take the new colour.
  return wxBitmapButton::SetBackgroundColour(colour);
}

wxBitmap wxVellButton::ComposeFace(const wxBitmap& image) const {
  if (!image.IsOk() || m_captionText.empty()) return image;
  wxSize face = m_faceSize;
  if (face.x <= 0 || face.y <= 0) face = image.GetSize();
  face.x = std::max(face.x, image.GetWidth());
  face.y = std::max(face.y, image.GetHeight());
  wxBitmap out(face);
  wxMemoryDC dc(out);
  dc.SetBackground(wxBrush(GetBackgroundColour().IsOk() ? GetBackgroundColour() : kBackground));
  dc.Clear();
  dc.DrawBitmap(image, (face.x - image.GetWidth()) / 2, (face.y - image.GetHeight()) / 2, true);
  // A caption wider than the button is set a point or two smaller rather than cut off.
  wxFont font = GetFont().IsOk() ? GetFont() : *wxNORMAL_FONT;
  dc.SetFont(font);
  wxSize text = dc.GetTextExtent(m_captionText);
  while (text.x > face.x && font.GetPointSize() > 6) {
    font.SetPointSize(font.GetPointSize() - 1);
    dc.SetFont(font);
    text = dc.GetTextExtent(m_captionText);
  }
  dc.SetTextForeground(*wxBLACK);
  dc.DrawText(m_captionText, (face.x - text.x) / 2, face.y - text.y);
  dc.SelectObject(wxNullBitmap);
  return out;
}

void wxVellButton::DoSetBitmap(const wxBitmapBundle& bitmap, State which) {
  if (!m_constructed || m_captionText.empty() || !bitmap.IsOk()) {
    wxBitmapButton::DoSetBitmap(bitmap, which);
    return;
  }
  const wxBitmap image = bitmap.GetBitmap(bitmap.GetDefaultSize());
  wxBitmapButton::DoSetBitmap(wxBitmapBundle(ComposeFace(image)), which);
}
