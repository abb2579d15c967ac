#pragma once

#include <boost/exception/error_info.hpp>
#include <boost/exception/info.hpp>

#include <string>

// The string records attached to the program's exceptions; the tags only name them.
struct tag_message;
struct tag_name;
struct tag_filename;

typedef boost::error_info<tag_message, std::string> ErrorMessage;
typedef boost::error_info<tag_name, std::string> ErrorName;
typedef boost::error_info<tag_filename, std::string> ErrorFilename;
