#pragma once

// Test seam of the sound layer: the version that FMOD_System_GetVersion
// reports from now on (FMOD_VERSION by default).
void SoundLibrarySetReportedVersion(unsigned int version);
