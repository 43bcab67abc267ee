#include "app/StatusConfirmation.h"

#include <wx/clntdata.h>
#include <wx/frame.h>
#include <wx/statusbr.h>
#include <wx/timer.h>

namespace {

// Clears the confirmation unless a newer text took its place. Owned by the status bar, so it
// cannot outlive it.
class ConfirmationTimer : public wxTimer, public wxClientData {
 public:
  explicit ConfirmationTimer(wxStatusBar* bar) : m_bar(bar) {}
  void Show(const wxString& text) {
    m_text = text;
    m_bar->SetStatusText(text, CONFIRMATION_FIELD);
    StartOnce(CONFIRMATION_MS);
  }
  void Notify() override {
    if (m_bar->GetStatusText(CONFIRMATION_FIELD) == m_text) m_bar->SetStatusText(wxEmptyString, CONFIRMATION_FIELD);
  }

 private:
  wxStatusBar* m_bar;
  wxString m_text;
};

}  // namespace

void ConfirmInStatusLine(wxFrame* frame, const wxString& text) {
  wxStatusBar* bar = frame->GetStatusBar();
  if (!bar || bar->GetFieldsCount() <= CONFIRMATION_FIELD) return;
  auto* timer = dynamic_cast<ConfirmationTimer*>(bar->GetClientObject());
  if (!timer) {
    timer = new ConfirmationTimer(bar);
    bar->SetClientObject(timer);
  }
  timer->Show(text);
}
