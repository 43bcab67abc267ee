#include "plot/mpLayer.h"

#include <wx/gdicmn.h>
#include <wx/settings.h>

#include "plot/MeasureEvent.h"

wxDEFINE_EVENT(MeasureEvent, wxCommandEvent);

wxIMPLEMENT_ABSTRACT_CLASS(mpLayer, wxObject);

mpLayer::mpLayer() : m_font(*wxNORMAL_FONT), m_pen(*wxBLACK_PEN) {}

mpLayer::~mpLayer() = default;
