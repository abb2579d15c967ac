#include "platform/SoundLibrary.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const double EXIT_TIMEOUT_SECONDS = 30.0;

struct ErrorCase
{
    int code;
    int status;
    const char* output;
};

const ErrorCase ERROR_CASES[] = {
    {36, 255, "FMOD error! (36) The handle is not valid (released, ended or never created).\n"},
    {72, 255, "FMOD error! (72) Recording failed: no recording device exists, or it could not be opened.\n"},
    {98, 255, "FMOD error! (98) Unknown error.\n"},
    {-1, 255, "FMOD error! (-1) Unknown error.\n"},
    {0, 0, ""},
};

class ErrorCheckExit : public testing::TestWithParam<ErrorCase>
{
};
}

// The status -1 of the process reads 255 to its parent.
TEST_P(ErrorCheckExit, prints_code_and_text_on_standard_output_and_exits_with_minus_one)
{
    const ErrorCase& c = GetParam();
    ChildProcess child(VELMORA_ERRCHECK_ENTRY_BINARY, "/tmp", {std::to_string(c.code)});
    EXPECT_EQ(child.Wait(EXIT_TIMEOUT_SECONDS), c.status);
    EXPECT_EQ(child.Stdout(), c.output);
    EXPECT_EQ(child.Stderr(), "");
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorCheckExit, testing::ValuesIn(ERROR_CASES),
                         [](const testing::TestParamInfo<ErrorCase>& test) {
                             const int code = test.param.code;
                             return (code < 0 ? "code_minus_" : "code_") + std::to_string(code < 0 ? -code : code);
                         });

TEST(SoundLibraryErrorString, every_code_up_to_97_has_a_text_of_its_own)
{
    for (int code = 0; code <= 97; ++code)
    {
        const std::string text = FMOD_ErrorString(static_cast<FMOD_RESULT>(code));
        EXPECT_FALSE(text.empty()) << code;
        EXPECT_NE(text, "Unknown error.") << code;
        if (code > 0)
        {
            EXPECT_NE(text, FMOD_ErrorString(static_cast<FMOD_RESULT>(code - 1))) << code;
        }
    }
}

TEST(SoundLibraryErrorString, codes_outside_0_to_97_are_unknown)
{
    for (int code : {-37, -1, 98, 99, 1000})
        EXPECT_STREQ(FMOD_ErrorString(static_cast<FMOD_RESULT>(code)), "Unknown error.") << code;
}
