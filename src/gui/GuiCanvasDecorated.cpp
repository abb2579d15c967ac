#include "gui/GuiCanvasDecorated.h"

#include "gui/ComposedStretchableDrawable.h"
#include "gui/ComposedStretchableDrawableConstructor.h"
#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"

#include <SFML/Graphics/RenderWindow.hpp>

GuiCanvasDecorated::GuiCanvasDecorated(const sf::Vector2<float>& position, const float& width, const float& height,
    sf::Drawable* decoration, GuiCanvas* inner, std::string name)
    : GuiElement(GuiCanvasType, position, name)
    , m_width(width)
    , m_height(height)
    , m_innerCanvas(inner)
    , m_decoration(decoration)
    , m_decorationPlacement(dynamic_cast<sf::Transformable*>(decoration))
{
    if (!m_innerCanvas)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("GuiCanvasDecorated needs an inner canvas"));
    if (!m_decoration)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("GuiCanvasDecorated needs a decoration"));
    if (m_decorationPlacement == nullptr)
        BOOST_THROW_EXCEPTION(ExceptionBase()
            << ErrorMessage("GuiCanvasDecorated needs a decoration that is an sf::Transformable"));
    m_innerCanvas->MoveAbsolutePosition(GetAbsolutePosition());
    m_decorationPlacement->setPosition(GetAbsolutePosition());
}

GuiCanvasDecorated* GuiCanvasDecorated::CreateFramed(const ComposedStretchableDrawableConstructor& frame,
    const sf::Vector2<float>& position, unsigned width, unsigned height, const sf::Vector2<float>& innerShift,
    float extraWidth)
{
    const unsigned left = frame.GetLeftBorder();
    const unsigned top = frame.GetTopBorder();
    auto* decoration =
        new ComposedStretchableDrawable(frame, static_cast<float>(width), static_cast<float>(height), true);
    auto* inner = new GuiCanvas(
        sf::Vector2<float>(static_cast<float>(left), static_cast<float>(top)) + innerShift,
        static_cast<float>(width - left - frame.GetRightBorder()),
        static_cast<float>(height - top - frame.GetBottomBorder()), "");
    return new GuiCanvasDecorated(position, static_cast<float>(width) + extraWidth, static_cast<float>(height),
        decoration, inner, "");
}

GuiCanvasDecorated::~GuiCanvasDecorated()
{
    m_decoration.reset();
    m_innerCanvas.reset();
}

bool GuiCanvasDecorated::HandleEvent(const sf::Event& event, bool handled)
{
    if (!IsVisible())
        return false;
    if (m_innerCanvas->HandleEvent(event, handled))
        return true;
    if (handled)
        return false;
    return HandleMouseEvent(event);
}

void GuiCanvasDecorated::Process()
{
    if (IsVisible())
        m_innerCanvas->Process();
}

void GuiCanvasDecorated::Draw()
{
    if (!IsVisible())
        return;
    m_gameManager->GetRenderWindow()->draw(*m_decoration);
    m_innerCanvas->Draw();
}

float GuiCanvasDecorated::GetWidth() const
{
    return m_width;
}

float GuiCanvasDecorated::GetHeight() const
{
    return m_height;
}

void GuiCanvasDecorated::MoveChildren(const sf::Vector2<float>& delta)
{
    m_decorationPlacement->move(delta);
    m_innerCanvas->MoveAbsolutePosition(delta);
}

void GuiCanvasDecorated::RegisterGuiManagerForChildren(GuiManager* manager)
{
    m_innerCanvas->RegisterGuiManager(manager);
}

GuiCanvas* GuiCanvasDecorated::GetInnerCanvas()
{
    return m_innerCanvas.get();
}
