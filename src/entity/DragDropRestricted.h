#pragma once

#include "entity/SpriteEntity.h"

// The knob of the mouse-only widgets: follows the pointer along one axis,
// between a minimum and a maximum, while the pointer rests on it. No mouse
// button is involved.
class DragDropRestricted : public SpriteEntity
{
public:
    enum Restriction
    {
        RestrictionHorizontal = 0,
        RestrictionVertical = 1
    };

    // The knob starts at the minimum of its track; fixed is the coordinate on the other axis.
    DragDropRestricted(
        sf::Texture const& texture, Restriction restriction, float minimum, float maximum, float fixed);

    ~DragDropRestricted() override;
    // Follows mouse-moved events; every other event is ignored.
    void HandleEvent(const sf::Event& event) override;
    // Moves the knob and its track together.
    void SetPos(const sf::Vector2<float>& pos) override;

    // Moves the knob within its track; the track stays.
    void SetPosRestricted(const sf::Vector2<float>& pos);
    void SetMovableValue(float value);
    float GetMovableValue() const;
    bool IsMouseOver() const;
    bool IsOnMin() const;
    bool IsOnMax() const;
    float GetMin() const;
    float GetMax() const;

private:
    // The pointer is in the coordinates of the current view.
    void FollowPointer(const sf::Vector2<float>& pointer);
    bool IsOver(const sf::Vector2<float>& pointer);

    Restriction m_restriction;
    float m_minimum;
    float m_maximum;
    bool m_mouseOver;
    sf::Vector2<float> m_lastMousePos;
};
