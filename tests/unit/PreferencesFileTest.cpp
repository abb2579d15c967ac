#include "manager/PreferencesFile.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
typedef PreferencesFile::Entries Entries;
const std::optional<int> none;

Entries E(std::optional<int> playerType = none, std::optional<int> outputType = none,
          std::optional<int> outputDriver = none, std::optional<int> recordDriver = none,
          std::optional<int> readerType = none, std::optional<int> lower = none,
          std::optional<int> upper = none)
{
    Entries entries;
    entries.playerType = playerType;
    entries.soundOutputType = outputType;
    entries.soundOutputDriverNo = outputDriver;
    entries.soundRecordDriverNo = recordDriver;
    entries.calibratedReaderType = readerType;
    entries.calibratedReaderLower = lower;
    entries.calibratedReaderUpper = upper;
    return entries;
}
}

TEST(PreferencesFile, integer_parsing_follows_stream_rules)
{
    const struct
    {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"2", 2},           {" 10", 10},         {"\n\t 10\n", 10},     {"7x", 7},
        {"-3", -3},         {"+4", 4},           {"-0", 0},             {"007", 7},
        {"abc", none},      {"", none},          {"   ", none},         {"-", none},
        {"+-1", none},      {"- 1", none},       {"x7", none},          {"1.9", 1},
        {"2147483647", 2147483647},              {"-2147483648", -2147483647 - 1},
        {"2147483648", none},                    {"-2147483649", none},
        {"99999999999999999999999", none},       {"0x10", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, PreferencesFile::ParseInteger(c.text)) << "text '" << c.text << "'";
    EXPECT_EQ(none, PreferencesFile::ParseInteger(nullptr));
}

TEST(PreferencesFile, tolerant_reading_of_file_cases)
{
    const struct
    {
        const char* what;
        const char* text;
        Entries entries;
    } cases[] = {
        {"empty", "", E()},
        {"not xml", "hello there", E()},
        {"truncated", "<config><playerType>2</playerType><soundOut", E()},
        {"no element", "<!-- nothing -->", E()},
        {"only player type", "<config><playerType>2</playerType></config>", E(2)},
        {"text abc", "<config><soundOutputType>abc</soundOutputType></config>", E(none, none)},
        {"text 7x", "<config><soundOutputType>7x</soundOutputType></config>", E(none, 7)},
        {"leading space", "<config><soundOutputType> 10</soundOutputType></config>", E(none, 10)},
        {"any root, any order, mixed in",
         "<?xml version=\"1.0\"?><prefs><other>1</other><soundRecordDriverNo>3"
         "</soundRecordDriverNo><playerType>1</playerType></prefs>",
         E(1, none, none, 3)},
        {"first of each name",
         "<config><playerType>1</playerType><playerType>2</playerType></config>", E(1)},
        {"empty element", "<config><playerType/><soundOutputDriverNo></soundOutputDriverNo></config>",
         E()},
        {"child element before the text",
         "<config><playerType><b/>2</playerType></config>", E()},
        {"grandchildren do not count", "<config><x><playerType>2</playerType></x></config>", E()},
        {"only the first root counts",
         "<a/><config><playerType>2</playerType></config>", E()},
        {"absurd numbers",
         "<config><playerType>-99</playerType><soundOutputType>4294967296</soundOutputType>"
         "<soundOutputDriverNo>2147483647</soundOutputDriverNo></config>",
         E(-99, none, 2147483647)},
        {"full calibration",
         "<config><playerType>0</playerType><soundOutputType>6</soundOutputType>"
         "<soundOutputDriverNo>0</soundOutputDriverNo><soundRecordDriverNo>0</soundRecordDriverNo>"
         "<calibratedReaderType>0</calibratedReaderType><calibratedReaderLower>180"
         "</calibratedReaderLower><calibratedReaderUpper>440</calibratedReaderUpper></config>",
         E(0, 6, 0, 0, 0, 180, 440)},
        {"entities and CDATA",
         "<config><playerType>&#50;</playerType><soundOutputType><![CDATA[12]]></soundOutputType>"
         "</config>",
         E(2, 12)},
    };
    for (const auto& c : cases)
    {
        const Entries read = PreferencesFile::Parse(c.text, std::char_traits<char>::length(c.text));
        EXPECT_EQ(c.entries.playerType, read.playerType) << c.what;
        EXPECT_EQ(c.entries.soundOutputType, read.soundOutputType) << c.what;
        EXPECT_EQ(c.entries.soundOutputDriverNo, read.soundOutputDriverNo) << c.what;
        EXPECT_EQ(c.entries.soundRecordDriverNo, read.soundRecordDriverNo) << c.what;
        EXPECT_EQ(c.entries.calibratedReaderType, read.calibratedReaderType) << c.what;
        EXPECT_EQ(c.entries.calibratedReaderLower, read.calibratedReaderLower) << c.what;
        EXPECT_EQ(c.entries.calibratedReaderUpper, read.calibratedReaderUpper) << c.what;
    }
}

TEST(PreferencesFile, deep_nesting_and_binary_read_as_nothing)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_FALSE(PreferencesFile::Parse(deep.data(), deep.size()).playerType.has_value());

    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xff);
    EXPECT_FALSE(PreferencesFile::Parse(binary.data(), binary.size()).playerType.has_value());

    const std::string withNul("<config><playerType>2</playerType>\0</config>", 45);
    EXPECT_NO_THROW(PreferencesFile::Parse(withNul.data(), withNul.size()));
}

TEST(PreferencesFile, unreadable_files_read_as_nothing)
{
    ScratchFolder folder;
    EXPECT_FALSE(PreferencesFile::Read(folder.File("missing.xml")).playerType.has_value());

    ASSERT_EQ(0, ::mkdir(folder.File("folder.xml").c_str(), 0700));
    EXPECT_FALSE(PreferencesFile::Read(folder.File("folder.xml")).playerType.has_value());

    ASSERT_EQ(0, ::mkfifo(folder.File("pipe.xml").c_str(), 0600));
    EXPECT_FALSE(PreferencesFile::Read(folder.File("pipe.xml")).playerType.has_value());

    std::string huge = "<config><playerType>2</playerType>";
    huge.append(PreferencesFile::MAX_FILE_SIZE, ' ');
    huge += "</config>";
    folder.Write("huge.xml", huge);
    EXPECT_FALSE(PreferencesFile::Read(folder.File("huge.xml")).playerType.has_value());

    folder.Write("good.xml", "<config>\n  <playerType>2</playerType>\n</config>\n");
    EXPECT_EQ(2, PreferencesFile::Read(folder.File("good.xml")).playerType);
}

TEST(PreferencesFile, writes_four_or_seven_elements_and_reads_them_back)
{
    ScratchFolder folder;
    const std::string path = folder.File("config.xml");
    Entries four = E(1, 12, 2, 3);
    ASSERT_TRUE(PreferencesFile::Write(path, four));
    const std::string text = folder.Read("config.xml");
    EXPECT_EQ(0u, text.find("<config>"));
    EXPECT_EQ(std::string::npos, text.find("<?xml"));
    EXPECT_EQ(std::string::npos, text.find("calibratedReader"));
    Entries read = PreferencesFile::Read(path);
    EXPECT_EQ(1, read.playerType);
    EXPECT_EQ(12, read.soundOutputType);
    EXPECT_EQ(2, read.soundOutputDriverNo);
    EXPECT_EQ(3, read.soundRecordDriverNo);
    EXPECT_FALSE(read.calibratedReaderType.has_value());

    Entries seven = E(0, 6, 0, 0, 1, -5, 440);
    ASSERT_TRUE(PreferencesFile::Write(path, seven));
    read = PreferencesFile::Read(path);
    EXPECT_EQ(1, read.calibratedReaderType);
    EXPECT_EQ(-5, read.calibratedReaderLower);
    EXPECT_EQ(440, read.calibratedReaderUpper);
    EXPECT_EQ(1, folder.CountEntries()) << "no temporary file is left behind";
}

TEST(PreferencesFile, failed_write_leaves_the_old_file_whole)
{
    // Each way runs the write in a child process that sets up its own failure.
    const struct
    {
        const char* what;
        void (*setUp)(const ScratchFolder& folder);
    } ways[] = {
        // The file itself stays writable, so only a write through another file
        // in the folder fails. Root ignores permissions: the child drops to nobody.
        {"read-only folder",
         [](const ScratchFolder& folder) {
             if (::chmod(folder.Path().c_str(), 0555) != 0)
                 ::_exit(2);
             if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                 ::_exit(2);
         }},
        // A full disk: every file stops growing after a few bytes, mid-write.
        {"write cut short",
         [](const ScratchFolder&) {
             const struct rlimit limit = {8, 8};
             if (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                 ::_exit(2);
         }},
    };
    for (const auto& way : ways)
    {
        ScratchFolder folder;
        const std::string path = folder.File("config.xml");
        const std::string old = "<config><playerType>2</playerType></config>";
        folder.Write("config.xml", old);
        ASSERT_EQ(0, ::chmod(path.c_str(), 0666));

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            way.setUp(folder);
            ::_exit(PreferencesFile::Write(path, E(1, 6, 0, 0, 0, 180, 440)) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0)) << way.what;
        ASSERT_TRUE(WIFEXITED(status)) << way.what;
        EXPECT_EQ(0, WEXITSTATUS(status)) << way.what << ": the write should have reported failure";
        EXPECT_EQ(old, folder.Read("config.xml")) << way.what;
        EXPECT_EQ(1, folder.CountEntries()) << way.what << ": no temporary file is left behind";
    }
}

TEST(PreferencesFile, failed_replace_removes_its_temporary_file)
{
    ScratchFolder folder;
    const std::string path = folder.File("config.xml");
    ASSERT_EQ(0, ::mkdir(path.c_str(), 0700));
    folder.Write("config.xml/keep", "x");
    EXPECT_FALSE(PreferencesFile::Write(path, E(1, 6, 0, 0)));
    EXPECT_EQ("x", folder.Read("config.xml/keep"));
    EXPECT_EQ(1, folder.CountEntries());
}
