// Single wait window per display.
//
// A wait window owns the selection named "xpicker". Any later invocation
// that is not a wait window sends the owner an empty client message, which
// ends it; a second wait window leaves at once instead.
#pragma once

#include <X11/Intrinsic.h>

namespace xpicker {

enum class WaitOutcome { Continue, AnotherWaitIsShowing };

// Runs the protocol for the (realised, unmapped) top-level shell.
WaitOutcome runWaitProtocol(Widget shell, bool isWaitWindow);

}  // namespace xpicker
