#pragma once

// A simulated logger: its memory, settings block, clock, live sampling and status, answering
// the control transfers the program sends. It knows nothing of USB plumbing; SimBus puts it
// behind an emulated device node. Every public call is thread-safe (the emulation answers
// transfers on a worker thread while a test changes the logger).

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace sim {

struct RawSample {
  int flowRaw = 0;      // 14 bits
  int pressureRaw = 0;  // 10 bits
};

// The live signal: raw readings at a time in seconds since live sampling started.
using Signal = std::function<RawSample(double seconds)>;

// One control transfer as the logger saw it.
struct Transfer {
  int requestType = 0;
  int request = 0;
  int value = 0;
  int index = 0;
  int length = 0;
  int timeout = 0;            // the time-out the program passed to libusb
  std::vector<uint8_t> data;  // IN: the reply; OUT: the data stage received
  int result = 0;             // bytes moved, or -errno
};

struct ClockTime {
  int year = 2026, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// One recording the logger made by itself, for building its memory.
struct Recording {
  ClockTime start;
  std::vector<RawSample> samples;
  int extraBytes = 0;  // stray bytes after the samples (not a whole sample)
};

// The settings-block fields a test or the demo chooses.
struct BlockParams {
  uint16_t rateWord = 0xF000;  // 1 s
  uint8_t stateFlags = 0x01;   // litres per minute, automatic logging off
  uint16_t flowOnThreshold = 5, flowOnDelay = 3, flowOffThreshold = 2, flowOffDelay = 3;
  uint8_t pressureRough = 2, pressureZero = 104, pressureFine = 15;
  uint8_t filterMedian = 3, flowClamp = 0, displayAlternation = 0;
  uint8_t pressureUnit = 'b';
  uint8_t volumeRange = 0;
  uint16_t serialNumber = 4711;
  uint8_t manufactureDate[3] = {0x12, 0x04, 0x24};   // BCD day, month, year
  uint8_t calibrationDate[3] = {0x15, 0x03, 0x26};
  uint8_t calibrationMonths = 24;
};

class SimLogger {
 public:
  explicit SimLogger(int firmwareVersion = 0x0403, const BlockParams& params = {});

  // --- what the logger holds ---
  void SetFirmwareVersion(int word);  // also re-lays the block for the new length
  int FirmwareVersion() const;
  int BlockLength() const;
  void SetBlock(const BlockParams& params);  // writes every chosen field; keeps fileCount
  // Lays out the recordings (oldest first) behind the block with their table of contents,
  // as the logger keeps them. False if they do not fit into the memory.
  bool LoadRecordings(const std::vector<Recording>& recordings);
  void WriteMemory(uint32_t address, const std::vector<uint8_t>& bytes);
  std::vector<uint8_t> ReadMemory(uint32_t address, uint32_t length) const;
  uint16_t BlockWord(int offset) const;
  uint8_t BlockByte(int offset) const;
  void SetBlockByte(int offset, uint8_t value);
  void SetBattery(uint16_t field);
  void SetFreeMemoryOverride(int64_t bytes);  // -1: computed from the memory layout
  uint32_t FreeMemory() const;
  void SetErrorCode(uint8_t code);
  uint8_t ErrorCode() const;
  int ClockConfiguration() const;

  // --- time ---
  // The virtual clock moves only when told to, so tests never sleep. In real-time mode
  // (the demo) it follows the wall clock before every transfer.
  void AdvanceMs(int64_t ms);
  void SetRealTime(bool on);
  void SetClock(const ClockTime& t);
  ClockTime Clock() const;

  // --- live sampling ---
  void SetSignal(Signal signal);
  bool LiveMode() const;
  size_t PendingLiveSamples() const;
  uint64_t LiveSamplesTaken() const;
  // A signal like a tap opened and closed again, with pressure dropping while water flows.
  static Signal TapSignal(const BlockParams& calibration);

  // --- faults ---
  void FailTransfer(int n, int err = 32 /*EPIPE*/);  // the n-th transfer from now (1 = next)
  void StallRequest(int request, bool on = true);    // every transfer of this request fails
  void RefuseRequest(int request, uint8_t errorCode);  // fails and sets the error code
  void SetShortReplies(int maxBytes);                 // IN replies cut to this length; -1: off
  void SetLiveCountOverride(int countByte);           // count byte of live blocks; -1: off
  void GoneAfter(int n);  // after n more transfers every transfer fails as if unplugged
  void SetGone(bool gone);
  // Transfers fail with EPERM, as on a node opened without write access.
  void SetReadOnlyAccess(bool on);
  // --- identity on the bus ---
  // The demo logger reports its own device release number (read when it is plugged in).
  void SetDemo(bool on) { m_demo = on; }
  bool IsDemo() const { return m_demo; }
  void ClearFaults();

  // --- the request log ---
  std::vector<Transfer> Log() const;
  void ClearLog();
  uint64_t TransferCount() const;

  // Answers one control transfer; `data` holds `length` bytes (filled for IN). Returns the
  // byte count or -errno, as the kernel would.
  int Handle(int requestType, int request, int value, int index, int length, int timeout,
             uint8_t* data);

 private:
  int HandleLocked(int requestType, int request, int value, int index, int length, uint8_t* data);
  void WriteBlockLocked(const BlockParams& p);
  void AdvanceTicksLocked(int64_t ticks);
  void SyncRealTimeLocked();
  int64_t ClockSecondsLocked() const;
  uint32_t SampleAreaEndLocked() const;
  uint32_t TableStartLocked() const;

  mutable std::mutex m_mutex;
  std::vector<uint8_t> m_memory;
  int m_firmware;
  uint16_t m_battery = 210;
  int64_t m_freeOverride = -1;
  uint8_t m_errorCode = 0;
  int m_clockConfig = 0;
  uint8_t m_clockFourth = 0;

  // Virtual time in ticks of 1/4096 s, the logger's own time base.
  int64_t m_ticks = 0;
  int64_t m_msRemainder = 0;  // ms × 4096 not yet turned into whole ticks
  bool m_realTime = false;
  int64_t m_realStartUs = 0;
  int64_t m_realTicksApplied = 0;
  int64_t m_clockBase = 0;  // clock seconds at tick 0

  Signal m_signal;
  bool m_live = false;
  int64_t m_liveStartTicks = 0;
  int64_t m_nextSampleTicks = 0;
  uint64_t m_liveIndex = 0;
  std::deque<RawSample> m_pending;

  std::vector<Transfer> m_log;
  uint64_t m_transferCount = 0;
  std::map<uint64_t, int> m_failAt;  // absolute transfer number -> errno
  std::set<int> m_stalled;
  std::vector<std::pair<int, uint8_t>> m_refused;
  int m_shortReplies = -1;
  int m_liveCountOverride = -1;
  int64_t m_goneAfter = -1;  // absolute transfer number from which everything fails
  bool m_gone = false;
  bool m_readOnly = false;
  bool m_demo = false;
};

// Day count and back for the clock (proleptic Gregorian, no time zone).
int64_t DaysFromCivil(int y, int m, int d);
ClockTime CivilFromSeconds(int64_t seconds);
int64_t SecondsFromCivil(const ClockTime& t);

}  // namespace sim
