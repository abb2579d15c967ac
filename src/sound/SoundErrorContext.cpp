#include "sound/SoundErrorContext.h"

#include <utility>

namespace
{
thread_local const SoundErrorContext* innermost = nullptr;
}

SoundErrorContext::SoundErrorContext(std::string what) : m_what(std::move(what)), m_outer(innermost)
{
    innermost = this;
}

SoundErrorContext::~SoundErrorContext()
{
    innermost = m_outer;
}

const std::string* SoundErrorContext::Current()
{
    return innermost != nullptr ? &innermost->m_what : nullptr;
}
