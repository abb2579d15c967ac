#include "manager/PreferencesFile.h"

#include <tinyxml2.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
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
// As many links as the system follows in one path lookup.
const int MAX_LINK_HOPS = 40;

bool IsStreamSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool WriteAllAt(int fd, const std::string& text, off_t offset)
{
    std::size_t done = 0;
    while (done < text.size())
    {
        const ssize_t written =
            ::pwrite(fd, text.data() + done, text.size() - done, offset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The file a path names after following its symbolic links, so that a
// replacement lands on the linked file instead of the link. Nothing for a loop.
std::optional<std::string> ResolveLinks(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop)
    {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::vector<char> link(PATH_MAX + 1);
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size() - 1);
        if (length <= 0)
            return std::nullopt;
        const std::string destination(link.data(), static_cast<std::size_t>(length));
        const std::string::size_type slash = current.rfind('/');
        if (destination[0] == '/' || slash == std::string::npos)
            current = destination;
        else
            current = current.substr(0, slash + 1) + destination;
    }
    return std::nullopt;
}

// Rewrites an existing file through its own descriptor, for a folder in which
// no temporary file can be made. The old content is kept until the new text is
// safe: the text is first appended behind it, which is where a full disk or a
// size limit stops the write (the file is then cut back to its old length);
// only then is it written over the start, within space the file already holds,
// and the file cut to the new length.
bool WriteInPlace(const std::string& path, const std::string& text)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok)
    {
        const off_t oldSize = info.st_size;
        if (!WriteAllAt(fd, text, oldSize) || ::fsync(fd) != 0)
        {
            ok = false;
            if (::ftruncate(fd, oldSize) == 0)
                ::fsync(fd);
        }
        ok = ok && WriteAllAt(fd, text, 0) && ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 &&
             ::fsync(fd) == 0;
    }
    ok = (::close(fd) == 0) && ok;
    return ok;
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
    const std::optional<std::string> target = ResolveLinks(path);
    if (!target)
        return false;
    const std::string text = Format(entries);
    struct stat old;
    const bool exists = ::stat(target->c_str(), &old) == 0;
    std::vector<char> temporary(target->begin(), target->end());
    const char suffix[] = ".tmp-XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof(suffix));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return exists && S_ISREG(old.st_mode) && WriteInPlace(*target, text);
    // mkstemp makes the file private: give it the old file's mode, or the one an
    // ordinary new file gets.
    mode_t mode = old.st_mode & 07777;
    if (!exists)
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAllAt(fd, text, 0) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.data(), target->c_str()) == 0;
    if (!ok)
        ::unlink(temporary.data());
    return ok;
}
