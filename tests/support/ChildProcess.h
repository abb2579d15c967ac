#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

// Runs a program in a working directory of its own choosing, with standard
// output and standard error captured in files, for tests of the built
// executables. A child still running when the object dies is killed.
class ChildProcess
{
public:
    ChildProcess(std::string const& program, std::string const& workingDirectory,
                 std::vector<std::string> const& arguments = {});
    ~ChildProcess();
    ChildProcess(ChildProcess const&) = delete;
    ChildProcess& operator=(ChildProcess const&) = delete;

    bool IsRunning();
    // The exit code, or -1 when the child had to be killed after timeoutSeconds
    // (a safety net, not a measurement), or -2 when it died from a signal.
    int Wait(double timeoutSeconds);
    std::string Stdout() const;
    // What the child wrote to standard output past the byte offset.
    std::string StdoutFrom(std::size_t offset) const;
    std::string Stderr() const;

private:
    std::string m_outputDirectory;
    pid_t m_pid = -1;
    int m_status = 0;
    bool m_finished = false;
};
