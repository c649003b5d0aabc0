// Look and keys shared by the command buttons, and window placement.
#pragma once

#include <X11/Intrinsic.h>

#include "app.h"

namespace xpicker {

// Return presses the button; Tab releases and presses (re)paint its ring.
extern const char kButtonTranslations[];
// The log window's OK button only reacts to Return.
extern const char kLogOkTranslations[];

// Gives the button its highlight ring and a synthetic pointer-enter event so
// that it shows as armed although the pointer is elsewhere.
void showArmed(Widget button);

// Fixes the shell at w x h (minimum = maximum), gives it the title and puts
// it at the -geometry position or, when centre is set and there is none, in
// the middle of the screen.
void fixShellSize(const App& app, Widget shell, int w, int h, bool centre);

}  // namespace xpicker
