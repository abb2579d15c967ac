#pragma once

#include "platform/SoundLibrary.h"

// Returns when result is FMOD_OK; otherwise prints "FMOD error! (<code>) <text>"
// to standard output, then "While <what>." when a SoundErrorContext is open,
// and ends the process with status -1.
void errcheck(FMOD_RESULT result);
