// The command event by which a curve reports a measured point to the main window.
//
// Id -1, event object the series layer, int 1 from a left-axis curve (string "x y", "%f %f")
// and 2 from the right-hand curve (string "y ", "%f "). The numbers always use a decimal
// point, whatever the locale: read them with wxString::ToCDouble.
//
//   EVT_COMMAND(wxID_ANY, MeasureEvent, MainFrame::OnMeasure)
#pragma once

#include <wx/event.h>

wxDECLARE_EVENT(MeasureEvent, wxCommandEvent);
