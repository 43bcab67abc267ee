#pragma once

// Helpers for the tests of the recording list, the filter, the download and the file
// commands of the main window.
#include "MainFrameFixture.h"

#include <gtk/gtk.h>
#include <wx/dataview.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <string>
#include <utility>
#include <vector>

namespace rectest {

// What a file dialog was opened with.
struct FileDialogSeen {
  int count = 0;
  wxString message, wildcard, filename, directory;
  long style = 0;
};

// Answers a file dialog with a path (or cancels it) and notes how it was opened. On GTK the
// dialog takes its path only once events were processed.
class FileAnswer : public wxExpectModalBase<wxFileDialog, FileAnswer> {
 public:
  explicit FileAnswer(const wxString& path, int id = wxID_OK, FileDialogSeen* seen = nullptr)
      : m_path(path), m_id(id), m_seen(seen) {}

 protected:
  int OnInvoked(wxFileDialog* dlg) const override {
    if (m_seen) {
      ++m_seen->count;
      m_seen->message = dlg->GetMessage();
      m_seen->wildcard = dlg->GetWildcard();
      m_seen->filename = dlg->GetFilename();
      m_seen->directory = dlg->GetDirectory();
      m_seen->style = dlg->GetWindowStyle();
    }
    if (m_id == wxID_OK) {
      dlg->SetPath(m_path);
      guitest::PumpUntil([&] { return dlg->GetPath() == m_path; });
      EXPECT_EQ(dlg->GetPath(), m_path);
    }
    return m_id;
  }

 private:
  wxString m_path;
  int m_id;
  FileDialogSeen* m_seen;
};

// A message box answered with `id`, noting its text and caption.
class MessageAnswer : public wxExpectModalBase<wxMessageDialog, MessageAnswer> {
 public:
  MessageAnswer(int id, wxString* message, wxString* caption = nullptr)
      : m_id(id), m_message(message), m_caption(caption) {}

 protected:
  int OnInvoked(wxMessageDialog* dlg) const override {
    if (m_message) *m_message = dlg->GetMessage();
    if (m_caption) *m_caption = dlg->GetTitle();
    return m_id;
  }

 private:
  int m_id;
  wxString* m_message;
  wxString* m_caption;
};

// The prompt of a text entry dialog: the labels of its static texts.
inline wxString PromptOf(wxWindow* dlg) {
  wxString prompt;
  for (wxWindow* child : dlg->GetChildren())
    if (auto* text = dynamic_cast<wxStaticText*>(child)) prompt += text->GetLabel();
  return prompt;
}

// A text entry dialog answered with a value, noting its prompt, caption and first value.
class TextAnswer : public wxExpectModalBase<wxTextEntryDialog, TextAnswer> {
 public:
  struct Seen {
    wxString prompt, caption, initial;
  };
  TextAnswer(const wxString& value, int id, Seen* seen = nullptr) : m_value(value), m_id(id), m_seen(seen) {}

 protected:
  int OnInvoked(wxTextEntryDialog* dlg) const override {
    if (m_seen) *m_seen = Seen{PromptOf(dlg), dlg->GetTitle(), dlg->GetValue()};
    dlg->SetValue(m_value);
    return m_id;
  }

 private:
  wxString m_value;
  int m_id;
  Seen* m_seen;
};

inline sim::Recording LoggerRecording(sim::ClockTime start, int samples, int flowRaw = 100, int pressureRaw = 300,
                                      int extraBytes = 0) {
  return {start, std::vector<sim::RawSample>(static_cast<size_t>(samples), {flowRaw, pressureRaw}), extraBytes};
}

// A record with `n` samples of constant flow, as a download would make it.
inline Storage MakeRecord(const std::string& title, const std::string& dateTime, int n, int intervalMs = 1000,
                          int flowRaw = 60) {
  Storage rec(dateTime, intervalMs, 1, false);
  rec.SetPressureScaling(104, 2, 15, 'b');
  rec.SetTitle(title);
  for (int i = 0; i < n; ++i) rec.AddSample(flowRaw + (i % 7) * 10, 300);
  return rec;
}

inline wxString Cell(wxDataViewListCtrl* list, int row, int column) {
  return list->GetTextValue(static_cast<unsigned>(row), static_cast<unsigned>(column));
}

inline std::vector<wxString> Column(wxDataViewListCtrl* list, int column) {
  std::vector<wxString> out;
  for (int r = 0; r < list->GetItemCount(); ++r) out.push_back(Cell(list, r, column));
  return out;
}

inline bool IsSelected(wxDataViewListCtrl* list, int row) { return list->IsRowSelected(static_cast<unsigned>(row)); }

// The row with the keyboard cursor; -1 for none.
inline int FocusedRow(wxDataViewListCtrl* list) { return list->ItemToRow(list->GetCurrentItem()); }

// The list's rows as GTK holds them: changing the selection here raises the events a user's
// change does (wx's own Select and Unselect raise none).
inline GtkTreeView* TreeOf(wxDataViewListCtrl* list) { return GTK_TREE_VIEW(list->GtkGetTreeView()); }

inline void SetRowSelected(wxDataViewListCtrl* list, int row, bool selected) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(TreeOf(list));
  if (selected)
    gtk_tree_selection_select_path(selection, path);
  else
    gtk_tree_selection_unselect_path(selection, path);
  gtk_tree_path_free(path);
}

// A click on a row: the row gets the cursor and the one selection, with the events a click
// raises.
inline void ClickRow(wxDataViewListCtrl* list, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_set_cursor(TreeOf(list), path, nullptr, FALSE);
  gtk_tree_path_free(path);
}
// Double click or Enter on a row.
inline void ActivateRow(wxDataViewListCtrl* list, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_row_activated(TreeOf(list), path, nullptr);
  gtk_tree_path_free(path);
}

// The memory reads in a transfer log, as (address, length): consecutive chunks of one read
// are joined.
inline std::vector<std::pair<uint32_t, uint32_t>> MemoryReads(const std::vector<sim::Transfer>& log) {
  std::vector<std::pair<uint32_t, uint32_t>> reads;
  bool joinable = false;
  for (const sim::Transfer& t : log) {
    if (t.request != 23 || t.result < 0) {
      joinable = false;
      continue;
    }
    const uint32_t address = static_cast<uint32_t>(t.value) | static_cast<uint32_t>(t.index & 0xFF) << 16;
    const uint32_t length = static_cast<uint32_t>(t.length);
    if (joinable && reads.back().first + reads.back().second == address)
      reads.back().second += length;
    else
      reads.emplace_back(address, length);
    joinable = length == 128;
  }
  return reads;
}

// Position (1 = first) in the log of the first memory-read transfer at `address`; 0 if none.
inline int TransferReading(const std::vector<sim::Transfer>& log, uint32_t address) {
  for (size_t i = 0; i < log.size(); ++i) {
    const sim::Transfer& t = log[i];
    if (t.request == 23 &&
        (static_cast<uint32_t>(t.value) | static_cast<uint32_t>(t.index & 0xFF) << 16) == address)
      return static_cast<int>(i) + 1;
  }
  return 0;
}

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace rectest
