#include "app/GaugeColours.h"

#include <wx/gauge.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

void SetGaugeColours(wxGauge* gauge, const wxColour& bar, const wxColour& background) {
  gauge->SetForegroundColour(bar);
  gauge->SetBackgroundColour(background);
#ifdef __WXGTK__
  GtkWidget* widget = static_cast<GtkWidget*>(gauge->GetHandle());
  if (!widget) return;
  // One provider per gauge, replaced on every change.
  static const char* kKey = "vrx-gauge-css";
  GtkStyleContext* context = gtk_widget_get_style_context(widget);
  if (auto* old = static_cast<GtkCssProvider*>(g_object_get_data(G_OBJECT(widget), kKey)))
    gtk_style_context_remove_provider(context, GTK_STYLE_PROVIDER(old));
  const wxString css = wxString::Format(
      "progressbar progress { background-color: %s; background-image: none; border-color: %s; }"
      "progressbar trough { background-color: %s; background-image: none; min-height: 10px; }"
      "progressbar progress { min-height: 10px; }",
      bar.GetAsString(wxC2S_CSS_SYNTAX), bar.GetAsString(wxC2S_CSS_SYNTAX),
      background.GetAsString(wxC2S_CSS_SYNTAX));
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css.utf8_str(), -1, nullptr);
  // The provider must reach the trough and progress nodes below the widget: add it for the
  // whole screen would colour every gauge, so walk the widget's own context instead.
  gtk_style_context_add_provider(context, GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_set_data_full(G_OBJECT(widget), kKey, provider, g_object_unref);
#endif
}
