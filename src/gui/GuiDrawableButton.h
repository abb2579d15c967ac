#pragma once

#include "gui/ComposedStretchableDrawableConstructor.h"
#include "gui/GuiButton.h"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>

#include <memory>
#include <string>

// A stateful button that shows one owned drawable per state.
class GuiDrawableButton : public GuiButton
{
public:
    // Takes ownership of the three looks, which must also be sf::Transformable
    // (the button places and moves them); any other look, or a null one, is
    // refused with ExceptionBase.
    GuiDrawableButton(const sf::Vector2<float>& position, unsigned width, unsigned height, sf::Drawable* normal,
        sf::Drawable* mouseOver, sf::Drawable* pressed, std::string name);
    ~GuiDrawableButton() override;

    void Draw() override;
    float GetWidth() const override;
    float GetHeight() const override;
    void MoveChildren(const sf::Vector2<float>& delta) override;

    // The looks are the three sub-rectangles of the image; the button is as
    // large as the normal one.
    static GuiDrawableButton* Create(const sf::Vector2<float>& position, const sf::Texture& image,
        const sf::Rect<int>& normal, const sf::Rect<int>& mouseOver, const sf::Rect<int>& pressed, std::string name);
    // The image is a vertical strip of equal frames, as many as the largest
    // index + 1; the looks are the frames of the three indices (not negative).
    static GuiDrawableButton* Create(const sf::Vector2<float>& position, const sf::Texture& image, int normal,
        int mouseOver, int pressed, std::string name);

    // The looks are composed drawables of the given size (snapped) made from
    // the three descriptions; the button has that size.
    static GuiDrawableButton* Create(const sf::Vector2<float>& position, unsigned width, unsigned height,
        const ComposedStretchableDrawableConstructor& normal, const ComposedStretchableDrawableConstructor& mouseOver,
        const ComposedStretchableDrawableConstructor& pressed, std::string name);

    // The drawable shown in a state, for tests and subclasses.
    const sf::Drawable& GetLook(GuiButtonState state) const;

private:
    struct Look
    {
        std::unique_ptr<sf::Drawable> drawable;
        sf::Transformable* placement;
    };

    static Look Adopt(sf::Drawable* drawable);

    unsigned m_width;
    unsigned m_height;
    Look m_normal;
    Look m_mouseOver;
    Look m_pressed;
};
