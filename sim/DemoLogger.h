#pragma once

#include "sim/SimLogger.h"

#include <memory>

namespace sim {

// The demo logger: firmware 4.3 with serial number and calibration date, a few recordings of
// everyday water use in its memory, and a tap opening and closing as its live signal.
std::shared_ptr<SimLogger> MakeDemoLogger();

// The recordings the demo logger holds, oldest first.
std::vector<Recording> DemoRecordings(const BlockParams& calibration);

}  // namespace sim
