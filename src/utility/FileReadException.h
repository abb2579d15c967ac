#pragma once

#include "utility/IOErrorException.h"

// Groups failures to read a file; never thrown itself.
class FileReadException : public virtual IOErrorException
{
};
