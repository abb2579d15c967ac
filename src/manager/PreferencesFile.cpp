#include "manager/PreferencesFile.h"

#include <tinyxml2.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
const char* const ROOT_NAME = "config";

struct Field
{
    const char* name;
    std::optional<int> PreferencesFile::Entries::*entry;
};

const Field FIELDS[] = {
    {"playerType", &PreferencesFile::Entries::playerType},
    {"soundOutputType", &PreferencesFile::Entries::soundOutputType},
    {"soundOutputDriverNo", &PreferencesFile::Entries::soundOutputDriverNo},
    {"soundRecordDriverNo", &PreferencesFile::Entries::soundRecordDriverNo},
    {"calibratedReaderType", &PreferencesFile::Entries::calibratedReaderType},
    {"calibratedReaderLower", &PreferencesFile::Entries::calibratedReaderLower},
    {"calibratedReaderUpper", &PreferencesFile::Entries::calibratedReaderUpper},
};
const std::size_t ALWAYS_WRITTEN = 4;

bool IsStreamSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size())
    {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Opening without blocking keeps a FIFO named like the file from hanging the
// start; anything but a regular file of sane size is refused.
bool ReadWholeFile(const std::string& path, std::vector<char>& data)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
              static_cast<std::uint64_t>(info.st_size) <= PreferencesFile::MAX_FILE_SIZE;
    if (ok)
    {
        data.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (ok && done < data.size())
        {
            const ssize_t got = ::read(fd, data.data() + done, data.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                ok = false;
            else
                done += static_cast<std::size_t>(got);
        }
    }
    ::close(fd);
    return ok;
}
}

std::optional<int> PreferencesFile::ParseInteger(const char* text)
{
    if (text == nullptr)
        return std::nullopt;
    const char* p = text;
    while (IsStreamSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
    {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9')
        return std::nullopt;
    // Magnitude bound of the sign read: one more for the negative side.
    const std::int64_t limit = negative ? -std::int64_t(INT_MIN) : INT_MAX;
    std::int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
        value = value * 10 + (*p - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

PreferencesFile::Entries PreferencesFile::Parse(const char* data, std::size_t size)
{
    Entries entries;
    tinyxml2::XMLDocument document;
    if (data == nullptr || size == 0 || document.Parse(data, size) != tinyxml2::XML_SUCCESS)
        return entries;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (root == nullptr)
        return entries;
    for (const Field& field : FIELDS)
    {
        const tinyxml2::XMLElement* element = root->FirstChildElement(field.name);
        if (element != nullptr)
            entries.*field.entry = ParseInteger(element->GetText());
    }
    return entries;
}

PreferencesFile::Entries PreferencesFile::Read(const std::string& path)
{
    std::vector<char> data;
    if (!ReadWholeFile(path, data))
        return Entries();
    return Parse(data.data(), data.size());
}

std::string PreferencesFile::Format(const Entries& entries)
{
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement(ROOT_NAME);
    document.InsertEndChild(root);
    const std::size_t count =
        entries.calibratedReaderType.has_value() ? std::size(FIELDS) : ALWAYS_WRITTEN;
    for (std::size_t i = 0; i < count; ++i)
    {
        tinyxml2::XMLElement* element = document.NewElement(FIELDS[i].name);
        element->SetText((entries.*FIELDS[i].entry).value_or(0));
        root->InsertEndChild(element);
    }
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return std::string(printer.CStr(), static_cast<std::size_t>(printer.CStrSize() - 1));
}

bool PreferencesFile::Write(const std::string& path, const Entries& entries)
{
    const std::string text = Format(entries);
    std::vector<char> temporary(path.begin(), path.end());
    const char suffix[] = ".tmp-XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof(suffix));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    // mkstemp makes the file private; give it the mode an ordinary new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.data(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.data());
    return ok;
}
