// The logger's memory and battery status in the main window, and erasing its memory.
#include <wx/gauge.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include "app/GaugeColours.h"
#include "app/MainFrame.h"
#include "app/StatusConfirmation.h"
#include "device/VellUSB.h"
#include "recordings/MemoryStatus.h"

namespace {

// Said when the logger is on the bus but this user may not open it for writing.
wxString AccessHintShort() {
  return _("Kein Zugriff auf den Logger: udev-Regel 70-vrx-logger.rules fehlt");
}

wxString AccessHintLong() {
  return wxString::FromUTF8(
      "Der Logger ist angeschlossen, aber dieser Benutzer darf ihn nicht öffnen: die udev-Regel "
      "fehlt.\n\nInstallieren Sie das Paket vrx, oder kopieren Sie die Regel von Hand:\n"
      "  sudo cp packaging/70-vrx-logger.rules /etc/udev/rules.d/\n"
      "  sudo udevadm control --reload-rules\n"
      "und stecken Sie den Logger neu ein.");
}

}  // namespace

void MainFrame::OnMemoryStatusTimer(wxTimerEvent&) {
  const unsigned char* record = m_link->GetMemoryStatus();
  // Nobody should take the demo's recordings for real measurements.
  SetStatusText(record && m_link->IsDemoLogger() ? "Demo-Logger" : "", 2);
  if (!record) {
    m_memoryGauge->SetValue(0);
    m_batteryGauge->SetValue(0);
    if (!m_link->AccessDenied()) {
      m_statusText->SetLabel(" ");
      return;
    }
    // Tell once why a logger that is plugged in does not answer; the status line keeps
    // saying it while it lasts.
    m_statusText->SetLabel(AccessHintShort());
    if (!m_accessHintShown) {
      m_accessHintShown = true;
      wxLogWarning("%s", AccessHintLong());
    }
    return;
  }
  const MemoryStatusView view = DecodeMemoryStatus(record);
  m_statusText->SetLabel(wxString::FromUTF8(view.text));
  m_memoryGauge->SetValue(view.memoryGauge);
  m_batteryGauge->SetValue(view.batteryLevel);
  wxColour bar(0, 255, 0);
  if (view.batteryBar == MemoryStatusView::Bar::Orange) bar = wxColour(240, 160, 0);
  if (view.batteryBar == MemoryStatusView::Bar::Red) bar = wxColour(255, 0, 0);
  SetGaugeColours(m_batteryGauge, bar, wxColour(236, 233, 216));
}

void MainFrame::OnClearMemoryCommand(wxCommandEvent&) { OnClearMemory(); }

void MainFrame::OnClearMemory() {
  wxMessageDialog ask(
      this,
      wxString::FromUTF8("Wählen Sie 'OK' um alle gespeicherten Daten auf dem Gerät zu löschen"),
      wxString::FromUTF8("Achtung: Daten werden gelöscht"), wxOK | wxCANCEL);
  if (ask.ShowModal() != wxID_OK) return;
  if (!m_link->ClearMemory()) ReportReadFailure();
  else
    ConfirmInStatusLine(this, wxString::FromUTF8("Loggerspeicher gelöscht"));
}

void MainFrame::ReportReadFailure() {
  if (m_link->AccessDenied()) {
    wxLogError("%s", AccessHintLong());
    return;
  }
  wxLogError("%s", wxString::FromUTF8(ReadFailureText(m_link->GetErrorCode())));
}
