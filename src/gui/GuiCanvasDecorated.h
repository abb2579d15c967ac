#pragma once

#include "gui/GuiCanvas.h"
#include "gui/GuiElement.h"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Transformable.hpp>

#include <memory>
#include <string>

class ComposedStretchableDrawableConstructor;

// A framed panel: an owned background drawable and one owned inner canvas
// that holds the panel's widgets, placed relative to the panel.
class GuiCanvasDecorated : public GuiElement
{
public:
    // Takes ownership of both. The decoration must also be an sf::Transformable
    // (the panel places and moves it); a null pointer or a decoration that
    // cannot be placed is refused with ExceptionBase.
    GuiCanvasDecorated(const sf::Vector2<float>& position, const float& width, const float& height,
        sf::Drawable* decoration, GuiCanvas* inner, std::string name);
    ~GuiCanvasDecorated() override;

    // A panel framed by the description at width x height (a size the description
    // can take), with an empty inner canvas filling the frame inside its borders,
    // moved by innerShift. The panel's box may reach extraWidth beyond its frame.
    static GuiCanvasDecorated* CreateFramed(const ComposedStretchableDrawableConstructor& frame,
        const sf::Vector2<float>& position, unsigned width, unsigned height, const sf::Vector2<float>& innerShift,
        float extraWidth = 0.0f);

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
    float GetWidth() const override;
    float GetHeight() const override;
    void MoveChildren(const sf::Vector2<float>& delta) override;
    void RegisterGuiManagerForChildren(GuiManager* manager) override;

    GuiCanvas* GetInnerCanvas();

private:
    float m_width;
    float m_height;
    std::unique_ptr<GuiCanvas> m_innerCanvas;
    std::unique_ptr<sf::Drawable> m_decoration;
    // The decoration, seen as the transformable it must be.
    sf::Transformable* m_decorationPlacement;
};
