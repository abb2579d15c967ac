#pragma once

#include "entity/IDrawable.h"
#include "entity/IHandleEvents.h"
#include "entity/IProcessable.h"

// Everything that is drawn, processed once per frame and given window events.
// Owners hold entities through this interface, so its destruction is virtual.
class IEntity : public IDrawable, public IProcessable, public IHandleEvents
{
public:
    ~IEntity() override = default;
};
