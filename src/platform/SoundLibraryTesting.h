#pragma once

struct FMOD_SOUND;

// Test seams of the sound layer.

// The version that FMOD_System_GetVersion reports from now on (FMOD_VERSION
// by default).
void SoundLibrarySetReportedVersion(unsigned int version);

// The length in frames of a sound of the layer; 0 for a handle it does not know.
unsigned int SoundLibraryGetSoundFrames(FMOD_SOUND* sound);

// How often the layer started the sound on a channel, whatever the output
// (no sound among them); 0 for a handle it does not know.
unsigned int SoundLibraryGetSoundStarts(FMOD_SOUND* sound);
