#pragma once
// Runs a stretch of random actions on a window and stops at the first broken rule, naming
// the seed, the action's number and the actions that led to it.

#include <gtest/gtest.h>

#include <cstdint>

#include "modal_closer.h"
#include "random_actions.h"
#include "window_model.h"

namespace tracewell::stress {

// A fixed seed, unless TRACEWELL_STRESS_SEED names another (to replay or explore).
std::uint32_t stressSeed();

// Per plot, in samples times program instructions: a few tens of milliseconds.
double maxPlotCost();

::testing::AssertionResult runActions(WindowModel& model, ModalCloser& closer,
                                      RandomActions& actions, int count, std::uint32_t seed);

}  // namespace tracewell::stress
