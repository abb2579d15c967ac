#include "manager/ContentManager.h"

#include "manager/GameManager.h"
#include "platform/SoundLibraryTesting.h"
#include "support/ScratchFolder.h"
#include "support/ThrownRecord.h"
#include "utility/ContentFileLoadingFailedException.h"
#include "utility/ContentNotLoadedException.h"

#include <boost/exception/get_error_info.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace
{
const char* const FONT_FIXTURE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string MissingKey(const std::function<void()>& action)
{
    return RecordOf<ErrorName, ContentNotLoadedException>(action);
}

std::string FailedFile(const std::function<void()>& action)
{
    return RecordOf<ErrorFilename, ContentFileLoadingFailedException>(action);
}
}

TEST(ContentManager, lookups_of_missing_keys_name_the_key)
{
    ContentManager content;
    EXPECT_EQ("cursor_normal", MissingKey([&] { content.GetImage("cursor_normal"); }));
    EXPECT_EQ("cursor_normal", MissingKey([&] { content.GetTexture("cursor_normal"); }));
    EXPECT_EQ("header", MissingKey([&] { content.GetFont("header"); }));
    EXPECT_EQ("collect", MissingKey([&] { content.GetSound("collect"); }));
    EXPECT_EQ("gui/canvas1",
              MissingKey([&] { content.GetComposedStretchableDrawableConstructor("gui/canvas1"); }));
}

TEST(ContentManager, missing_files_name_the_file_as_given_and_keep_the_key)
{
    ScratchFolder folder(true);
    ContentManager content;
    EXPECT_EQ("game/player.png", FailedFile([&] { content.LoadImage("player", "game/player.png"); }));
    EXPECT_EQ("Loyal.ttf", FailedFile([&] { content.LoadFont("standard", "Loyal.ttf"); }));

    // The keys stay registered with the objects the loads were tried on.
    EXPECT_EQ(sf::Vector2u(0, 0), content.GetImage("player").getSize());
    EXPECT_NO_THROW(content.GetFont("standard"));

    // A failed load belongs to the read failures of the family.
    EXPECT_THROW(content.LoadImage("gone.png"), FileReadException);
    EXPECT_THROW(content.LoadImage("gone.png"), IOErrorException);
}

TEST(ContentManager, files_come_from_the_folder_of_their_kind)
{
    ScratchFolder folder(true);
    folder.WriteImage("data/images/game/player.png", 4, 3, sf::Color::Red);
    const std::string font = ReadFile(FONT_FIXTURE);
    folder.Write("data/images/Loyal.ttf", font);
    ContentManager content;

    content.LoadImage("player", "game/player.png");
    EXPECT_EQ(sf::Vector2u(4, 3), content.GetImage("player").getSize());
    EXPECT_EQ(sf::Vector2u(4, 3), content.GetTexture("player").getSize());
    EXPECT_EQ(sf::Color::Red, content.GetImage("player").getPixel(3, 2));

    EXPECT_EQ("Loyal.ttf", FailedFile([&] { content.LoadFont("standard", "Loyal.ttf"); }));
    folder.Write("data/fonts/Loyal.ttf", font);
    content.LoadFont("standard", "Loyal.ttf");
    EXPECT_EQ("DejaVu Sans", content.GetFont("standard").getInfo().family);
}

TEST(ContentManager, reload_in_place_keeps_the_references)
{
    ScratchFolder folder(true);
    folder.WriteImage("data/images/a.png", 2, 2, sf::Color::Red);
    ContentManager content;
    content.LoadImage("a.png");
    const sf::Image& image = content.GetImage("a.png");
    const sf::Texture& texture = content.GetTexture("a.png");

    folder.WriteImage("data/images/a.png", 3, 1, sf::Color::Blue);
    content.LoadImage("a.png");
    EXPECT_EQ(&image, &content.GetImage("a.png"));
    EXPECT_EQ(&texture, &content.GetTexture("a.png"));
    EXPECT_EQ(sf::Vector2u(3, 1), image.getSize());
    EXPECT_EQ(sf::Color::Blue, image.getPixel(2, 0));
    EXPECT_EQ(sf::Vector2u(3, 1), texture.getSize());
    EXPECT_EQ(sf::Color::Blue, texture.copyToImage().getPixel(2, 0));

    // A reload that fails keeps the picture the key had, pixels and size alike.
    std::remove("data/images/a.png");
    EXPECT_EQ("a.png", FailedFile([&] { content.LoadImage("a.png"); }));
    ASSERT_EQ(sf::Vector2u(3, 1), image.getSize());
    ASSERT_NE(nullptr, image.getPixelsPtr());
    EXPECT_EQ(sf::Color::Blue, image.getPixel(2, 0));
    EXPECT_EQ(sf::Vector2u(3, 1), texture.getSize());

    // Later entries do not move earlier ones.
    folder.WriteImage("data/images/a.png", 3, 1, sf::Color::Blue);
    for (int i = 0; i < 50; ++i)
        content.LoadImage("k" + std::to_string(i), "a.png");
    EXPECT_EQ(&image, &content.GetImage("a.png"));
}

TEST(ContentManager, descriptions_keep_the_first_of_a_key_and_their_own_key_space)
{
    ScratchFolder folder(true);
    folder.WriteImage("data/images/gui/canvas1.png", 120, 105, sf::Color::Green);
    ContentManager content;
    content.LoadImage("gui/canvas1", "gui/canvas1.png");

    content.CreateComposedStretchableDrawableConstructor3x3("gui/canvas1", "gui/canvas1",
                                                            sf::IntRect(0, 0, 120, 105), 7, 7, 7, 7,
                                                            false);
    const ComposedStretchableDrawableConstructor& first =
        content.GetComposedStretchableDrawableConstructor("gui/canvas1");
    content.CreateComposedStretchableDrawableConstructor3x1(
        "gui/canvas1", content.GetTexture("gui/canvas1"), sf::IntRect(0, 0, 45, 45), 3, 3, true);
    const ComposedStretchableDrawableConstructor& kept =
        content.GetComposedStretchableDrawableConstructor("gui/canvas1");
    EXPECT_EQ(&first, &kept);
    EXPECT_EQ(120u, kept.GetOriginalWidth());
    EXPECT_EQ(7u, kept.GetTopBorder());
    EXPECT_FALSE(kept.IsRepeating());
    EXPECT_EQ(sf::Vector2u(120, 105), content.GetImage("gui/canvas1").getSize());

    content.CreateComposedStretchableDrawableConstructor1x3("strip", "gui/canvas1",
                                                            sf::IntRect(0, 0, 20, 105), 7, 7, false);
    EXPECT_EQ(20u, content.GetComposedStretchableDrawableConstructor("strip").GetLeftBorder());
    EXPECT_EQ("strip", MissingKey([&] { content.GetImage("strip"); }));
}

TEST(ContentManager, a_description_of_an_unloaded_image_is_not_stored)
{
    ContentManager content;
    EXPECT_EQ("gui/button1", MissingKey([&] {
                  content.CreateComposedStretchableDrawableConstructor3x1(
                      "gui/button1", "gui/button1", sf::IntRect(0, 0, 45, 45), 7, 7, false);
              }));
    EXPECT_EQ("gui/button1",
              MissingKey([&] { content.GetComposedStretchableDrawableConstructor("gui/button1"); }));
}

namespace
{
// A short mono 16-bit WAV file of silence.
std::string SilentWav(unsigned frames)
{
    auto le = [](std::string& out, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    const unsigned rate = 48000;
    const unsigned dataBytes = frames * 2;
    std::string wav = "RIFF";
    le(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    le(wav, 16, 4);
    le(wav, 1, 2);
    le(wav, 1, 2);
    le(wav, rate, 4);
    le(wav, rate * 2, 4);
    le(wav, 2, 2);
    le(wav, 16, 2);
    wav += "data";
    le(wav, dataBytes, 4);
    wav.append(dataBytes, '\0');
    return wav;
}
}

TEST(ContentManager, reloading_a_sound_refills_the_same_handle)
{
    ScratchFolder folder(true);
    folder.Write("data/sounds/collect.wav", SilentWav(4800));
    folder.Write("data/sounds/other.wav", SilentWav(9600));
    GameManager::Instance()->GetPreferences().Load();
    ContentManager& content = GameManager::Instance()->GetContentManager();

    content.LoadSound("collect", "collect.wav");
    Sound& sound = content.GetSound("collect");
    FMOD_SOUND* const first = sound.GetInternal();
    ASSERT_NE(nullptr, first);
    content.LoadSound("collect", "other.wav");
    EXPECT_EQ(&sound, &content.GetSound("collect"));
    EXPECT_NE(nullptr, sound.GetInternal());
    EXPECT_NE(first, sound.GetInternal());
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Sound_Release(first)) << "the first sound was freed";

    content.ReleaseSounds();
    EXPECT_FALSE(sound.IsSet());
    GameManager::ResetForTesting();
}

TEST(ContentManager, sounds_survive_a_change_of_output_type)
{
    ScratchFolder folder(true);
    folder.Write("data/sounds/collect.wav", SilentWav(4800));
    GamePreferences& preferences = GameManager::Instance()->GetPreferences();
    preferences.Load();
    ContentManager& content = GameManager::Instance()->GetContentManager();
    content.LoadSound("collect", "collect.wav");
    Sound& sound = content.GetSound("collect");

    // The sound-card screens release and recreate the sound system.
    preferences.SetSoundOutputType(FMOD_OUTPUTTYPE_NOSOUND);
    preferences.SetSoundOutputDriverNo(0);
    preferences.SetSoundRecordDriverNo(0);
    EXPECT_FALSE(sound.IsSet()) << "freed with the system it belonged to";

    content.LoadSound("collect", "collect.wav");
    EXPECT_TRUE(sound.IsSet());
    GameManager::ResetForTesting();
}

TEST(ContentManager, without_a_sound_system_sounds_and_preferences_refuse_to_load)
{
    ScratchFolder folder(true);
    folder.Write("data/sounds/collect.wav", SilentWav(4800));
    SoundLibrarySetReportedVersion(0x00043005);
    GameManager::ResetForTesting();
    testing::internal::CaptureStdout();
    GameManager* gameManager = GameManager::Instance();
    testing::internal::GetCapturedStdout();

    std::string message;
    try
    {
        gameManager->GetContentManager().LoadSound("collect", "collect.wav");
    }
    catch (const ExceptionBase& e)
    {
        const std::string* record = boost::get_error_info<ErrorMessage>(e);
        message = record ? *record : "";
    }
    EXPECT_EQ("Sound system not created", message);
    EXPECT_FALSE(gameManager->GetContentManager().GetSound("collect").IsSet()) << "key kept, empty";
    EXPECT_THROW(gameManager->GetPreferences().Load(), ExceptionBase);
    EXPECT_EQ(0, folder.CountEntries() - 1) << "nothing but data/";

    SoundLibrarySetReportedVersion(FMOD_VERSION);
    GameManager::ResetForTesting();
}
