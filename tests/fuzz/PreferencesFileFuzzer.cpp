// Feeds arbitrary bytes to the preferences reader. Besides crashes it checks
// that the integer rule agrees with an input stream and that whatever was read
// survives a write and a second read unchanged.
#include "manager/PreferencesFile.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{
std::optional<int> StreamInteger(const std::string& text)
{
    std::istringstream in(text);
    int value = 0;
    if (!(in >> value))
        return std::nullopt;
    return value;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const PreferencesFile::Entries read = PreferencesFile::Parse(text, size);

    const std::string terminated(text, size);
    Check(PreferencesFile::ParseInteger(terminated.c_str()) == StreamInteger(terminated.c_str()));

    const std::string written = PreferencesFile::Format(read);
    const PreferencesFile::Entries again = PreferencesFile::Parse(written.data(), written.size());
    Check(again.playerType == read.playerType.value_or(0));
    Check(again.soundOutputType == read.soundOutputType.value_or(0));
    Check(again.soundOutputDriverNo == read.soundOutputDriverNo.value_or(0));
    Check(again.soundRecordDriverNo == read.soundRecordDriverNo.value_or(0));
    Check(again.calibratedReaderType == read.calibratedReaderType);
    if (read.calibratedReaderType)
    {
        Check(again.calibratedReaderLower == read.calibratedReaderLower.value_or(0));
        Check(again.calibratedReaderUpper == read.calibratedReaderUpper.value_or(0));
    }
    return 0;
}
