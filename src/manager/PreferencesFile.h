#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Reads and writes the preferences XML. Reading is tolerant: any root, any
// order, other elements mixed in, the first element of each name counts, and
// whatever cannot be read is simply absent. Writing replaces the file through
// a temporary file in the same folder, so the old file survives a failed write;
// a symbolic link is written through to its file, whose mode stays, and a file
// in a folder that takes no new files is rewritten in place.
class PreferencesFile
{
public:
    struct Entries
    {
        std::optional<int> playerType;
        std::optional<int> soundOutputType;
        std::optional<int> soundOutputDriverNo;
        std::optional<int> soundRecordDriverNo;
        std::optional<int> calibratedReaderType;
        std::optional<int> calibratedReaderLower;
        std::optional<int> calibratedReaderUpper;
    };

    // Files larger than this are not preferences; they are treated as unreadable.
    static const std::size_t MAX_FILE_SIZE = 1024 * 1024;

    static Entries Read(const std::string& path);
    static Entries Parse(const char* data, std::size_t size);

    // Writes the first four entries always and the calibration entries when
    // calibratedReaderType is set. Returns false when the file was not replaced.
    static bool Write(const std::string& path, const Entries& entries);
    static std::string Format(const Entries& entries);

    // Decimal integer read the way an input stream reads an int: leading white
    // space skipped, optional sign, digits up to the first other character.
    // Nothing without digits, and nothing outside the int range.
    static std::optional<int> ParseInteger(const char* text);
};
