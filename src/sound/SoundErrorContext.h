#pragma once

#include <string>

// Names the work under way, so that a sound error raised meanwhile says what
// failed ("While setting the playback driver 3."). Scopes nest on the game
// thread; the innermost one is named.
class SoundErrorContext
{
public:
    explicit SoundErrorContext(std::string what);
    ~SoundErrorContext();
    SoundErrorContext(const SoundErrorContext&) = delete;
    SoundErrorContext& operator=(const SoundErrorContext&) = delete;

    // The innermost open scope's text; null when none is open.
    static const std::string* Current();

private:
    std::string m_what;
    const SoundErrorContext* m_outer;
};
