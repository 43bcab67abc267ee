// The recording set and everything that belongs to it: the records in list
// order, the one on show, whether the set has changes no work file holds, and
// the work file it came from or went to. Every change goes through here and is
// announced to one listener (the window), which redraws the list, the plot, the
// readouts and the title from that one place.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "recordings/Storage.h"

class RecordingSet {
 public:
  // What a notification says changed; several may come together.
  enum Change : unsigned {
    ROWS = 1u << 0,     // records added, removed or replaced: the rows are rebuilt
    TEXTS = 1u << 1,    // a title or information text changed
    SHOWN = 1u << 2,    // another recording (or none) is on show
    SAMPLES = 1u << 3,  // the live recording received samples
    SAVED = 1u << 4,    // the saved flag or the work file changed
    LIVE = 1u << 5,     // live reading started or stopped
  };
  using Listener = std::function<void(unsigned changes)>;

  void SetListener(Listener listener) { m_listener = std::move(listener); }

  // --- reading ---
  size_t size() const { return m_records.size(); }
  bool empty() const { return m_records.empty(); }
  const Storage& operator[](size_t i) const { return m_records[i]; }
  // For what is no change of the set's content: the filter, the measured texts.
  Storage& operator[](size_t i) { return m_records[i]; }
  const Storage& back() const { return m_records.back(); }
  std::vector<Storage>::const_iterator begin() const { return m_records.begin(); }
  std::vector<Storage>::const_iterator end() const { return m_records.end(); }
  const std::vector<Storage>& Records() const { return m_records; }

  // Index of the recording on show, or -1.
  int Shown() const { return m_shown; }
  // True when no work file lacks anything the set holds (nothing to lose on
  // replace).
  bool IsSaved() const { return m_saved; }
  // Whether replacing or dropping the set would lose recordings no file holds.
  bool HasUnsavedRecordings() const { return !m_saved && !m_records.empty(); }
  // The work file the set belongs to (as the window's file dialogs give it), or
  // empty.
  const std::string& WorkFilePath() const { return m_path; }
  bool IsLive() const { return m_live; }

  // --- changing ---
  // Replaces every record: a download (no work file, unsaved) or an opened work
  // file (its path, saved). The newest recording, the first, is shown; none
  // when the set is empty. Refused (false) while live reading runs, so the live
  // recording is never dropped.
  bool Replace(std::vector<Storage> records, const std::string& workFilePath, bool saved);
  // Adds a record at the end (before the live recording is started, never behind it).
  bool Append(Storage record);
  // Shows record i; an index outside the set shows none.
  void Show(int i);
  // Removes record i (not the live one). When it was on show, its neighbour is
  // shown: the record that moves into its place, or the one before when it was
  // the last.
  bool Remove(int i);
  void SetTitle(int i, const std::string& title);
  void SetInfo(int i, const std::string& info);
  // A successful write or read of `workFilePath`.
  void MarkSaved(const std::string& workFilePath);
  void MarkSaved() { MarkSaved(m_path); }

  // --- live reading ---
  // Appends the live recording and shows it; it stays the last record until
  // StopLive.
  void StartLive(Storage record);
  // The live recording; only while IsLive().
  Storage& LiveRecording() { return m_records.back(); }
  // Samples were appended to the live recording.
  void LiveSamplesAdded();
  void StopLive();

 private:
  void Notify(unsigned changes) const {
    if (m_listener && changes) m_listener(changes);
  }
  bool Valid(int i) const { return i >= 0 && static_cast<size_t>(i) < m_records.size(); }
  void Modified(unsigned changes);

  std::vector<Storage> m_records;
  int m_shown = -1;
  bool m_saved = false;
  bool m_live = false;
  std::string m_path;
  Listener m_listener;
};
