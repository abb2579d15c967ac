#include "gui/GuiDrawableButton.h"

#include "gui/ComposedStretchableDrawable.h"

#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <utility>

namespace
{
sf::Sprite* LookOf(const sf::Texture& image, const sf::Rect<int>& rect)
{
    sf::Sprite* sprite = new sf::Sprite(image, rect);
    sprite->setColor(sf::Color(255, 255, 255, 255));
    return sprite;
}
}

GuiDrawableButton::Look GuiDrawableButton::Adopt(sf::Drawable* drawable)
{
    Look look;
    look.drawable.reset(drawable);
    look.placement = dynamic_cast<sf::Transformable*>(drawable);
    return look;
}

GuiDrawableButton::GuiDrawableButton(const sf::Vector2<float>& position, unsigned width, unsigned height,
    sf::Drawable* normal, sf::Drawable* mouseOver, sf::Drawable* pressed, std::string name)
    : GuiButton(GuiButtonType, position, std::move(name))
    , m_width(width)
    , m_height(height)
    , m_normal(Adopt(normal))
    , m_mouseOver(Adopt(mouseOver))
    , m_pressed(Adopt(pressed))
{
    for (Look* look : { &m_normal, &m_mouseOver, &m_pressed })
    {
        if (!look->drawable)
            BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("GuiDrawableButton needs a look for every state"));
        if (look->placement == nullptr)
            BOOST_THROW_EXCEPTION(ExceptionBase()
                << ErrorMessage("GuiDrawableButton needs looks that are sf::Transformable"));
        look->placement->setPosition(GetAbsolutePosition());
    }
}

GuiDrawableButton::~GuiDrawableButton() = default;

void GuiDrawableButton::Draw()
{
    if (!IsVisible())
        return;
    m_gameManager->GetRenderWindow()->draw(GetLook(GetState()));
    DrawOverlays();
}

float GuiDrawableButton::GetWidth() const
{
    return static_cast<float>(m_width);
}

float GuiDrawableButton::GetHeight() const
{
    return static_cast<float>(m_height);
}

void GuiDrawableButton::MoveChildren(const sf::Vector2<float>& delta)
{
    GuiButton::MoveChildren(delta);
    m_normal.placement->move(delta);
    m_mouseOver.placement->move(delta);
    m_pressed.placement->move(delta);
}

const sf::Drawable& GuiDrawableButton::GetLook(GuiButtonState state) const
{
    switch (state)
    {
    case GuiButtonStateMouseOver:
        return *m_mouseOver.drawable;
    case GuiButtonStatePressed:
        return *m_pressed.drawable;
    default:
        return *m_normal.drawable;
    }
}

GuiDrawableButton* GuiDrawableButton::Create(const sf::Vector2<float>& position, const sf::Texture& image,
    const sf::Rect<int>& normal, const sf::Rect<int>& mouseOver, const sf::Rect<int>& pressed, std::string name)
{
    std::unique_ptr<sf::Drawable> normalLook(LookOf(image, normal));
    std::unique_ptr<sf::Drawable> mouseOverLook(LookOf(image, mouseOver));
    std::unique_ptr<sf::Drawable> pressedLook(LookOf(image, pressed));
    return new GuiDrawableButton(position, static_cast<unsigned>(normal.width), static_cast<unsigned>(normal.height),
        normalLook.release(), mouseOverLook.release(), pressedLook.release(), std::move(name));
}

GuiDrawableButton* GuiDrawableButton::Create(const sf::Vector2<float>& position, const sf::Texture& image,
    int normal, int mouseOver, int pressed, std::string name)
{
    // A negative index would cut its frame above the strip.
    if (std::min({ normal, mouseOver, pressed }) < 0)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("GuiDrawableButton frame indices cannot be negative"));
    const int frames = std::max({ normal, mouseOver, pressed }) + 1;
    const int width = static_cast<int>(image.getSize().x);
    const int frameHeight = static_cast<int>(image.getSize().y) / frames;
    auto frame = [&](int index) { return sf::Rect<int>(0, index * frameHeight, width, frameHeight); };
    return Create(position, image, frame(normal), frame(mouseOver), frame(pressed), std::move(name));
}

GuiDrawableButton* GuiDrawableButton::Create(const sf::Vector2<float>& position, unsigned width, unsigned height,
    const ComposedStretchableDrawableConstructor& normal, const ComposedStretchableDrawableConstructor& mouseOver,
    const ComposedStretchableDrawableConstructor& pressed, std::string name)
{
    auto look = [&](const ComposedStretchableDrawableConstructor& description) {
        return new ComposedStretchableDrawable(
            description, static_cast<float>(width), static_cast<float>(height), true);
    };
    // Held until the button takes them, so none is lost if a later one fails.
    std::unique_ptr<sf::Drawable> normalLook(look(normal));
    std::unique_ptr<sf::Drawable> mouseOverLook(look(mouseOver));
    std::unique_ptr<sf::Drawable> pressedLook(look(pressed));
    return new GuiDrawableButton(position, width, height, normalLook.release(), mouseOverLook.release(),
        pressedLook.release(), std::move(name));
}
