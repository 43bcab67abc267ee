#include "sim/DemoLogger.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// One water-use event: flow rises to `flow` l/min over `rise` s, holds, and falls again;
// pressure sags while water runs. Small repeatable ripples keep it looking measured.
Recording Event(const BlockParams& cal, ClockTime start, int seconds, double flow, double rise,
                double staticPsi, double sagPsi, double wobble) {
  const double gain = cal.pressureRough + cal.pressureFine / 100.0;
  Recording r;
  r.start = start;
  for (int i = 1; i <= seconds; ++i) {
    const double t = i;
    double open = std::min({1.0, t / rise, (seconds - t) / rise});
    open = std::max(0.0, open);
    const double ripple = std::sin(t * 0.9) * 0.25 + std::sin(t * 0.13 + 1.0) * 0.5;
    const double f = open * (flow + ripple * wobble);
    const double psi = staticPsi - open * sagPsi + ripple * 0.6;
    r.samples.push_back({static_cast<int>(std::lround(std::max(0.0, f))),
                         static_cast<int>(std::lround(cal.pressureZero + std::max(0.0, psi) * gain))});
  }
  return r;
}

}  // namespace

std::vector<Recording> DemoRecordings(const BlockParams& cal) {
  return {
      Event(cal, {2026, 12, 7, 6, 42, 10}, 420, 11.0, 6, 58, 14, 1.2),   // morning shower
      Event(cal, {2026, 12, 7, 7, 5, 33}, 45, 9.0, 3, 58, 10, 0.5),      // cistern refill
      Event(cal, {2026, 12, 8, 16, 20, 0}, 900, 17.0, 10, 57, 22, 2.0),  // garden hose
      Event(cal, {2026, 12, 9, 12, 3, 7}, 95, 6.0, 4, 58, 6, 0.8),       // kitchen tap
      Event(cal, {2026, 12, 9, 19, 48, 51}, 260, 13.0, 8, 58, 16, 1.5),  // washing machine fill
  };
}

std::shared_ptr<SimLogger> MakeDemoLogger() {
  BlockParams params;  // 1 s interval, litres, bar, serial and calibration date
  auto logger = std::make_shared<SimLogger>(0x0403, params);
  logger->LoadRecordings(DemoRecordings(params));
  logger->SetSignal(SimLogger::TapSignal(params));
  logger->SetDemo(true);
  return logger;
}

}  // namespace sim
