#pragma once

#include <gtest/gtest.h>

#include <string>

#include "SceneFixture.h"
#include "audio/CueManagerBhv.h"
#include "audio/RegisterAudioClasses.h"
#include "audio/SoundManager.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"

#include "AudioTestFiles.h"

// A tree with a cue manager, the cue classes registered, sounds in <temp>/Sounds/Main and cue
// prefabs in <temp>/Prefabs; frames run the sound update, the update pass and the flush.
class CueFixture : public SceneFixture {
protected:
    explicit CueFixture(AudioSystem::Device device = AudioSystem::Device::Silent) : device_(device) {}
    // The cue objects go while the sound manager still lives.
    ~CueFixture() override { ClearTree(); }

    // A one-shot or looped cue prefab "Cue_" + name.
    void WriteCue(const std::string& name, const std::string& behaviour, const std::string& sound,
                  const std::string& extraProperties = "") {
        WriteText(folder / "Prefabs" / ("Cue_" + name + ".json"),
                  R"({"Components": {"CueComponent": "", ")" + behaviour + R"(": {"SoundName": ")" + sound +
                      "\"" + extraProperties + R"(}}, "AutoCreate": ""})");
    }

    // Loads the prefabs and sounds written so far and builds the cue manager object.
    void Start() {
        WriteText(folder / "Prefabs" / "CueManager.json",
                  R"({"Components": {"CueManagerBhv": ""}, "AutoCreate": ""})");
        prefabs.RegisterAll(RegisterAudioClasses, folder / "Prefabs");
        sounds = std::make_unique<SoundManager>(device_, (folder / "Sounds").string());
        soundScope.emplace(*sounds);
        std::filesystem::create_directories(folder / "Sounds" / "Main");
        sounds->loadBank("Main");
        root.AppendChild(new GameObject("CueManager"));
        cueRoot = root.Children.back();
    }

    void RunFrame() {
        sounds->Update(time.FrameDelta);
        UpdatePass(root);
        queues.Flush();
    }

    // Frames until the cue manager has no children, at most limit.
    int FramesUntilNoCues(int limit = 1000) {
        int frames = 0;
        while (!cueRoot->Children.empty() && frames < limit) {
            RunFrame();
            frames++;
        }
        return frames;
    }

    TestFolder folder;
    std::unique_ptr<SoundManager> sounds;
    std::optional<Service<SoundManager>::Scoped> soundScope;
    GameObject* cueRoot = nullptr;

private:
    AudioSystem::Device device_;
};
