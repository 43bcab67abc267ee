#include "app/ToggleLook.h"

#include "app/Accessible.h"

#include <wx/bmpbuttn.h>

void ShowToggleState(wxBitmapButton* button, PictureId picture, bool on) {
  if (on && vrxHasPicture(picture, PictureState::On)) {
    const wxBitmap bmp = vrxPicture(picture, PictureState::On);
    button->SetBitmapLabel(bmp);
    button->SetBitmapCurrent(bmp);
  } else {
    button->SetBitmapLabel(vrxPicture(picture, PictureState::Normal));
    button->SetBitmapCurrent(vrxPicture(picture, PictureState::Hover));
  }
  SetAccessibleToggleState(button, on);
}
