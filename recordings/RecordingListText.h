// Texts of the recording list's columns, kept apart from the list control.
#pragma once

#include <cstdint>
#include <string>

#include "Storage.h"

// m_dateTime up to its first blank (all of it when there is none).
std::string ListDateText(const std::string& dateTime);
// m_dateTime after its first blank (empty when there is none).
std::string ListTimeText(const std::string& dateTime);
// Duration as a time of day: "HH:MM:SS", or "MM:SS" when the hour is 0; the hours wrap
// past a day. A negative duration (only from a hand-edited interval) shows as 00:00.
std::string DurationText(int64_t sampleCount, int32_t intervalMs);
std::string DurationText(const Storage& rec);
// GetTotalVolume with "%d".
std::string VolumeText(const Storage& rec);
// Heading of the volume column: litres only for 1, as the record's own unit rule.
std::string VolumeColumnHeading(int32_t flowUnitLitres);
