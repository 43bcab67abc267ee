#pragma once

#include "resources/Pictures.h"

class wxBitmapButton;

// Shows a toggle button's state: while on, its normal and hover pictures are both the
// on-state picture; while off, they are its ordinary normal and hover pictures again. Screen
// readers are told the state too.
void ShowToggleState(wxBitmapButton* button, PictureId picture, bool on);
