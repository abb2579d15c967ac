#include "sound/Sound.h"

#include "sound/ErrorCheck.h"

Sound::Sound() : sound(nullptr)
{
}

Sound::Sound(FMOD_SOUND* internal) : sound(internal)
{
}

Sound::~Sound()
{
}

void Sound::Release()
{
    if (!sound)
        return;
    errcheck(FMOD_Sound_Release(sound));
    sound = nullptr;
}

FMOD_SOUND* Sound::GetInternal()
{
    return sound;
}

void Sound::SetInternal(FMOD_SOUND* internal)
{
    sound = internal;
}

bool Sound::IsSet() const
{
    return sound != nullptr;
}
