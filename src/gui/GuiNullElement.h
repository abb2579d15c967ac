#pragma once

#include "gui/GuiElement.h"

// The source of GUI events that hit no element: at (0, 0), without a name or
// a size, and doing nothing.
class GuiNullElement : public GuiElement
{
public:
    GuiNullElement();
    ~GuiNullElement() override;

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
};
