#include "sound/ErrorCheck.h"

#include "sound/SoundErrorContext.h"

#include <cstdlib>
#include <iostream>

void errcheck(FMOD_RESULT result)
{
    if (result == FMOD_OK)
        return;
    std::cout << "FMOD error! (" << static_cast<int>(result) << ") " << FMOD_ErrorString(result) << std::endl;
    if (const std::string* what = SoundErrorContext::Current())
        std::cout << "While " << *what << "." << std::endl;
    std::exit(-1);
}
