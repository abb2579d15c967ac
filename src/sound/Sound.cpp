#include "sound/Sound.h"

#include "sound/ErrorCheck.h"

Sound::Sound() : m_sound(nullptr)
{
}

Sound::Sound(FMOD_SOUND* internal) : m_sound(internal)
{
}

Sound::~Sound()
{
}

void Sound::Release()
{
    if (!m_sound)
        return;
    errcheck(FMOD_Sound_Release(m_sound));
    m_sound = nullptr;
}

FMOD_SOUND* Sound::GetInternal()
{
    return m_sound;
}

void Sound::SetInternal(FMOD_SOUND* internal)
{
    m_sound = internal;
}

bool Sound::IsSet() const
{
    return m_sound != nullptr;
}
