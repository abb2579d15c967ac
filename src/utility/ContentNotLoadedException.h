#pragma once

#include "utility/ExceptionBase.h"

// A content key was asked for that holds nothing; carries the key as tag_name.
class ContentNotLoadedException : public ExceptionBase
{
};
