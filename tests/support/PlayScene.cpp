#include "support/PlayScene.h"

#include "entity/Enemy.h"
#include "entity/Player.h"
#include "main/LoadContent.h"
#include "manager/GameManager.h"
#include "sound/SoundMicrophoneAnalyzer.h"

#include <unistd.h>

#include <sstream>
#include <stdexcept>
#include <vector>

namespace
{
// The analyzer's spectrum size and bin width in the game.
const int SPECTRUM_SIZE = 8192;
const float HZ_PER_BIN = 24000.0f / SPECTRUM_SIZE;
const int CALIBRATION_LOWER = 200;
const int CALIBRATION_UPPER = 800;
const int NO_SOUND_OUTPUT = 2;
}

const float PlayScene::LOW_HZ = 150.0f;
const float PlayScene::MIDDLE_HZ = 500.0f;
const float PlayScene::HIGH_HZ = 1000.0f;
const float PlayScene::LOUD = 0.5f;

std::string PlayScene::Config(int playerType, bool calibrated)
{
    std::ostringstream xml;
    xml << "<config><playerType>" << playerType << "</playerType><soundOutputType>" << NO_SOUND_OUTPUT
        << "</soundOutputType><soundOutputDriverNo>0</soundOutputDriverNo>"
        << "<soundRecordDriverNo>0</soundRecordDriverNo>";
    if (calibrated)
        xml << "<calibratedReaderType>0</calibratedReaderType><calibratedReaderLower>" << CALIBRATION_LOWER
            << "</calibratedReaderLower><calibratedReaderUpper>" << CALIBRATION_UPPER << "</calibratedReaderUpper>";
    xml << "</config>";
    return xml.str();
}

PlayScene::PlayScene(std::string const& configXml) : m_folder(true)
{
    if (::symlink(VELMORA_SOURCE_DIR "/data", m_folder.File("data").c_str()) != 0)
        throw std::runtime_error("cannot link data/ into the scratch folder");
    m_folder.Write("config.xml", configXml);

    GameManager* gameManager = GameManager::Instance();
    if (gameManager->GetRenderWindow() == nullptr)
        gameManager->CreateRenderWindow(sf::VideoMode(1024, 600, 32), "SFML Graphics", sf::Style::Close,
                                        sf::ContextSettings(24, 8, 0, 2, 0));
    gameManager->GetPreferences().Load();
    gameManager->GetSoundMicrophoneAnalyzer().Stop();
    LoadContent();
    Hear(0.0f, 0.0f);

    m_mode = std::make_unique<PlayMode>();
    m_mode->Initialize();
}

PlayScene::~PlayScene()
{
    m_mode.reset();
    GameManager::ResetForTesting();
}

void PlayScene::Hear(float hz, float volume)
{
    std::vector<float> spectrum(SPECTRUM_SIZE, 0.0f);
    std::vector<float> wave(SPECTRUM_SIZE, 0.0f);
    if (hz > 0.0f)
        spectrum[static_cast<std::size_t>(hz / HZ_PER_BIN)] = 1.0f;
    wave[0] = volume;
    GameManager::Instance()->GetSoundMicrophoneAnalyzer().Evaluate(spectrum.data(), wave.data());
}

void PlayScene::Frame(float seconds)
{
    GameManager::Instance()->SetElapsedTimeForTesting(seconds);
    m_mode->Process();
}

void PlayScene::Start()
{
    Hear(MIDDLE_HZ);
    Frame(0.0f);
}

void PlayScene::EndByEnemy()
{
    if (m_mode->GetState() == PlayMode::PlayStateWaitingForStart)
        Start();
    ContentManager& content = GameManager::Instance()->GetContentManager();
    // The bat's middle on the dragon's.
    const sf::Vector2f at = m_mode->GetPlayer()->GetPos() - sf::Vector2f(25.0f, 20.0f);
    Enemy* enemy = new Enemy(m_mode.get(), content.GetTexture("enemy"), content.GetImage("enemy"), at);
    m_mode->GetEnemies().AddElement(enemy);
    Frame(0.001f);
}
