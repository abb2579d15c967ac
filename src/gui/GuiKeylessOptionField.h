#pragma once

#include "gui/GuiElement.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <string>
#include <vector>

class ComposedStretchableDrawable;
class DragDropRestricted;

// A choice among options stacked one below the other, worked by moving the
// mouse alone: a handle on the options' start caps follows the pointer up and
// down while the pointer rests on it, and snaps to the nearest option when the
// pointer leaves it. Raises no GUI event: the owner reads GetIndex.
class GuiKeylessOptionField : public GuiElement
{
public:
    // width is that of the options' bars, without the start cap. An empty list
    // of options or a negative width is refused with ExceptionBase.
    GuiKeylessOptionField(const sf::Vector2<float>& position, int width, const std::vector<std::string>& options,
        std::string name);
    ~GuiKeylessOptionField() override;

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
    float GetWidth() const override;
    float GetHeight() const override;
    void MoveChildren(const sf::Vector2<float>& delta) override;

    // The option the handle stands at; half-way between two options counts as the upper one.
    int GetIndex() const;
    // Puts the handle at the option, clamped to the first and the last.
    void SetIndex(int index);
    // The handle's place for the option.
    float GetIndexHeight(int index) const;

private:
    int IndexOf(float handleValue) const;

    float m_optionHeight;
    int m_width;
    int m_height;
    std::unique_ptr<ComposedStretchableDrawable> m_background;
    std::vector<std::unique_ptr<sf::Text>> m_labels;
    sf::Sprite m_startCap;
    std::shared_ptr<DragDropRestricted> m_handle;
};
