#include "gui/GuiButtonOverlayDrawable.h"

#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"

#include <SFML/Graphics/RenderWindow.hpp>

GuiButtonOverlayDrawable::GuiButtonOverlayDrawable(const std::shared_ptr<sf::Drawable>& content, float width,
    float height, HorizontalPosition horizontal, VerticalPosition vertical, const sf::Vector2<float>& offset)
    : GuiButtonOverlayDrawable(content, width, height, horizontal, vertical, horizontal, vertical, offset)
{
}

GuiButtonOverlayDrawable::GuiButtonOverlayDrawable(const std::shared_ptr<sf::Drawable>& content, float width,
    float height, HorizontalPosition anchorHorizontal, VerticalPosition anchorVertical,
    HorizontalPosition contentHorizontal, VerticalPosition contentVertical, const sf::Vector2<float>& offset)
    : GuiButtonOverlay(anchorHorizontal, anchorVertical, contentHorizontal, contentVertical, offset)
    , m_content(content)
    , m_placement(dynamic_cast<sf::Transformable*>(content.get()))
{
    if (!m_content)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("GuiButtonOverlayDrawable needs content"));
    if (m_placement == nullptr)
        BOOST_THROW_EXCEPTION(ExceptionBase()
            << ErrorMessage("GuiButtonOverlayDrawable needs content that is an sf::Transformable"));
    m_placement->setPosition(GetPositionOfOverlayContent(width, height));
}

GuiButtonOverlayDrawable::~GuiButtonOverlayDrawable() = default;

void GuiButtonOverlayDrawable::MoveAbsolutePosition(const sf::Vector2<float>& delta)
{
    GuiButtonOverlay::MoveAbsolutePosition(delta);
    m_placement->move(delta);
}

void GuiButtonOverlayDrawable::Draw()
{
    m_gameManager->GetRenderWindow()->draw(*m_content);
}

GuiButtonOverlayDrawable* GuiButtonOverlayDrawable::Create(sf::Text* text, sf::Color colour)
{
    if (text == nullptr)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("GuiButtonOverlayDrawable needs content"));
    std::shared_ptr<sf::Drawable> content(text);
    text->setFillColor(colour);
    const sf::FloatRect bounds = text->getLocalBounds();
    // SFML 2.5 starts a text's glyphs below and right of its position (the line's
    // ascent): the origin moves to the glyphs' corner, so the caption really centres.
    text->setOrigin(bounds.left, bounds.top);
    return new GuiButtonOverlayDrawable(
        content, bounds.width, bounds.height, HorizontalPositionCenter, VerticalPositionMiddle, sf::Vector2<float>());
}

GuiButtonOverlayDrawable* GuiButtonOverlayDrawable::Create(
    const sf::String& text, const sf::Font& font, float size, sf::Color colour)
{
    return Create(new sf::Text(text, font, static_cast<unsigned>(size)), colour);
}
