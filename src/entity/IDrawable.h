#pragma once

// Something that draws itself on the game's render window.
class IDrawable
{
public:
    virtual ~IDrawable() = default;

    virtual void Draw() = 0;
};
