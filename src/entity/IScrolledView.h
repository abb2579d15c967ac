#pragma once

// The world view that scrolls right as the dragon advances; enemies and
// collectibles compare their position with its left edge.
class IScrolledView
{
public:
    virtual ~IScrolledView() = default;

    // The left edge of the scrolled view in world coordinates, in whole pixels.
    virtual float GetShiftX() const = 0;
};
