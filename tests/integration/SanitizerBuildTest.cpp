#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr double TIMEOUT_SECONDS = 60.0;

struct FaultCase
{
    char const* name;
    char const* program;
    char const* report;
};

void PrintTo(FaultCase const& c, std::ostream* out)
{
    *out << c.name;
}

class SanitizerBuild : public testing::TestWithParam<FaultCase>
{
};
}

// Run by the test command with its sanitizer options: a report must fail the run.
TEST_P(SanitizerBuild, fault_is_reported_and_fails_the_program)
{
#ifndef VELMORA_SANITIZE
    GTEST_SKIP() << "only the sanitizer build checks for these faults";
#endif
    FaultCase const& c = GetParam();
    ChildProcess program(c.program, "/tmp");
    EXPECT_NE(program.Wait(TIMEOUT_SECONDS), 0);
    EXPECT_NE(program.Stderr().find(c.report), std::string::npos) << program.Stderr();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SanitizerBuild,
    testing::Values(FaultCase{"leak", VELMORA_LEAKING_PROGRAM_BINARY, "LeakSanitizer: detected memory leaks"},
                    FaultCase{"signed_overflow", VELMORA_OVERFLOWING_PROGRAM_BINARY,
                              "runtime error: signed integer overflow"}),
    [](testing::TestParamInfo<FaultCase> const& param) { return std::string(param.param.name); });
