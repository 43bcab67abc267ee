#include "recordings/RecordingSet.h"

void RecordingSet::Modified(unsigned changes) {
  if (m_saved) changes |= SAVED;
  m_saved = false;
  Notify(changes);
}

bool RecordingSet::Replace(std::vector<Storage> records, const std::string& workFilePath, bool saved) {
  if (m_live) return false;
  m_records = std::move(records);
  m_shown = m_records.empty() ? -1 : 0;
  m_saved = saved;
  m_path = workFilePath;
  Notify(ROWS | SHOWN | SAVED);
  return true;
}

bool RecordingSet::Append(Storage record) {
  if (m_live) return false;
  m_records.push_back(std::move(record));
  Modified(ROWS);
  return true;
}

void RecordingSet::Show(int i) {
  const int shown = Valid(i) ? i : -1;
  if (shown == m_shown) return;
  m_shown = shown;
  Notify(SHOWN);
}

bool RecordingSet::Remove(int i) {
  if (!Valid(i) || (m_live && static_cast<size_t>(i) + 1 == m_records.size())) return false;
  m_records.erase(m_records.begin() + i);
  unsigned changes = ROWS;
  if (m_shown == i) {
    m_shown = Valid(i) ? i : static_cast<int>(m_records.size()) - 1;
    changes |= SHOWN;
  } else if (m_shown > i) {
    --m_shown;  // the same record, one row up
  }
  Modified(changes);
  return true;
}

void RecordingSet::SetTitle(int i, const std::string& title) {
  if (!Valid(i)) return;
  m_records[static_cast<size_t>(i)].SetTitle(title);
  Modified(TEXTS);
}

void RecordingSet::SetInfo(int i, const std::string& info) {
  if (!Valid(i)) return;
  m_records[static_cast<size_t>(i)].SetInfo(info);
  Modified(TEXTS);
}

void RecordingSet::MarkSaved(const std::string& workFilePath) {
  m_saved = true;
  m_path = workFilePath;
  Notify(SAVED);
}

void RecordingSet::StartLive(Storage record) {
  m_records.push_back(std::move(record));
  m_live = true;
  m_shown = static_cast<int>(m_records.size()) - 1;
  Modified(ROWS | SHOWN | LIVE);
}

void RecordingSet::LiveSamplesAdded() {
  if (m_live) Modified(SAMPLES);
}

void RecordingSet::StopLive() {
  if (!m_live) return;
  m_live = false;
  Notify(LIVE);
}
