#pragma once

#include "core/Behavior.h"

// Marks the object under which the submarine and its tools' displays hang (the layers
// "SubBackLayer" and "SubFrontLayer"); its owner is reached through SubRoot().
class SubRootBhv : public Behavior {
public:
    static constexpr const char* ClassName = "SubRootBhv";

    ~SubRootBhv() override;
    void Start() override;
};

class GameObject;
// The registered sub root object, or null.
GameObject* SubRoot();
