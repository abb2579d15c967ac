#pragma once

#include "platform/SoundLibrary.h"

// A handle to a sound of the sound layer. Copies share the sound; only
// Release frees it.
class Sound
{
public:
    Sound();
    explicit Sound(FMOD_SOUND* internal);
    Sound(const Sound&) = default;
    Sound& operator=(const Sound&) = default;
    virtual ~Sound();

    void Release();
    FMOD_SOUND* GetInternal();
    void SetInternal(FMOD_SOUND* internal);
    bool IsSet() const;

private:
    FMOD_SOUND* m_sound;
};
