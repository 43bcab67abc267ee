// Downloading every recording from the logger's memory into the recording set.
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>

#include <chrono>
#include <memory>

#include "app/MainFrame.h"
#include "device/LoggerInfo.h"
#include "i18n/Tr.h"
#include "recordings/LoggerDownload.h"

void MainFrame::OnDownload(wxCommandEvent&) {
  // Live reading appends to the last record; the set is not replaced under it.
  if (IsLive() || !ConfirmDropRecordings()) return;

  // The progress window shows only once the download has run for a moment, as desktop programs
  // do: a download over USB takes longer, a short one ends before the window (and the greyed
  // main window behind it) would cost more than the reads. Until then nothing yields to the
  // event loop, so no other command can start. A logger that does not answer at all shows
  // none; the window lets the user stop a long download.
  std::unique_ptr<wxProgressDialog> progress;
  const auto start = std::chrono::steady_clock::now();
  auto lastPulse = start;
  LoggerDownload download(*m_link);
  LoggerDownloadResult result = download.Run([&](uint64_t done, uint64_t total) {
    const auto now = std::chrono::steady_clock::now();
    if (!progress) {
      if (now - start < std::chrono::milliseconds(m_progressDelayMs)) return true;
      progress = std::make_unique<wxProgressDialog>(TrC("progress window", "Laden"),
                                                    Tr("Daten werden vom VRX-Speicher gelesen, einen Moment bitte…"),
                                                    100, nullptr, wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_CAN_ABORT);
    } else if (now - lastPulse < std::chrono::milliseconds(100) && done < total) {
      return true;  // a person sees no more than a few pulses a second; each costs a round of events
    }
    lastPulse = now;
    return progress->Pulse();
  });

  if (result.block)
    RememberLogger(*result.block);
  else
    g_firmwareVersion = result.firmwareVersion;
  // A failure is reported with the progress window gone; after a success it stays open
  // through the questions that follow.
  if (!result.ok()) progress.reset();
  switch (result.status) {
    case DownloadStatus::ReadFailed:
      ReportReadFailure();
      return;
    case DownloadStatus::BadMemory:
      wxLogError("%s", wxString::FromUTF8(result.error));
      return;
    case DownloadStatus::Cancelled:
      return;  // the user stopped it: the set stays as it was
    case DownloadStatus::Ok:
      break;
  }

  // Only now, with every read done, is the old set replaced. The recordings no longer belong
  // to a work file: saving asks for a name.
  m_recordings.Replace(std::move(result.recordings), std::string(), false);

  if (wxMessageBox("Save files to computer drive?", "Save new data?", wxYES_NO | wxICON_INFORMATION, nullptr) == wxYES)
    OnSaveWorkFileAs();
  // Clearing the logger is offered only once its recordings are safely in a file.
  if (m_recordings.IsSaved()) OnClearMemory();
}
