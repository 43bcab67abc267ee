#include "sim/SimLogger.h"

#include "device/SettingsBlock.h"
#include "device/UsbConstants.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>

namespace sim {

namespace {

constexpr int64_t TICKS_PER_SECOND = 4096;
constexpr size_t LIVE_BUFFER_LIMIT = 1u << 20;  // samples kept between two reads

// The logger's 3-byte sample: 14 bits of flow, 10 of pressure.
void EncodeSample(const RawSample& s, uint8_t* out) {
  out[0] = s.flowRaw & 0xFF;
  out[1] = static_cast<uint8_t>(((s.flowRaw >> 8) & 0x3F) | ((s.pressureRaw >> 8) & 0x03) << 6);
  out[2] = s.pressureRaw & 0xFF;
}

int64_t WallMicros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

ClockTime CivilFromSeconds(int64_t seconds) {
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  ClockTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

int64_t SecondsFromCivil(const ClockTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

SimLogger::SimLogger(int firmwareVersion, const BlockParams& params)
    : m_memory(LOGGER_MEMORY_SIZE, 0xFF), m_firmware(firmwareVersion) {
  std::fill(m_memory.begin(), m_memory.begin() + SETTINGS_BLOCK_LONG, 0);
  WriteBlockLocked(params);
  m_memory[SettingsBlock::OFF_FILE_COUNT] = 0;
  m_memory[SettingsBlock::OFF_FILE_COUNT + 1] = 0;
  m_clockBase = SecondsFromCivil(ClockTime{2026, 12, 10, 9, 30, 0});
  m_signal = TapSignal(params);
}

void SimLogger::WriteBlockLocked(const BlockParams& p) {
  auto word = [this](int off, uint16_t v) {
    m_memory[off] = v & 0xFF;
    m_memory[off + 1] = v >> 8;
  };
  word(SettingsBlock::OFF_RATE_WORD, p.rateWord);
  m_memory[SettingsBlock::OFF_STATE_FLAGS] = p.stateFlags;
  word(SettingsBlock::OFF_FLOW_ON_THRESHOLD, p.flowOnThreshold);
  word(SettingsBlock::OFF_FLOW_ON_DELAY, p.flowOnDelay);
  word(SettingsBlock::OFF_FLOW_OFF_THRESHOLD, p.flowOffThreshold);
  word(SettingsBlock::OFF_FLOW_OFF_DELAY, p.flowOffDelay);
  m_memory[SettingsBlock::OFF_PRESSURE_ROUGH] = p.pressureRough;
  m_memory[SettingsBlock::OFF_PRESSURE_ZERO] = p.pressureZero;
  m_memory[SettingsBlock::OFF_PRESSURE_FINE] = p.pressureFine;
  m_memory[SettingsBlock::OFF_FILTER_MEDIAN] = p.filterMedian;
  m_memory[SettingsBlock::OFF_FLOW_CLAMP] = p.flowClamp;
  m_memory[SettingsBlock::OFF_DISPLAY_ALTERNATION] = p.displayAlternation;
  m_memory[SettingsBlock::OFF_PRESSURE_UNIT] = p.pressureUnit;
  m_memory[SettingsBlock::OFF_VOLUME_RANGE] = p.volumeRange;
  // The long block's identity fields; a short block's logger keeps samples from byte 21 on,
  // and those bytes are written only when recordings are laid out.
  if (m_firmware == FIRMWARE_LONG_BLOCK) {
    word(SettingsBlock::OFF_SERIAL_NUMBER, p.serialNumber);
    std::memcpy(&m_memory[SettingsBlock::OFF_MANUFACTURE_DATE], p.manufactureDate, 3);
    std::memcpy(&m_memory[SettingsBlock::OFF_CALIBRATION_DATE], p.calibrationDate, 3);
    m_memory[SettingsBlock::OFF_CALIBRATION_MONTHS] = p.calibrationMonths;
  }
}

void SimLogger::SetFirmwareVersion(int word) {
  std::lock_guard lock(m_mutex);
  m_firmware = word;
}

int SimLogger::FirmwareVersion() const {
  std::lock_guard lock(m_mutex);
  return m_firmware;
}

int SimLogger::BlockLength() const {
  std::lock_guard lock(m_mutex);
  return SettingsBlockLength(m_firmware);
}

void SimLogger::SetBlock(const BlockParams& params) {
  std::lock_guard lock(m_mutex);
  WriteBlockLocked(params);
}

bool SimLogger::LoadRecordings(const std::vector<Recording>& recordings) {
  std::lock_guard lock(m_mutex);
  const uint32_t L = static_cast<uint32_t>(SettingsBlockLength(m_firmware));
  const size_t n = recordings.size();
  const uint32_t tableStart = LOGGER_MEMORY_TOP - static_cast<uint32_t>(TOC_ENTRY_SIZE * n);
  uint64_t need = L;
  for (const auto& r : recordings) need += r.samples.size() * 3 + r.extraBytes;
  if (n > 0xFFFF || need > tableStart) return false;

  std::fill(m_memory.begin() + L, m_memory.end(), 0xFF);
  uint32_t addr = L;
  for (size_t j = 0; j < n; ++j) {  // j = 0 is the oldest, table entry n - 1
    const Recording& r = recordings[j];
    for (const RawSample& s : r.samples) {
      EncodeSample(s, &m_memory[addr]);
      addr += 3;
    }
    for (int e = 0; e < r.extraBytes; ++e) m_memory[addr++] = 0x5A;
    const size_t k = n - 1 - j;
    uint8_t* entry = &m_memory[tableStart + TOC_ENTRY_SIZE * k];
    entry[0] = EncodeBcd(r.start.second);
    entry[1] = EncodeBcd(r.start.minute);
    entry[2] = EncodeBcd(r.start.hour);
    entry[3] = EncodeBcd(r.start.day);
    entry[4] = EncodeBcd(r.start.month);
    entry[5] = EncodeBcd(r.start.year - 2000);
    entry[6] = addr & 0xFF;
    entry[7] = (addr >> 8) & 0xFF;
    entry[8] = (addr >> 16) & 0xFF;
  }
  m_memory[SettingsBlock::OFF_FILE_COUNT] = n & 0xFF;
  m_memory[SettingsBlock::OFF_FILE_COUNT + 1] = (n >> 8) & 0xFF;
  return true;
}

void SimLogger::WriteMemory(uint32_t address, const std::vector<uint8_t>& bytes) {
  std::lock_guard lock(m_mutex);
  for (size_t i = 0; i < bytes.size() && address + i < m_memory.size(); ++i)
    m_memory[address + i] = bytes[i];
}

std::vector<uint8_t> SimLogger::ReadMemory(uint32_t address, uint32_t length) const {
  std::lock_guard lock(m_mutex);
  std::vector<uint8_t> out(length, 0xFF);
  for (uint32_t i = 0; i < length && address + i < m_memory.size(); ++i)
    out[i] = m_memory[address + i];
  return out;
}

uint16_t SimLogger::BlockWord(int offset) const {
  std::lock_guard lock(m_mutex);
  return static_cast<uint16_t>(m_memory[offset] | m_memory[offset + 1] << 8);
}

uint8_t SimLogger::BlockByte(int offset) const {
  std::lock_guard lock(m_mutex);
  return m_memory[offset];
}

void SimLogger::SetBlockByte(int offset, uint8_t value) {
  std::lock_guard lock(m_mutex);
  m_memory[offset] = value;
}

void SimLogger::SetBattery(uint16_t field) {
  std::lock_guard lock(m_mutex);
  m_battery = field;
}

void SimLogger::SetFreeMemoryOverride(int64_t bytes) {
  std::lock_guard lock(m_mutex);
  m_freeOverride = bytes;
}

uint32_t SimLogger::TableStartLocked() const {
  const uint32_t n = m_memory[SettingsBlock::OFF_FILE_COUNT] | m_memory[SettingsBlock::OFF_FILE_COUNT + 1] << 8;
  return LOGGER_MEMORY_TOP - TOC_ENTRY_SIZE * n;
}

uint32_t SimLogger::SampleAreaEndLocked() const {
  const uint32_t n = m_memory[SettingsBlock::OFF_FILE_COUNT] | m_memory[SettingsBlock::OFF_FILE_COUNT + 1] << 8;
  if (n == 0) return static_cast<uint32_t>(SettingsBlockLength(m_firmware));
  const uint8_t* e = &m_memory[TableStartLocked()];
  return e[6] | e[7] << 8 | e[8] << 16;
}

uint32_t SimLogger::FreeMemory() const {
  std::lock_guard lock(m_mutex);
  if (m_freeOverride >= 0) return static_cast<uint32_t>(m_freeOverride);
  const uint32_t start = TableStartLocked(), end = SampleAreaEndLocked();
  return start > end ? start - end : 0;
}

void SimLogger::SetErrorCode(uint8_t code) {
  std::lock_guard lock(m_mutex);
  m_errorCode = code;
}

uint8_t SimLogger::ErrorCode() const {
  std::lock_guard lock(m_mutex);
  return m_errorCode;
}

int SimLogger::ClockConfiguration() const {
  std::lock_guard lock(m_mutex);
  return m_clockConfig;
}

void SimLogger::AdvanceMs(int64_t ms) {
  std::lock_guard lock(m_mutex);
  const int64_t scaled = ms * TICKS_PER_SECOND + m_msRemainder;
  m_msRemainder = scaled % 1000;
  AdvanceTicksLocked(scaled / 1000);
}

void SimLogger::AdvanceTicksLocked(int64_t ticks) {
  m_ticks += ticks;
  if (!m_live) return;
  const uint16_t rate = static_cast<uint16_t>(m_memory[0] | m_memory[1] << 8);
  const int64_t period = 65536 - rate;  // ticks per sample
  while (m_nextSampleTicks <= m_ticks) {
    const double seconds = static_cast<double>(m_nextSampleTicks - m_liveStartTicks) / TICKS_PER_SECOND;
    RawSample s = m_signal ? m_signal(seconds) : RawSample{};
    s.flowRaw &= 0x3FFF;
    s.pressureRaw &= 0x3FF;
    m_pending.push_back(s);
    if (m_pending.size() > LIVE_BUFFER_LIMIT) m_pending.pop_front();
    ++m_liveIndex;
    m_nextSampleTicks += period;
  }
}

void SimLogger::SetRealTime(bool on) {
  std::lock_guard lock(m_mutex);
  m_realTime = on;
  m_realStartUs = WallMicros();
  m_realTicksApplied = 0;
}

void SimLogger::SyncRealTimeLocked() {
  if (!m_realTime) return;
  const int64_t due = (WallMicros() - m_realStartUs) * TICKS_PER_SECOND / 1000000;
  if (due > m_realTicksApplied) {
    AdvanceTicksLocked(due - m_realTicksApplied);
    m_realTicksApplied = due;
  }
}

int64_t SimLogger::ClockSecondsLocked() const { return m_clockBase + m_ticks / TICKS_PER_SECOND; }

void SimLogger::SetClock(const ClockTime& t) {
  std::lock_guard lock(m_mutex);
  m_clockBase = SecondsFromCivil(t) - m_ticks / TICKS_PER_SECOND;
}

ClockTime SimLogger::Clock() const {
  std::lock_guard lock(m_mutex);
  return CivilFromSeconds(ClockSecondsLocked());
}

void SimLogger::SetSignal(Signal signal) {
  std::lock_guard lock(m_mutex);
  m_signal = std::move(signal);
}

bool SimLogger::LiveMode() const {
  std::lock_guard lock(m_mutex);
  return m_live;
}

size_t SimLogger::PendingLiveSamples() const {
  std::lock_guard lock(m_mutex);
  return m_pending.size();
}

uint64_t SimLogger::LiveSamplesTaken() const {
  std::lock_guard lock(m_mutex);
  return m_liveIndex;
}

Signal SimLogger::TapSignal(const BlockParams& cal) {
  const double gain = cal.pressureRough + cal.pressureFine / 100.0;
  const double zero = cal.pressureZero;
  return [gain, zero](double t) {
    // A 90 s cycle: closed, the tap opens over 4 s, water runs, it closes over 3 s.
    const double c = std::fmod(t, 90.0);
    double open = 0;
    if (c >= 10 && c < 14) open = (c - 10) / 4;
    else if (c >= 14 && c < 52) open = 1;
    else if (c >= 52 && c < 55) open = 1 - (c - 52) / 3;
    // A little ripple, repeatable for a given time.
    const double ripple = std::sin(t * 1.7) * 0.3 + std::sin(t * 0.23) * 0.4;
    const double flow = open * (14.0 + ripple * 1.5);
    const double psi = 58.0 - open * 17.0 + ripple;  // about 4 bar still, 2.8 bar flowing
    RawSample s;
    s.flowRaw = static_cast<int>(std::lround(std::max(0.0, flow)));
    s.pressureRaw = static_cast<int>(std::lround(zero + std::max(0.0, psi) * gain));
    return s;
  };
}

void SimLogger::FailTransfer(int n, int err) {
  std::lock_guard lock(m_mutex);
  if (n >= 1) m_failAt[m_transferCount + static_cast<uint64_t>(n)] = err;
}

void SimLogger::StallRequest(int request, bool on) {
  std::lock_guard lock(m_mutex);
  if (on) m_stalled.insert(request);
  else m_stalled.erase(request);
}

void SimLogger::RefuseRequest(int request, uint8_t errorCode) {
  std::lock_guard lock(m_mutex);
  m_refused.emplace_back(request, errorCode);
}

void SimLogger::SetShortReplies(int maxBytes) {
  std::lock_guard lock(m_mutex);
  m_shortReplies = maxBytes;
}

void SimLogger::SetLiveCountOverride(int countByte) {
  std::lock_guard lock(m_mutex);
  m_liveCountOverride = countByte;
}

void SimLogger::GoneAfter(int n) {
  std::lock_guard lock(m_mutex);
  m_goneAfter = static_cast<int64_t>(m_transferCount) + n;
}

void SimLogger::SetGone(bool gone) {
  std::lock_guard lock(m_mutex);
  m_gone = gone;
  m_goneAfter = -1;
}

void SimLogger::SetReadOnlyAccess(bool on) {
  std::lock_guard lock(m_mutex);
  m_readOnly = on;
}

void SimLogger::ClearFaults() {
  std::lock_guard lock(m_mutex);
  m_failAt.clear();
  m_stalled.clear();
  m_refused.clear();
  m_shortReplies = -1;
  m_liveCountOverride = -1;
  m_goneAfter = -1;
  m_gone = false;
}

std::vector<Transfer> SimLogger::Log() const {
  std::lock_guard lock(m_mutex);
  return m_log;
}

void SimLogger::ClearLog() {
  std::lock_guard lock(m_mutex);
  m_log.clear();
}

uint64_t SimLogger::TransferCount() const {
  std::lock_guard lock(m_mutex);
  return m_transferCount;
}

int SimLogger::Handle(int requestType, int request, int value, int index, int length, int timeout,
                      uint8_t* data) {
  std::lock_guard lock(m_mutex);
  SyncRealTimeLocked();
  const uint64_t number = ++m_transferCount;
  Transfer t{requestType, request, value, index, length, timeout, {}, 0};
  const bool in = (requestType & 0x80) != 0;
  if (!in && length > 0 && data) t.data.assign(data, data + length);
  // A short reply leaves the rest of the caller's buffer as it was.
  std::vector<uint8_t> callerBytes;
  if (in && m_shortReplies >= 0 && data) callerBytes.assign(data, data + length);

  int result;
  if (m_gone || (m_goneAfter >= 0 && static_cast<int64_t>(number) > m_goneAfter)) {
    m_gone = true;
    result = -ENODEV;
  } else if (m_readOnly) {
    result = -EPERM;
  } else if (auto f = m_failAt.find(number); f != m_failAt.end()) {
    result = -f->second;
    m_failAt.erase(f);
  } else if (m_stalled.count(request) && requestType != 0x00) {
    result = -EPIPE;
  } else {
    auto refused = std::find_if(m_refused.begin(), m_refused.end(),
                                [&](const auto& r) { return r.first == request; });
    if (refused != m_refused.end() && requestType != 0x00) {
      m_errorCode = refused->second;
      result = -EPIPE;
    } else {
      result = HandleLocked(requestType, request, value, index, length, data);
    }
  }
  if (in && result > 0 && m_shortReplies >= 0 && result > m_shortReplies) {
    result = m_shortReplies;
    std::copy(callerBytes.begin() + result, callerBytes.end(), data + result);
  }
  if (in && result > 0) t.data.assign(data, data + result);
  t.result = result;
  m_log.push_back(std::move(t));
  return result;
}

int SimLogger::HandleLocked(int requestType, int request, int value, int index, int length,
                            uint8_t* data) {
  if (requestType == 0x00) {  // standard requests: only SET_CONFIGURATION 1 is known
    return request == USB_SET_CONFIGURATION && value == 1 && length == 0 ? 0 : -EPIPE;
  }
  if (length > 0 && !data) return -EINVAL;
  auto reply = [&](const uint8_t* bytes, int n) {
    const int moved = std::min(n, length);
    std::memcpy(data, bytes, static_cast<size_t>(moved));
    return moved;
  };
  if (requestType == USB_TYPE_IN) {
    switch (request) {
      case REQ_GET_ERROR_CODE: {
        const uint8_t code = m_errorCode;
        return reply(&code, 1);
      }
      case REQ_READ_LIVE_BLOCK: {
        uint8_t block[USB_BUFFER_SIZE] = {};
        const size_t count = std::min<size_t>(m_pending.size(), LIVE_MAX_SAMPLE_BYTES / 3);
        for (size_t i = 0; i < count; ++i) {
          EncodeSample(m_pending.front(), &block[1 + 3 * i]);
          m_pending.pop_front();
        }
        block[0] = m_liveCountOverride >= 0 ? static_cast<uint8_t>(m_liveCountOverride)
                                             : static_cast<uint8_t>(count * 3);
        return reply(block, USB_BUFFER_SIZE);
      }
      case REQ_READ_MEMORY: {
        const uint32_t address = static_cast<uint32_t>(value) | (static_cast<uint32_t>(index) & 0xFF) << 16;
        const int chunk = std::min(index >> 8, length);
        for (int i = 0; i < chunk; ++i)
          data[i] = address + i < m_memory.size() ? m_memory[address + i] : 0xFF;
        return chunk;
      }
      case REQ_GET_CLOCK: {
        const ClockTime c = CivilFromSeconds(ClockSecondsLocked());
        const uint8_t bytes[8] = {EncodeBcd(c.second), EncodeBcd(c.minute), EncodeBcd(c.hour),
                                  m_clockFourth, EncodeBcd(c.day), EncodeBcd(c.month),
                                  EncodeBcd(c.year % 100), 0};
        return reply(bytes, 8);
      }
      case REQ_GET_MEMORY_STATUS: {
        const uint32_t free = m_freeOverride >= 0
                                  ? static_cast<uint32_t>(m_freeOverride)
                                  : std::max<int64_t>(0, static_cast<int64_t>(TableStartLocked()) - SampleAreaEndLocked());
        const uint8_t bytes[7] = {static_cast<uint8_t>(free & 0xFF), static_cast<uint8_t>((free >> 8) & 0xFF),
                                  static_cast<uint8_t>((free >> 16) & 0xFF), static_cast<uint8_t>(m_battery & 0xFF),
                                  static_cast<uint8_t>(m_battery >> 8), m_memory[0], m_memory[1]};
        return reply(bytes, 7);
      }
      case REQ_GET_FIRMWARE_VERSION: {
        const uint8_t bytes[2] = {static_cast<uint8_t>(m_firmware & 0xFF),
                                  static_cast<uint8_t>((m_firmware >> 8) & 0xFF)};
        return reply(bytes, 2);
      }
      default:
        return -EPIPE;
    }
  }
  if (requestType == USB_TYPE_OUT) {
    switch (request) {
      case REQ_SET_AUTO_LOGGING:
        if (value == 2) m_memory[SettingsBlock::OFF_STATE_FLAGS] |= 0x02;
        else m_memory[SettingsBlock::OFF_STATE_FLAGS] &= static_cast<uint8_t>(~0x02);
        return length;
      case REQ_SET_RATE:
        m_memory[0] = value & 0xFF;
        m_memory[1] = (value >> 8) & 0xFF;
        return length;
      case REQ_SET_LIVE_MODE:
        if (value == 1) {  // (re)starts sampling: nothing from before is handed over
          m_live = true;
          m_pending.clear();
          m_liveStartTicks = m_ticks;
          const uint16_t rate = static_cast<uint16_t>(m_memory[0] | m_memory[1] << 8);
          m_nextSampleTicks = m_ticks + (65536 - rate);
        } else if (value == 0) {
          m_live = false;
        }
        return length;
      case REQ_SET_PRESSURE_UNIT:
        m_memory[SettingsBlock::OFF_PRESSURE_UNIT] = value & 0xFF;
        return length;
      case REQ_CLEAR_MEMORY: {
        const uint32_t L = static_cast<uint32_t>(SettingsBlockLength(m_firmware));
        std::fill(m_memory.begin() + L, m_memory.end(), 0xFF);
        m_memory[SettingsBlock::OFF_FILE_COUNT] = 0;
        m_memory[SettingsBlock::OFF_FILE_COUNT + 1] = 0;
        return length;
      }
      case REQ_SET_CLOCK_TIME: {
        ClockTime c = CivilFromSeconds(ClockSecondsLocked());
        c.second = DecodeBcd(value & 0x7F) % 60;
        c.minute = DecodeBcd((value >> 8) & 0x7F) % 60;
        c.hour = DecodeBcd(index & 0x3F) % 24;
        m_clockFourth = (index >> 8) & 0xFF;
        m_clockBase = SecondsFromCivil(c) - m_ticks / TICKS_PER_SECOND;
        return length;
      }
      case REQ_SET_CLOCK_DATE: {
        ClockTime c = CivilFromSeconds(ClockSecondsLocked());
        c.day = std::clamp(DecodeBcd(value & 0xFF), 1, 31);
        c.month = std::clamp(DecodeBcd((value >> 8) & 0xFF), 1, 12);
        c.year = 2000 + DecodeBcd(index & 0xFF);
        m_clockBase = SecondsFromCivil(c) - m_ticks / TICKS_PER_SECOND;
        return length;
      }
      case REQ_CONFIGURE_CLOCK:
        m_clockConfig = value;
        return length;
      case REQ_SET_FLOW_ON:
      case REQ_SET_FLOW_OFF: {
        const int off = request == REQ_SET_FLOW_ON ? SettingsBlock::OFF_FLOW_ON_THRESHOLD
                                                    : SettingsBlock::OFF_FLOW_OFF_THRESHOLD;
        m_memory[off] = value & 0xFF;
        m_memory[off + 1] = (value >> 8) & 0xFF;
        m_memory[off + 2] = index & 0xFF;
        m_memory[off + 3] = (index >> 8) & 0xFF;
        return length;
      }
      default:
        return -EPIPE;
    }
  }
  return -EPIPE;
}

}  // namespace sim
