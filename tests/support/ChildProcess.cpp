#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
std::string ReadFile(std::string const& path, std::size_t from = 0)
{
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::ostringstream text;
    if (!in)
        return "";
    text << in.rdbuf();
    return text.str();
}
}

ChildProcess::ChildProcess(std::string const& program, std::string const& workingDirectory,
                           std::vector<std::string> const& arguments)
{
    // Built before the fork: the child only calls what is safe after it.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (std::string const& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    std::string templ = "/tmp/velmora-child.XXXXXX";
    std::vector<char> pattern(templ.begin(), templ.end());
    pattern.push_back('\0');
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder for the child's output");
    m_outputDirectory = pattern.data();
    std::string out = m_outputDirectory + "/stdout";
    std::string err = m_outputDirectory + "/stderr";

    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0)
    {
        int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0 || chdir(workingDirectory.c_str()) != 0)
            _exit(127);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    if (IsRunning())
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &m_status, 0);
    }
    std::remove((m_outputDirectory + "/stdout").c_str());
    std::remove((m_outputDirectory + "/stderr").c_str());
    rmdir(m_outputDirectory.c_str());
}

bool ChildProcess::IsRunning()
{
    if (m_finished)
        return false;
    pid_t done = waitpid(m_pid, &m_status, WNOHANG);
    if (done == m_pid)
        m_finished = true;
    return !m_finished;
}

int ChildProcess::Wait(double timeoutSeconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (IsRunning())
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &m_status, 0);
            m_finished = true;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFEXITED(m_status))
        return WEXITSTATUS(m_status);
    return -2;
}

std::string ChildProcess::Stdout() const
{
    return ReadFile(m_outputDirectory + "/stdout");
}

std::string ChildProcess::StdoutFrom(std::size_t offset) const
{
    return ReadFile(m_outputDirectory + "/stdout", offset);
}

std::string ChildProcess::Stderr() const
{
    return ReadFile(m_outputDirectory + "/stderr");
}
