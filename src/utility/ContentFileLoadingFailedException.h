#pragma once

#include "utility/FileReadException.h"

// A content file could not be loaded; carries the file name as given (tag_filename).
class ContentFileLoadingFailedException : public FileReadException
{
};
