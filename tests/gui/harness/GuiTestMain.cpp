#include "GuiHarness.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <cstdio>

namespace guitest {

LogCapture& LogCapture::Get() {
  static LogCapture* capture = new LogCapture;  // owned by wxLog once made active
  return *capture;
}

std::vector<wxString> LogCapture::Errors() const {
  std::vector<wxString> out;
  for (const auto& e : m_entries)
    if (e.level == wxLOG_Error) out.push_back(e.text);
  return out;
}

void LogCapture::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) {
  m_entries.push_back({level, msg});
}

void Pump(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    wxYield();
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const wxLongLong end = wxGetLocalTimeMillis() + timeoutMs;
  while (!done()) {
    if (wxGetLocalTimeMillis() > end) return false;
    Pump(1);
    wxMilliSleep(10);
  }
  return true;
}

wxBitmap Capture(wxWindow* win) {
  win->Refresh();
  win->Update();
  Pump();
  const wxSize size = win->GetClientSize();
  wxBitmap bmp(size);
  wxMemoryDC mem(bmp);
  wxClientDC client(win);
  mem.Blit(0, 0, size.x, size.y, &client, 0, 0);
  mem.SelectObject(wxNullBitmap);
  return bmp;
}

bool SavePng(const wxBitmap& bmp, const wxString& path) {
  return bmp.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG);
}

namespace {

// Safety net: a dialog that no test expected fails the test and is cancelled.
class FailOnAnyDialog : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dlg) override {
    ADD_FAILURE() << "unexpected modal dialog: " << dlg->GetClassInfo()->GetClassName()
                  << " \"" << dlg->GetTitle() << "\"";
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

FailOnAnyDialog& SafetyNet() {
  static FailOnAnyDialog net;
  return net;
}

void AssertToFailure(const wxString& file, int line, const wxString& func, const wxString& cond,
                     const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_str(), line)
      << "wx assertion in " << func << ": " << cond << " " << msg;
}

}  // namespace

ScreenshotAndAnswer::ScreenshotAndAnswer(const std::string& file, int response) : m_file(file), m_response(response) {
  wxModalDialogHook::Register();
}
ScreenshotAndAnswer::~ScreenshotAndAnswer() { wxModalDialogHook::Unregister(); }

// Checked from the dialog's own loop: GTK maps the dialog (and lists a folder) there.
int ScreenshotAndAnswer::Enter(wxDialog* dlg) {
  m_dialog = dlg;
  Start(50);
  return wxID_NONE;
}

void ScreenshotAndAnswer::Exit(wxDialog*) { Stop(); }

void ScreenshotAndAnswer::Notify() {
  GtkWidget* widget = m_dialog->GetHandle();
  if (!widget || !gtk_widget_get_mapped(widget) || ++m_ticks < 20) return;
  GdkWindow* root = gdk_get_default_root_window();
  if (GdkPixbuf* screen =
          gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root), gdk_window_get_height(root))) {
    shot = gdk_pixbuf_save(screen, m_file.c_str(), "png", nullptr, nullptr);
    g_object_unref(screen);
  }
  Stop();
  gtk_dialog_response(GTK_DIALOG(widget), m_response);
}

RealModalDialogs::RealModalDialogs() { SafetyNet().Unregister(); }
RealModalDialogs::~RealModalDialogs() { SafetyNet().Register(); }

}  // namespace guitest

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "cannot start wx (no display?)\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  wxInitAllImageHandlers();
  wxSetAssertHandler(guitest::AssertToFailure);
  delete wxLog::SetActiveTarget(&guitest::LogCapture::Get());
  guitest::SafetyNet().Register();
  const int rc = RUN_ALL_TESTS();
  wxLog::SetActiveTarget(nullptr);
  wxEntryCleanup();
  return rc;
}
