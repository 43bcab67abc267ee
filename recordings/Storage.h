// One recording: its texts, the logger parameters needed to read its raw samples, and the
// four parallel float series (time, flow, pressure, volume) with the unfiltered copies.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SteadyGrowth.h"

class Storage {
 public:
  struct Sample {
    float time = 0;
    float flow = 0;
    float pressure = 0;
    float volume = 0;
  };

  Storage(const std::string& dateTime, int32_t intervalMs, int32_t flowUnitLitres, bool spareFlag);
  virtual ~Storage() = default;

  Storage(const Storage&) = default;
  Storage& operator=(const Storage&) = default;
  Storage(Storage&&) = default;
  Storage& operator=(Storage&&) = default;

  void SetPressureScaling(uint8_t zero, uint8_t rough, uint8_t fine, char unit);

  // Converts one raw logger sample (14-bit flow, 10-bit pressure) and appends it.
  void AddSample(int32_t flowRaw, int32_t pressureRaw);
  // Appends converted values as they stand; the time base and running volume stay put.
  void AppendSample(float time, float flow, float pressure, float volume);

  // Out-of-range indices (and GetLastSample on an empty recording) give an all-zero sample.
  Sample GetSample(int i) const;
  Sample GetLastSample() const;
  int GetSampleCount() const { return static_cast<int>(m_time.size()); }
  // Last volume truncated toward zero; 0 when empty, clamped to the int range.
  int32_t GetTotalVolume() const;

  // Centred moving average over 2 * halfWidth + 1 samples, in place; off restores. The
  // unfiltered copies are held only while the filter is on; samples appended meanwhile go
  // to both, unsmoothed.
  void ApplyFilter(bool on, int32_t halfWidth);

  const std::string& GetFlowMeasurement() const { return m_flowMeasurement; }
  void SetFlowMeasurement(const std::string& s) { m_flowMeasurement = s; }
  const std::string& GetPressureMeasurement() const { return m_pressureMeasurement; }
  void SetPressureMeasurement(const std::string& s) { m_pressureMeasurement = s; }
  const std::string& GetInfo() const { return m_info; }
  void SetInfo(const std::string& s) { m_info = s; }
  uint8_t GetPressureZero() const { return m_pressureZero; }
  uint8_t GetPressureRough() const { return m_pressureRough; }
  uint8_t GetPressureFine() const { return m_pressureFine; }
  char GetPressureUnit() const { return m_pressureUnit; }
  void SetPressureUnit(char unit) { m_pressureUnit = unit; }
  const std::string& GetTitle() const { return m_title; }
  void SetTitle(const std::string& s) { m_title = s; }
  uint32_t GetMemoryEnd() const { return m_memoryEnd; }
  void SetMemoryEnd(uint32_t end) { m_memoryEnd = end; }
  bool IsFiltered() const { return m_filtered; }

  const std::vector<float>& GetTime() const { return m_time; }
  const std::vector<float>& GetFlow() const { return m_flow; }
  const std::vector<float>& GetPressure() const { return m_pressure; }
  const std::vector<float>& GetVolume() const { return m_volume; }
  const std::vector<float>& GetFlowUnfiltered() const { return m_flowUnfiltered; }
  const std::vector<float>& GetPressureUnfiltered() const { return m_pressureUnfiltered; }
  const std::vector<float>& GetVolumeUnfiltered() const { return m_volumeUnfiltered; }

  float GetVolumeTotal() const { return m_volumeTotal; }
  int32_t GetAddedSampleCount() const { return m_sampleCount; }
  bool GetSpareFlag() const { return m_spareFlag; }
  void SetSpareFlag(bool flag) { m_spareFlag = flag; }
  int32_t GetFlowUnitLitres() const { return m_flowUnitLitres; }
  void SetFlowUnitLitres(int32_t v) { m_flowUnitLitres = v; }
  int32_t GetIntervalMs() const { return m_intervalMs; }
  void SetIntervalMs(int32_t ms) { m_intervalMs = ms; }
  const std::string& GetDateTime() const { return m_dateTime; }
  void SetDateTime(const std::string& s) { m_dateTime = s; }
  int32_t GetSerialNumber() const { return m_serialNumber; }
  void SetSerialNumber(int32_t serial) { m_serialNumber = serial; }

  // Lets a reader that knows the sample count size the series once.
  void ReserveSamples(size_t n);
  // Replaces every sample at once, as AppendSample of each would (the time base and running
  // volume stay put), for a reader that collected them itself. The series must be of equal
  // length; longer ones are cut to the shortest.
  void SetSamples(std::vector<float> time, std::vector<float> flow, std::vector<float> pressure,
                  std::vector<float> volume);

 private:
  std::string m_flowMeasurement;
  std::string m_pressureMeasurement;
  std::string m_info;
  uint8_t m_pressureZero = 0;
  uint8_t m_pressureRough = 0;
  uint8_t m_pressureFine = 0;
  char m_pressureUnit = 0;
  std::string m_title;
  uint32_t m_memoryEnd = 0;
  bool m_filtered = false;
  std::vector<float> m_time;
  std::vector<float> m_flow;
  std::vector<float> m_pressure;
  std::vector<float> m_volume;
  std::vector<float> m_flowUnfiltered;
  std::vector<float> m_pressureUnfiltered;
  std::vector<float> m_volumeUnfiltered;
  float m_volumeTotal = 0;
  int32_t m_sampleCount = 0;
  bool m_spareFlag = false;
  int32_t m_flowUnitLitres = 0;
  int32_t m_intervalMs = 0;
  std::string m_dateTime;
  int32_t m_serialNumber = 0;

  // How each series grows: m_time, m_flow, m_pressure, m_volume, then the unfiltered three.
  enum Series { TIME, FLOW, PRESSURE, VOLUME, FLOW_UNFILTERED, PRESSURE_UNFILTERED, VOLUME_UNFILTERED, SERIES };
  std::array<SteadyGrowth, SERIES> m_growth;
  void ResetGrowth();
};
