#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Behavior.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "prefabs/PrefabManager.h"

// A behaviour recording the order of Start calls across all instances.
class ProbeBhv : public Behavior {
public:
    ProbeBhv() {
        RegisterProperty("Speed", &Speed);
        RegisterProperty("Label", &Label);
        RegisterProperty("Tint", &Tint);
        RegisterProperty("Area", &Area);
    }
    void Start() override;
    float Speed = 1.0f;
    std::string Label;
    Color Tint = Color::White();
    Rect Area;
    int Starts = 0;
    static inline std::vector<std::string> StartLog;
};

class OtherBhv : public Behavior {
public:
    OtherBhv() { RegisterProperty("Count", &Count); }
    void Start() override;
    int Count = 0;
    int Starts = 0;
};

void RegisterTestClasses(ComponentRegistry& registry);

// A temporary prefab folder, a manager installed as the service, and the test classes registered.
class PrefabTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Write(const std::string& fileName, const std::string& text);
    std::string Read(const std::string& fileName) const;
    // Registers the test classes, builds prototypes, loads the folder.
    void LoadAll();

    std::filesystem::path folder;
    PrefabManager manager;
    Service<PrefabManager>::Scoped installed{manager};
};
