#pragma once

// Something advanced once per frame.
class IProcessable
{
public:
    virtual ~IProcessable() = default;

    // False when the object is finished and its owner is to remove it.
    virtual bool Process() = 0;
};
