// Downloading every recording from the logger's memory into the recording set.
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>

#include <cstdint>
#include <vector>

#include "app/MainFrame.h"
#include "device/LoggerInfo.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "recordings/LoggerMemory.h"

void MainFrame::OnDownload(wxCommandEvent&) {
  // A failed version request counts as version 0, which means the short block.
  const unsigned char* reply = m_link->GetFirmwareVersion();
  const int version = reply ? reply[0] | reply[1] << 8 : 0;
  g_firmwareVersion = version;
  const int blockLength = SettingsBlockLength(version);
  unsigned char bytes[SETTINGS_BLOCK_LONG] = {};
  if (!m_link->ReadMemory(0, static_cast<uint32_t>(blockLength), bytes)) {
    ReportReadFailure();
    return;
  }
  const SettingsBlock block(bytes, blockLength, version);

  DownloadSettings settings;
  settings.intervalMs = IntervalMilliseconds(block.rateWord());
  settings.flowUnitLitres = block.flowUnitLitres() ? 1 : 0;
  settings.pressureZero = block.pressureZero();
  settings.pressureRough = block.pressureRough();
  settings.pressureFine = block.pressureFine();
  settings.pressureUnit = static_cast<char>(block.pressureUnit());
  settings.blockLength = static_cast<uint32_t>(blockLength);
  g_flowUnitLitres = static_cast<unsigned char>(settings.flowUnitLitres);
  g_pressureUnit = block.pressureUnit();
  if (block.IsLong()) {
    settings.serialNumber = block.serialNumber();
    g_serialNumber = settings.serialNumber;
  }
  const uint32_t fileCount = block.fileCount();

  wxProgressDialog progress("Laden", wxString::FromUTF8("Daten werden vom VRX-Speicher gelesen, einen Moment bitte…"),
                            100, nullptr, wxPD_APP_MODAL | wxPD_AUTO_HIDE);
  progress.Pulse();

  std::vector<Storage> downloaded;
  if (fileCount > 0) {
    // A count whose table would not fit above the block is refused before anything is read.
    if (uint64_t{fileCount} * TOC_ENTRY_SIZE > LOGGER_TOC_TOP - settings.blockLength) {
      wxLogError("%s", wxString::FromUTF8(CheckToc({}, fileCount, settings.blockLength).error));
      return;
    }
    std::vector<uint8_t> toc(size_t{fileCount} * TOC_ENTRY_SIZE);
    if (!m_link->ReadMemory(TocAddress(fileCount), static_cast<uint32_t>(toc.size()), toc.data())) {
      ReportReadFailure();
      return;
    }
    progress.Pulse();
    // End addresses that do not rise, or reach into the table, would point past what is read.
    const TocCheck check = CheckToc(toc, fileCount, settings.blockLength);
    if (!check.ok) {
      wxLogError("%s", wxString::FromUTF8(check.error));
      return;
    }
    std::vector<uint8_t> sampleArea(check.sampleAreaEnd - settings.blockLength);
    if (!m_link->ReadMemory(settings.blockLength, static_cast<uint32_t>(sampleArea.size()), sampleArea.data())) {
      ReportReadFailure();
      return;
    }
    progress.Pulse();
    DownloadResult result = DecodeLoggerMemory(settings, fileCount, toc, sampleArea);
    if (!result.ok) {
      wxLogError("%s", wxString::FromUTF8(result.error));
      return;
    }
    downloaded = std::move(result.recordings);
    progress.Pulse();
  }

  // Only now, with every read done, is the old set replaced.
  m_recordings = std::move(downloaded);
  m_currentRecording = -1;  // the plot's recording is no longer in the set
  RefreshRecordingList();
  m_saved = false;

  if (wxMessageBox("Save files to computer drive?", "Save new data?", wxYES_NO | wxICON_INFORMATION, nullptr) ==
      wxYES)
    OnSaveWorkFileAs();
  // Clearing the logger is offered only once its recordings are safely in a file.
  if (m_saved) OnClearMemory();
}
