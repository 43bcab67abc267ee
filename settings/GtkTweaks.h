// Two places where GTK 3's theme works against the dialog's small, coloured controls.
#pragma once

class wxCheckBox;
class wxSpinButton;

// GTK 3 draws a spin button as a wide "- +" pair with the theme's large padding; this
// trims it to sit beside a text field about `height` pixels high, and updates its size.
void MakeSpinCompact(wxSpinButton* spin, int height);

// A check box given a background colour loses the theme's coloured fill behind its check
// mark, which is drawn in white: this draws the mark dark so it stays visible.
void KeepCheckMarkVisible(wxCheckBox* box);
