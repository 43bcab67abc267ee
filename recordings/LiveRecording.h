// The recording live reading fills, as the window's live start and vrx-cli both create it.
#pragma once

#include <ctime>
#include <string>

#include "recordings/Storage.h"

class SettingsBlock;

// The live recording's date and time: the start in UTC, "%d/%m/%Y %H:%M:%S".
std::string LiveStartStamp(std::time_t now);

// A new, empty live recording from the settings block read at the start: its interval,
// units and pressure scaling, the title "Verbunden", and the logger's serial number when its
// firmware has the long block (0 otherwise).
Storage NewLiveRecording(const SettingsBlock& block, const std::string& stamp);
