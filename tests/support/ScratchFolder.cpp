#include "support/ScratchFolder.h"

#include <SFML/Graphics/Image.hpp>

#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
    ::chmod(path, 0700);
    return ::remove(path);
}

int MakeWritable(const char* path, const struct stat* info, int, struct FTW*)
{
    if (S_ISDIR(info->st_mode))
        ::chmod(path, 0700);
    return 0;
}
}

ScratchFolder::ScratchFolder(bool enter)
{
    char name[] = "/tmp/velmora-test.XXXXXX";
    if (::mkdtemp(name) == nullptr)
        throw std::runtime_error("cannot make a scratch folder");
    m_path = name;
    if (enter)
    {
        std::vector<char> cwd(4096);
        if (::getcwd(cwd.data(), cwd.size()) == nullptr || ::chdir(m_path.c_str()) != 0)
            throw std::runtime_error("cannot enter the scratch folder");
        m_previousDirectory = cwd.data();
    }
}

ScratchFolder::~ScratchFolder()
{
    if (!m_previousDirectory.empty() && ::chdir(m_previousDirectory.c_str()) != 0)
        ::chdir("/");
    ::nftw(m_path.c_str(), MakeWritable, 16, FTW_PHYS);
    ::nftw(m_path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool ScratchFolder::Has(const std::string& name) const
{
    struct stat info;
    return ::lstat(File(name).c_str(), &info) == 0;
}

void ScratchFolder::Remove(const std::string& name) const
{
    ::unlink(File(name).c_str());
}

int ScratchFolder::CountEntries() const
{
    int count = 0;
    if (DIR* dir = ::opendir(m_path.c_str()))
    {
        while (const dirent* entry = ::readdir(dir))
        {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                ++count;
        }
        ::closedir(dir);
    }
    return count;
}

void ScratchFolder::MakeFoldersFor(const std::string& name) const
{
    for (std::size_t slash = name.find('/'); slash != std::string::npos;
         slash = name.find('/', slash + 1))
        ::mkdir(File(name.substr(0, slash)).c_str(), 0700);
}

void ScratchFolder::Write(const std::string& name, const std::string& text) const
{
    MakeFoldersFor(name);
    std::ofstream(File(name), std::ios::binary) << text;
}

std::string ScratchFolder::Read(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ScratchFolder::WriteImage(const std::string& name, unsigned width, unsigned height,
                               sf::Color colour) const
{
    MakeFoldersFor(name);
    sf::Image image;
    image.create(width, height, colour);
    if (!image.saveToFile(File(name)))
        throw std::runtime_error("cannot write the fixture image " + name);
}
