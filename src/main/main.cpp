#include <boost/exception/diagnostic_information.hpp>

#include <iostream>

int main()
{
    try
    {
        return 0;
    }
    catch (...)
    {
        std::cout << "[Exception]" << std::endl;
        std::cout << boost::current_exception_diagnostic_information();
    }
    return 0;
}
