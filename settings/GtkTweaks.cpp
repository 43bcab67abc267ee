#include "settings/GtkTweaks.h"

#include <wx/checkbox.h>
#include <wx/spinbutt.h>

#ifdef __WXGTK3__
#include <gtk/gtk.h>

#include <algorithm>
#include <string>

namespace {

void AddCss(wxWindow* window, const std::string& css, unsigned priority) {
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(window->GetHandle()),
                                 GTK_STYLE_PROVIDER(provider), priority);
  g_object_unref(provider);
}

}  // namespace
#endif

void MakeSpinCompact(wxSpinButton* spin, int height) {
#ifdef __WXGTK3__
  // The arrows' icons are 16 pixels; what is left of the height becomes padding.
  const int pad = std::max(0, (height - 19) / 2);
  AddCss(spin,
         "spinbutton, spinbutton entry, spinbutton button {min-height:0; min-width:0; padding:0;}"
         " spinbutton button {padding:" + std::to_string(pad) + "px 1px;}",
         GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
#else
  (void)height;
#endif
  spin->InvalidateBestSize();
  spin->SetInitialSize(spin->GetBestSize());
}

void KeepCheckMarkVisible(wxCheckBox* box) {
#ifdef __WXGTK3__
  // Above the application priority at which wx applies the background colour.
  AddCss(box, "checkbutton check {color:#202020;}", GTK_STYLE_PROVIDER_PRIORITY_USER);
#else
  (void)box;
#endif
}
