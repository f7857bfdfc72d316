// File-name patterns for the toolkit's file dialog: the engine's "*.EXT" filters matched regardless of case.
#pragma once

#include <string>

// The pattern with every letter written as a bracket of both cases ("*.D4S;*.dem" becomes
// "*.[dD]4[sS];*.[dD][eE][mM]"), so that the dialog lists "valley.d4s" under "*.D4S". Other characters stay.
std::string case_free_pattern(const std::string& pattern);
