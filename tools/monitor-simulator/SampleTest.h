// A plausible 6916 test as a monitor would hold it after two days of hourly readings: radon
// following a daily swing, room climate, a recent calibration and the clock at the given time.
#pragma once

#include "monitor_simulator.h"

// The sample test for a monitor whose clock reads `now` (local time); the test ended within the
// last hour.
testsupport::SimMonitor SampleTest(const SYSTEMTIME& now);
