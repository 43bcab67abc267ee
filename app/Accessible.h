// What screen readers and accessibility-based tests see of a control: its name and role on
// the desktop's accessibility bus (ATK / AT-SPI on GTK). wx 3.2 has no accessibility API on
// GTK, so these reach the native widget.
#pragma once

#include <wx/string.h>

class wxWindow;

// The name a screen reader speaks for the control; for a picture-only button, what its
// tooltip says.
void SetAccessibleName(wxWindow* window, const wxString& name);

// What a toggle button's picture shows, for screen readers: its description is its tooltip
// and whether it is switched on.
void SetAccessibleToggleState(wxWindow* button, bool on);

// Draws the keyboard focus as a solid, high-contrast frame in every window of the program:
// GTK's own dotted grey frame is hard to see on the pictures of the flat buttons.
void MakeKeyboardFocusVisible();

// A drawn control that only shows a value: read as a text label (its name carries the value)
// and passed over by Tab, since there is nothing to do with it.
void MakeAccessibleReadout(wxWindow* window);

// A drawn picture of the data that takes keys (the plot): read as a chart.
void MakeAccessibleChart(wxWindow* window);
