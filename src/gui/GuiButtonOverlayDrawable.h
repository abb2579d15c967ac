#pragma once

#include "gui/GuiButtonOverlay.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/System/String.hpp>

#include <memory>

// An overlay that shows any drawable (shared) of the given size. The
// drawable must also be an sf::Transformable, which the overlay places and
// moves; any other is refused with ExceptionBase.
class GuiButtonOverlayDrawable : public GuiButtonOverlay
{
public:
    GuiButtonOverlayDrawable(const std::shared_ptr<sf::Drawable>& content, float width, float height,
        HorizontalPosition horizontal, VerticalPosition vertical, const sf::Vector2<float>& offset);
    GuiButtonOverlayDrawable(const std::shared_ptr<sf::Drawable>& content, float width, float height,
        HorizontalPosition anchorHorizontal, VerticalPosition anchorVertical, HorizontalPosition contentHorizontal,
        VerticalPosition contentVertical, const sf::Vector2<float>& offset);
    ~GuiButtonOverlayDrawable() override;

    void MoveAbsolutePosition(const sf::Vector2<float>& delta) override;
    void Draw() override;

    // A caption centred on the button. Takes ownership of the text; its
    // visible box, not its line box, is what is centred.
    static GuiButtonOverlayDrawable* Create(sf::Text* text, sf::Color colour);
    static GuiButtonOverlayDrawable* Create(const sf::String& text, const sf::Font& font, float size, sf::Color colour);

private:
    std::shared_ptr<sf::Drawable> m_content;
    sf::Transformable* m_placement;
};
