// The interface every game entity implements, and the empty object.
//
// Call_Initial runs once right after creation and receives the object's own
// slot in the object pack; Call_Events runs once per frame and returns true
// when the object wants to be removed (the pack removes it on its next step).
// No exception may leave Call_Events.
#pragma once

class GameObject {
public:
    virtual ~GameObject() = default;
    virtual void Call_Initial(int& slot) = 0;
    virtual bool Call_Events() = 0;
};

// Does nothing and never asks to be removed; the pack's group markers hold one.
class CQ7Nop final : public GameObject {
public:
    void Call_Initial(int&) override {}
    bool Call_Events() override { return false; }
};
