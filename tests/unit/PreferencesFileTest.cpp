#include "manager/PreferencesFile.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>
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

namespace
{
// Root ignores permissions: a child that must meet them drops to nobody.
void DropRoot()
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(2);
}

void ReadOnlyFolder(const ScratchFolder& folder)
{
    if (::chmod(folder.Path().c_str(), 0555) != 0)
        ::_exit(2);
    DropRoot();
}

// A full disk: every file stops growing after a few bytes, mid-write.
void WriteCutShort(const ScratchFolder&)
{
    const struct rlimit limit = {8, 8};
    if (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ::_exit(2);
}

std::size_t EntriesIn(const std::string& path)
{
    const std::filesystem::directory_iterator entries(path);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// Writes in a child process that sets up its own conditions first; true when
// the write reported success.
bool WriteInChild(const ScratchFolder& folder, const std::string& path, const Entries& entries,
                  void (*setUp)(const ScratchFolder&))
{
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0)
    {
        setUp(folder);
        ::_exit(PreferencesFile::Write(path, entries) ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(2, WEXITSTATUS(status)) << "the child could not set up its conditions";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}

TEST(PreferencesFile, failed_write_leaves_the_old_file_whole)
{
    const struct
    {
        const char* what;
        void (*setUp)(const ScratchFolder& folder);
    } ways[] = {
        {"write cut short", &WriteCutShort},
        // The file itself stays writable, so it is rewritten in place, where the
        // same limit must not cost the old content either.
        {"read-only folder and write cut short",
         [](const ScratchFolder& folder) {
             WriteCutShort(folder);
             ReadOnlyFolder(folder);
         }},
    };
    for (const auto& way : ways)
    {
        ScratchFolder folder;
        const std::string path = folder.File("config.xml");
        const std::string old = "<config><playerType>2</playerType></config>";
        folder.Write("config.xml", old);
        ASSERT_EQ(0, ::chmod(path.c_str(), 0666));

        EXPECT_FALSE(WriteInChild(folder, path, E(1, 6, 0, 0, 0, 180, 440), way.setUp))
            << way.what << ": the write should have reported failure";
        EXPECT_EQ(old, folder.Read("config.xml")) << way.what;
        EXPECT_EQ(1, folder.CountEntries()) << way.what << ": no temporary file is left behind";
    }
}

TEST(PreferencesFile, file_in_a_read_only_folder_is_rewritten_in_place)
{
    ScratchFolder folder;
    const std::string path = folder.File("config.xml");
    // Longer than what replaces it, so a rewrite must also cut the file.
    folder.Write("config.xml", "<config><playerType>2</playerType><other>" + std::string(200, 'x') +
                                   "</other></config>");
    ASSERT_EQ(0, ::chmod(path.c_str(), 0666));

    EXPECT_TRUE(WriteInChild(folder, path, E(1, 12, 0, 0, 0, 180, 440), &ReadOnlyFolder));
    EXPECT_EQ(PreferencesFile::Format(E(1, 12, 0, 0, 0, 180, 440)), folder.Read("config.xml"));
    EXPECT_EQ(1, folder.CountEntries());
}

TEST(PreferencesFile, write_keeps_the_mode_of_the_file_it_replaces)
{
    for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0604)})
    {
        ScratchFolder folder;
        const std::string path = folder.File("config.xml");
        folder.Write("config.xml", "<config/>");
        ASSERT_EQ(0, ::chmod(path.c_str(), mode));
        ASSERT_TRUE(PreferencesFile::Write(path, E(1, 6, 0, 0)));
        struct stat info;
        ASSERT_EQ(0, ::stat(path.c_str(), &info));
        EXPECT_EQ(mode, info.st_mode & 07777) << std::oct << mode;
        EXPECT_EQ(1, PreferencesFile::Read(path).playerType);
    }
}

TEST(PreferencesFile, write_through_a_symbolic_link_replaces_the_linked_file)
{
    const struct
    {
        const char* what;
        // Link name and its content, made in order; "@" stands for the folder.
        std::vector<std::pair<std::string, std::string>> links;
    } ways[] = {
        {"relative link", {{"config.xml", "real/config.xml"}}},
        {"absolute link", {{"config.xml", "@/real/config.xml"}}},
        {"link to a link", {{"config.xml", "real/step.xml"}, {"real/step.xml", "config.xml"}}},
    };
    for (const auto& way : ways)
    {
        ScratchFolder folder;
        folder.Write("real/config.xml", "<config><playerType>2</playerType></config>");
        const std::string target = folder.File("real/config.xml");
        ASSERT_EQ(0, ::chmod(target.c_str(), 0600));
        for (const auto& link : way.links)
        {
            std::string destination = link.second;
            if (destination[0] == '@')
                destination = folder.Path() + destination.substr(1);
            ASSERT_EQ(0, ::symlink(destination.c_str(), folder.File(link.first).c_str())) << way.what;
        }

        ASSERT_TRUE(PreferencesFile::Write(folder.File("config.xml"), E(1, 12, 0, 0))) << way.what;
        struct stat info;
        ASSERT_EQ(0, ::lstat(folder.File("config.xml").c_str(), &info));
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << way.what << ": the link stays a link";
        ASSERT_EQ(0, ::lstat(target.c_str(), &info));
        EXPECT_TRUE(S_ISREG(info.st_mode)) << way.what;
        EXPECT_EQ(0600u, info.st_mode & 07777) << way.what;
        EXPECT_EQ(12, PreferencesFile::Read(target).soundOutputType) << way.what;
        // No temporary file is left beside the link or the file.
        EXPECT_EQ(2, folder.CountEntries()) << way.what;
        EXPECT_EQ(way.links.size(), EntriesIn(folder.File("real"))) << way.what;
    }
}

TEST(PreferencesFile, symbolic_link_loop_is_not_replaced)
{
    ScratchFolder folder;
    ASSERT_EQ(0, ::symlink("loop.xml", folder.File("config.xml").c_str()));
    ASSERT_EQ(0, ::symlink("config.xml", folder.File("loop.xml").c_str()));
    EXPECT_FALSE(PreferencesFile::Write(folder.File("config.xml"), E(1, 6, 0, 0)));
    struct stat info;
    ASSERT_EQ(0, ::lstat(folder.File("config.xml").c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(2, folder.CountEntries());
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
