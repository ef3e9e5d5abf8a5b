#include "PrefabFixture.h"

#include <fstream>
#include <random>
#include <sstream>

#include "core/GameObject.h"

void ProbeBhv::Start() {
    ++Starts;
    StartLog.push_back(Owner ? Owner->PrefabName : "?");
}

void OtherBhv::Start() {
    ++Starts;
}

void RegisterTestClasses(ComponentRegistry& registry) {
    registry.Register<Pos2dComponent>();
    registry.Register<ProbeBhv>("ProbeBhv");
    registry.Register<OtherBhv>("OtherBhv");
}

void PrefabTest::SetUp() {
    std::random_device rd;
    folder = std::filesystem::temp_directory_path() / ("kelvane-prefabs-" + std::to_string(rd()));
    std::filesystem::create_directories(folder);
    ProbeBhv::StartLog.clear();
}

void PrefabTest::TearDown() {
    std::filesystem::remove_all(folder);
}

void PrefabTest::Write(const std::string& fileName, const std::string& text) {
    std::ofstream(folder / fileName, std::ios::binary) << text;
}

std::string PrefabTest::Read(const std::string& fileName) const {
    std::ifstream in(folder / fileName, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void PrefabTest::LoadAll() {
    manager.RegisterAll(RegisterTestClasses, folder);
}
