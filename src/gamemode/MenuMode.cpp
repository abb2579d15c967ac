#include "gamemode/MenuMode.h"

#include "entity/SpriteEntity.h"
#include "gamemode/CalibrationMode.h"
#include "gamemode/PlayMode.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiDrawable.h"
#include "gui/GuiEvent.h"
#include "gui/GuiKeylessButton.h"
#include "gui/GuiKeylessOptionField.h"
#include "manager/GameManager.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <string>
#include <vector>

namespace
{
const unsigned TITLE_SIZE = 64;
const unsigned TEXT_SIZE = 24;
const float PANEL_TOP = 100.0f;
const unsigned PANEL_INNER_WIDTH = 400;
const unsigned PANEL_INNER_HEIGHT = 380;
const int BUTTON_WIDTH = 200;
const float STEERING_LABEL_Y = 78.0f;
const float STEERING_FIELD_Y = 120.0f;
const float CALIBRATION_Y = 300.0f;
const float EXIT_Y = 360.0f;

// x of an element of the given width centred on cx, truncated.
float Centred(int cx, float width)
{
    return static_cast<float>(static_cast<int>(cx - 0.5f * width));
}
}

MenuMode::MenuMode() : GameMode(MenuModeType), m_entities(), m_guiManager(), m_playerTypeField(nullptr)
{
}

// Members go in reverse order: the GUI (and every widget), then the background.
MenuMode::~MenuMode() = default;

void MenuMode::Initialize()
{
    const int half = static_cast<int>(m_gameManager->GetCurrentViewWidth()) / 2;
    ContentManager& content = m_gameManager->GetContentManager();

    m_guiManager.SetGuiEventHandler([this](GuiEvent const& event) { HandleGuiEvent(event); });
    m_guiManager.AddCursor("standard", "cursor_normal");
    m_guiManager.SetCursor("standard", true);

    auto title = std::make_shared<sf::Text>("Velmora", content.GetFont("header"), TITLE_SIZE);
    title->setFillColor(sf::Color::Black);
    const float titleX = Centred(half, title->getLocalBounds().width);
    m_guiManager.AddElement(new GuiDrawable(sf::Vector2<float>(titleX, 0.0f), title, ""));

    const ComposedStretchableDrawableConstructor& frame =
        content.GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    const unsigned left = frame.GetLeftBorder();
    const unsigned right = frame.GetRightBorder();
    const unsigned top = frame.GetTopBorder();
    const unsigned bottom = frame.GetBottomBorder();
    const unsigned panelWidth = frame.GetPossibleWidth(left + right + PANEL_INNER_WIDTH);
    const unsigned panelHeight = frame.GetPossibleHeight(top + bottom + PANEL_INNER_HEIGHT);
    auto* panel = GuiCanvasDecorated::CreateFramed(
        frame, sf::Vector2<float>(static_cast<float>(half - static_cast<int>(panelWidth) / 2), PANEL_TOP),
        panelWidth, panelHeight, sf::Vector2<float>(0.0f, -10.0f));
    m_guiManager.AddElement(panel);
    GuiCanvas* inner = panel->GetInnerCanvas();

    const int cx = static_cast<int>(0.5f * inner->GetWidth());

    auto* play = new GuiKeylessButton(sf::Vector2<float>(0.0f, 0.0f), BUTTON_WIDTH, "Start Game", "play");
    const float sx = Centred(cx, play->GetWidth());
    play->MoveRelativePosition(sf::Vector2<float>(sx, 0.0f));
    inner->AddElement(play);

    auto steering = std::make_shared<sf::Text>("Player steering mode:", content.GetFont("standard"), TEXT_SIZE);
    steering->setFillColor(sf::Color::Black);
    inner->AddElement(new GuiDrawable(
        sf::Vector2<float>(Centred(cx, steering->getLocalBounds().width), STEERING_LABEL_Y), steering, ""));

    // In the order of GamePreferences::PlayerType.
    const std::vector<std::string> options = {"Directional Height", "Target Direction", "Target Height"};
    m_playerTypeField = new GuiKeylessOptionField(sf::Vector2<float>(0.0f, 0.0f), BUTTON_WIDTH, options, "playertype");
    m_playerTypeField->MoveRelativePosition(
        sf::Vector2<float>(Centred(cx, m_playerTypeField->GetWidth()), STEERING_FIELD_Y));
    inner->AddElement(m_playerTypeField);
    const int storedType = m_preferences->GetPlayerType();
    if (storedType >= 0 && storedType <= 2)
        m_playerTypeField->SetIndex(storedType);

    inner->AddElement(new GuiKeylessButton(sf::Vector2<float>(sx, CALIBRATION_Y), BUTTON_WIDTH, "Calibration",
                                           "calibration"));
    inner->AddElement(new GuiKeylessButton(sf::Vector2<float>(sx, EXIT_Y), BUTTON_WIDTH, "Exit", "exit"));

    m_entities.AddElement(new SpriteEntity(content.GetTexture("bgMenu"), sf::Vector2<float>(0.0f, 0.0f),
                                           sf::Vector2<float>(1.0f, 1.0f), 0.0f, sf::Color(255, 255, 255, 255)));
}

void MenuMode::TearDown()
{
}

void MenuMode::Process()
{
    m_entities.Process();
    m_guiManager.Process();
}

void MenuMode::HandleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
        m_renderWindow->close();
    // Escape too: the GUI sees every key.
    m_guiManager.HandleEvent(event);
}

void MenuMode::Draw()
{
    m_renderWindow->clear(sf::Color(0, 0, 0, 255));
    m_entities.Draw();
    m_guiManager.Draw();
    m_renderWindow->display();
}

GamePreferences::PlayerType MenuMode::PlayerTypeOfIndex(int index)
{
    if (index < 0 || index > 2)
        return GamePreferences::PlayerDirectionHeightType;
    return static_cast<GamePreferences::PlayerType>(index);
}

void MenuMode::HandleGuiEvent(GuiEvent const& event)
{
    if (event.type != GuiButtonClicked)
        return;
    const std::string& name = event.source->GetName();
    if (name == "play")
    {
        m_preferences->SetPlayerType(PlayerTypeOfIndex(m_playerTypeField->GetIndex()));
        m_gameManager->SetNextGameMode(new PlayMode);
    }
    else if (name == "calibration")
    {
        m_gameManager->SetNextGameMode(new CalibrationMode(new MenuMode));
    }
    else if (name == "exit")
    {
        m_renderWindow->close();
    }
}

GuiManager* MenuMode::GetGuiManager()
{
    return &m_guiManager;
}
