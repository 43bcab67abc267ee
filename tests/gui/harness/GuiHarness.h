// Shared support for tests that open real windows (run under xvfb-run).
//
// The harness's main() starts wx without a main loop, turns wx assertions into test
// failures, captures everything sent to wxLog, and installs a modal hook that fails the
// test and cancels any dialog that a test did not expect (instead of hanging the run).
#pragma once

#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/textdlg.h>
#include <wx/timer.h>
#include <wx/window.h>

#include <functional>
#include <string>
#include <vector>

namespace guitest {

struct LogEntry {
  wxLogLevel level;
  wxString text;
};

// Everything logged since the last Clear(); installed by main() as the active target.
class LogCapture : public wxLog {
 public:
  static LogCapture& Get();
  const std::vector<LogEntry>& Entries() const { return m_entries; }
  std::vector<wxString> Errors() const;
  void Clear() { m_entries.clear(); }

 protected:
  void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

 private:
  std::vector<LogEntry> m_entries;
};

// Processes pending events and idle handlers a few times over.
void Pump(int rounds = 5);

// Pumps events until `done` holds or `timeoutMs` has passed; returns whether it holds. For
// what the X server and GTK finish asynchronously (sizes, mouse clicks) on a busy machine.
// The time-out only guards against a hang: a shared CI machine can be slow for many seconds,
// so it is far longer than any wait should take.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 60000);

// Renders a window's client area into a bitmap the way it would appear on screen.
wxBitmap Capture(wxWindow* win);

// Saves a bitmap as PNG (for looking at what a test drew).
bool SavePng(const wxBitmap& bmp, const wxString& path);

// While one exists, a modal dialog that no expectation answers is shown for real instead of
// failing the test: for tests that need a real modal loop. The test must end that loop itself
// (a CallAfter queued before ShowModal runs inside it).
class RealModalDialogs {
 public:
  RealModalDialogs();
  ~RealModalDialogs();
  RealModalDialogs(const RealModalDialogs&) = delete;
  RealModalDialogs& operator=(const RealModalDialogs&) = delete;
};

// Expects a modal dialog of type T and closes it with `id`, whatever T is (wx has ready
// expectations only for its standard dialogs).
template <class T>
class ExpectDialog : public wxExpectModalBase<T, ExpectDialog<T>> {
 public:
  explicit ExpectDialog(int id) : m_id(id) {}

 protected:
  int OnInvoked(T*) const override { return m_id; }

 private:
  int m_id;
};

// While one exists, the next modal dialog is shown for real (use with RealModalDialogs); once
// GTK has it on screen, the whole screen is saved as PNG to `file` and the dialog is answered
// with the GTK response `response` (for the toolkit's own GTK dialogs: file chooser, message
// box). For a person to look at what the user sees.
class ScreenshotAndAnswer : public wxModalDialogHook, public wxTimer {
 public:
  ScreenshotAndAnswer(const std::string& file, int response);
  ~ScreenshotAndAnswer() override;
  bool shot = false;

 protected:
  int Enter(wxDialog* dlg) override;
  void Exit(wxDialog*) override;
  void Notify() override;

 private:
  std::string m_file;
  int m_response;
  wxDialog* m_dialog = nullptr;
  int m_ticks = 0;
};

// A message box as it was shown: its texts, its style and the window it stood on.
struct MessageSeen {
  int count = 0;
  wxString text, caption;
  long style = 0;
  wxWindow* parent = nullptr;
};

// Answers a message box with OK and notes it in `seen`.
class NoteMessage : public wxExpectModalBase<wxMessageDialog, NoteMessage> {
 public:
  explicit NoteMessage(MessageSeen* seen) : m_seen(seen) {}

 protected:
  int OnInvoked(wxMessageDialog* dlg) const override {
    *m_seen = {m_seen->count + 1, dlg->GetMessage(), dlg->GetTitle(), dlg->GetMessageDialogStyle(), dlg->GetParent()};
    return wxID_OK;
  }

 private:
  MessageSeen* m_seen;
};

}  // namespace guitest

// wx ships no expectation for wxTextEntryDialog: this one types a value and presses a button.
template <>
class wxExpectModal<wxTextEntryDialog> : public wxExpectModalBase<wxTextEntryDialog> {
 public:
  explicit wxExpectModal(const wxString& value, int id = wxID_OK) : m_value(value), m_id(id) {}

 protected:
  int OnInvoked(wxTextEntryDialog* dlg) const override {
    dlg->SetValue(m_value);
    return m_id;
  }

 private:
  wxString m_value;
  int m_id;
};
