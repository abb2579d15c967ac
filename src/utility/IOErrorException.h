#pragma once

#include "utility/ExceptionBase.h"

// Groups input/output failures; never thrown itself.
class IOErrorException : public virtual ExceptionBase
{
};
