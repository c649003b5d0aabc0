// A string list's comma form, as reports and the network topic write lists
// on one line.
#pragma once
#include "Norvik_Routines.h"

namespace nsx {

// The items joined by ","; an item holding a space, a comma or a double
// quote is enclosed in double quotes, its quotes doubled.
std::string CommaText(const TStringList& list);

}  // namespace nsx
