#include "app/Accessible.h"

#include <wx/dataview.h>
#include <wx/window.h>

#include <cstring>

#ifdef __WXGTK__
#include <gtk/gtk.h>

namespace {

// The widget the accessibility bus shows for the control: a data view's rows live in its
// tree view, inside the scrolled window wx reports as the handle.
GtkWidget* AccessibleWidget(wxWindow* window) {
  if (auto* view = dynamic_cast<wxDataViewCtrl*>(window)) return view->GtkGetTreeView();
  return static_cast<GtkWidget*>(window->GetHandle());
}

}  // namespace

void SetAccessibleName(wxWindow* window, const wxString& name) {
  GtkWidget* widget = AccessibleWidget(window);
  if (!widget) return;
  AtkObject* accessible = gtk_widget_get_accessible(widget);
  if (!accessible) return;
  const wxScopedCharBuffer utf8 = name.utf8_str();
  // Setting the same name again would still announce a change on the bus.
  if (const char* old = atk_object_get_name(accessible); old && std::strcmp(old, utf8.data()) == 0) return;
  atk_object_set_name(accessible, utf8.data());
}

void MakeAccessibleReadout(wxWindow* window) {
  window->DisableFocusFromKeyboard();
  GtkWidget* widget = AccessibleWidget(window);
  if (!widget) return;
  gtk_widget_set_can_focus(widget, FALSE);
  if (AtkObject* accessible = gtk_widget_get_accessible(widget)) atk_object_set_role(accessible, ATK_ROLE_LABEL);
}

#else

void SetAccessibleName(wxWindow*, const wxString&) {}
void MakeAccessibleReadout(wxWindow* window) { window->DisableFocusFromKeyboard(); }

#endif
