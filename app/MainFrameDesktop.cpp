// What a desktop program is expected to do beyond its own commands: the About box, the recent
// work files, opening a file named on the command line or dropped on the window.
#include <wx/aboutdlg.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/dnd.h>
#include <wx/fileconf.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/dataview.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "i18n/Tr.h"
#include "plot/Plot.h"

namespace {

// A .kdl file dropped on the window is opened as if chosen in the open dialog. The opening
// waits until the drop has finished: questions must not be asked inside the drag.
class WorkFileDropTarget : public wxFileDropTarget {
 public:
  explicit WorkFileDropTarget(MainFrame* frame) : m_frame(frame) {}
  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
    for (const wxString& f : files)
      if (f.Lower().EndsWith(".kdl")) {
        const wxString path = f;
        m_frame->CallAfter([frame = m_frame, path] { frame->OpenWorkFileFrom(path); });
        return true;
      }
    return false;
  }

 private:
  MainFrame* m_frame;
};

}  // namespace

void MainFrame::InstallDropTargets() {
  // GTK gives each widget its own drop site; these three cover the window.
  for (wxWindow* w : {static_cast<wxWindow*>(m_panel), static_cast<wxWindow*>(m_plot),
                      static_cast<wxWindow*>(m_recordList)})
    w->SetDropTarget(new WorkFileDropTarget(this));
}

bool MainFrame::OpenWorkFileFrom(const wxString& path) {
  if (IsLive()) {
    wxMessageBox(Tr("Während der Live-Aufzeichnung kann keine Arbeitsdatei geöffnet werden."), "Message",
                 wxOK | wxICON_INFORMATION, this);
    return false;
  }
  if (!ConfirmDropRecordings()) return false;
  return ReadWorkFile(path);
}

void MainFrame::OnRecentFile(wxCommandEvent& event) {
  const size_t index = static_cast<size_t>(event.GetId() - wxID_FILE1);
  if (!m_recentFiles || index >= m_recentFiles->GetCount()) return;
  const wxString path = m_recentFiles->GetHistoryFile(index);
  if (!wxFileName::FileExists(path)) {
    m_recentFiles->RemoveFileFromHistory(index);
    SaveRecentFiles();
    wxLogError("%s", wxString::Format(Tr("Die Datei %s gibt es nicht mehr."), path));
    return;
  }
  OpenWorkFileFrom(path);
}

void MainFrame::OnAbout(wxCommandEvent&) {
  wxAboutDialogInfo info;
  info.SetName("vrx");
  info.SetVersion(wxString::Format("%.1f", PROGRAM_VERSION));
  info.SetDescription(
      Tr("Begleitprogramm zum Corvane Durchfluss- und Drucklogger: Aufzeichnungen laden, live messen, "
         "darstellen und speichern."));
  info.SetCopyright("(C) 2026 the vrx developers");
  info.SetLicence("vrx is free software, distributed under the GNU General Public License, version 3 or later.");
  // The toolkit's own about box, parented to the window (GTK's native one would float free).
  wxGenericAboutBox(info, this);
}

wxString MainFrame::RecentFilesPath() const {
  return wxFileName(m_settingsDirectory, "recent-files.ini").GetFullPath();
}

void MainFrame::LoadRecentFiles() {
  if (!wxFileName::FileExists(RecentFilesPath())) return;
  wxFileConfig config(wxEmptyString, wxEmptyString, RecentFilesPath(), wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
  m_recentFiles->Load(config);
  // Files removed since the last run are not offered.
  for (size_t i = m_recentFiles->GetCount(); i-- > 0;)
    if (!wxFileName::FileExists(m_recentFiles->GetHistoryFile(i))) m_recentFiles->RemoveFileFromHistory(i);
}

void MainFrame::SaveRecentFiles() const {
  if (!m_recentFiles || !wxFileName::DirExists(m_settingsDirectory)) return;
  wxFileConfig config(wxEmptyString, wxEmptyString, RecentFilesPath(), wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
  config.DeleteAll();  // DeleteAll removes the file; Save and Flush write it anew
  m_recentFiles->Save(config);
  config.Flush();
}

void MainFrame::RememberRecentFile(const wxString& path) {
  if (!m_recentFiles) return;
  m_recentFiles->AddFileToHistory(path);
  SaveRecentFiles();
}
