#include "utility/ContentFileLoadingFailedException.h"
#include "utility/ContentNotLoadedException.h"

#include <boost/exception/diagnostic_information.hpp>
#include <boost/exception/get_error_info.hpp>
#include <gtest/gtest.h>

namespace
{
void ThrowMissingFile()
{
    BOOST_THROW_EXCEPTION(ContentFileLoadingFailedException() << ErrorFilename("game/player.png"));
}

void ThrowMissingKey()
{
    BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName("bg1"));
}
}

TEST(Exceptions, file_failure_is_caught_by_every_grouping_level)
{
    EXPECT_THROW(ThrowMissingFile(), FileReadException);
    EXPECT_THROW(ThrowMissingFile(), IOErrorException);
    EXPECT_THROW(ThrowMissingFile(), ExceptionBase);
}

TEST(Exceptions, missing_key_is_not_an_io_error)
{
    try
    {
        ThrowMissingKey();
        FAIL() << "no throw";
    }
    catch (IOErrorException const&)
    {
        FAIL() << "caught as an input/output failure";
    }
    catch (ExceptionBase const& e)
    {
        std::string const* name = boost::get_error_info<ErrorName>(e);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(*name, "bg1");
        EXPECT_EQ(boost::get_error_info<ErrorMessage>(e), nullptr);
    }
}

TEST(Exceptions, diagnostic_names_function_and_record)
{
    try
    {
        ThrowMissingFile();
    }
    catch (...)
    {
        std::string text = boost::current_exception_diagnostic_information();
        EXPECT_NE(text.find("ThrowMissingFile"), std::string::npos) << text;
        EXPECT_NE(text.find("tag_filename"), std::string::npos) << text;
        EXPECT_NE(text.find("game/player.png"), std::string::npos) << text;
    }
}
