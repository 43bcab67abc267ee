#include "app/Accessible.h"

#include <wx/dataview.h>
#include <wx/window.h>

#include <cstring>

#include "i18n/Tr.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>

namespace {

// The widget the accessibility bus shows for the control, the one that takes the keyboard: a
// data view's rows live in its tree view, and a scrolled window of wx's own (the plot) draws
// and takes keys in its inner widget, both inside the scrolled window wx reports as the handle.
GtkWidget* AccessibleWidget(wxWindow* window) {
  if (auto* view = dynamic_cast<wxDataViewCtrl*>(window)) return view->GtkGetTreeView();
  return window->GetConnectWidget();
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

void SetAccessibleToggleState(wxWindow* button, bool on) {
  GtkWidget* widget = AccessibleWidget(button);
  if (!widget) return;
  AtkObject* accessible = gtk_widget_get_accessible(widget);
  if (!accessible) return;
  const wxString state = on ? Tr("eingeschaltet") : Tr("ausgeschaltet");
  const wxString tip = button->GetToolTipText();
  atk_object_set_description(accessible, (tip.empty() ? state : tip + ", " + state).utf8_str());
}

void MakeKeyboardFocusVisible() {
  static bool done = false;  // one provider for the whole screen
  if (done) return;
  GdkScreen* screen = gdk_screen_get_default();
  if (!screen) return;
  done = true;
  // GTK draws these outlines only while the focus is shown for the keyboard.
  // The list shows its focus by the colour of the highlighted row: strong while the list
  // has the keyboard, pale otherwise.
  const char* css =
      "button, entry, checkbutton, radiobutton, scale, spinbutton {"
      " outline-style: solid; outline-width: 2px; outline-offset: -2px; outline-color: #1a5fb4; }"
      "treeview.view:selected { background-color: #c4d4ea; color: #000000; }"
      "treeview.view:selected:focus { background-color: #1a5fb4; color: #ffffff; }";
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

void MakeAccessibleReadout(wxWindow* window) {
  window->DisableFocusFromKeyboard();
  GtkWidget* widget = AccessibleWidget(window);
  if (!widget) return;
  gtk_widget_set_can_focus(widget, FALSE);
  if (AtkObject* accessible = gtk_widget_get_accessible(widget)) atk_object_set_role(accessible, ATK_ROLE_LABEL);
}

void MakeAccessibleChart(wxWindow* window) {
  GtkWidget* widget = AccessibleWidget(window);
  if (!widget) return;
  if (AtkObject* accessible = gtk_widget_get_accessible(widget)) atk_object_set_role(accessible, ATK_ROLE_CHART);
}

#else

void SetAccessibleName(wxWindow*, const wxString&) {}
void SetAccessibleToggleState(wxWindow*, bool) {}
void MakeKeyboardFocusVisible() {}
void MakeAccessibleReadout(wxWindow* window) { window->DisableFocusFromKeyboard(); }
void MakeAccessibleChart(wxWindow*) {}

#endif
