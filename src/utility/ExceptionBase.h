#pragma once

#include "utility/ErrorInfo.h"

#include <boost/exception/exception.hpp>
#include <boost/throw_exception.hpp>

#include <exception>

// Root of the program's exceptions. The details travel as attached records
// (ErrorInfo.h); throw with BOOST_THROW_EXCEPTION so function, file and line
// are recorded too.
class ExceptionBase : public virtual std::exception, public virtual boost::exception
{
};
