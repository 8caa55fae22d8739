#pragma once
#include <functional>

namespace mc {

// Runs one command; whatever it throws is shown by the default error report and goes no
// further, so no exception ever crosses the event loop. Returns false when it threw.
bool guarded(const std::function<void()> &command);

} // namespace mc
