#include "main/RunAndReportExceptions.h"

#include <boost/exception/diagnostic_information.hpp>

#include <iostream>

int RunAndReportExceptions(const std::function<void()>& body)
{
    try
    {
        body();
    }
    catch (...)
    {
        std::cout << "[Exception]" << std::endl;
        std::cout << boost::current_exception_diagnostic_information();
    }
    return 0;
}
