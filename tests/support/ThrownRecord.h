#pragma once

#include "utility/ExceptionBase.h"

#include <boost/exception/get_error_info.hpp>

#include <functional>
#include <string>

// The value of the TRecord attached to the TException that the action throws,
// so that a test compares one string; "<nothing thrown>" when the action
// returns, "<no record>" when the exception carries no such record.
template <typename TRecord, typename TException = ExceptionBase>
std::string RecordOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const TException& e)
    {
        const std::string* value = boost::get_error_info<TRecord>(e);
        return value ? *value : "<no record>";
    }
    return "<nothing thrown>";
}

// The what() text of the TException that the action throws; "<nothing thrown>"
// when the action returns.
template <typename TException>
std::string WhatOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const TException& e)
    {
        return e.what();
    }
    return "<nothing thrown>";
}
