#pragma once

#include <wx/colour.h>

class wxGauge;

// Sets a gauge's bar and trough colours. The toolkit's own colour setters are kept in step
// (so GetForegroundColour tells the bar colour), and on GTK, whose native progress bar
// ignores them, the colours are also given to the widget as a style.
void SetGaugeColours(wxGauge* gauge, const wxColour& bar, const wxColour& background);
