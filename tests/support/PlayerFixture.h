#pragma once

#include <map>
#include <string>

#include "CountThings.h"
#include "WorldFixture.h"
#include "audio/CueComponent.h"
#include "audio/CueManagerBhv.h"
#include "audio/RegisterAudioClasses.h"
#include "core/Behavior.h"
#include "input/InputManager.h"
#include "physics/B2BodyComponent.h"
#include "player/RegisterPlayerClasses.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "player/sub/SubRootBhv.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

// Counts the cues played by name: the test cue prefabs carry it beside their CueComponent.
class CueCounterBhv : public Behavior {
public:
    static constexpr const char* ClassName = "CueCounterBhv";
    static inline std::map<std::string, int> Played;

    void Start() override {
        if (CueComponent* cue = Owner->GetComponentOfType<CueComponent>()) {
            GameObject* owner = Owner;
            cue->SetTrigger(this, [owner] {
                ++Played[owner->PrefabName.substr(4)];
                owner->DestroyLater();
            });
        }
    }
};

// A stand-in creature: the Enemy shortcut slot with the values the player's side reads.
class TestEnemyComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "TestEnemyComponent";
    TestEnemyComponent() {
        RegisterProperty("Hardness", &Hardness);
        RegisterProperty("ContactDamage", &ContactDamage);
        RegisterProperty("IsShrimp", &IsShrimp);
        RegisterProperty("AllowPassThru", &AllowPassThru);
    }
    ShortcutSlot Slot() const override { return ShortcutSlot::Enemy; }
    int Hardness = 5;
    int ContactDamage = 1;
    bool IsShrimp = false;
    bool AllowPassThru = false;
};

// The world fixture with the player's classes and a playing scene: a thing root, the sub root with
// its two layers and a weightless, undamped submarine at its spawn point, an inventory, a cue
// manager whose cues are counted, and an input manager with the game's bindings. Item and pickup
// prefabs are the tests' to add (AddItem, AddPickup).
class PlayerFixture : public WorldFixture {
protected:
    PlayerFixture() {
        RegisterAudioClasses(prefabs.Registry);
        RegisterPlayerClasses(prefabs.Registry);
        prefabs.Registry.Register<CueCounterBhv>();
        prefabs.Registry.Register<TestEnemyComponent>();
        prefabs.Registry.BuildPrototypes();
        CueCounterBhv::Played.clear();
        for (const char* cue : {"Death", "SubDamage", "RocketBoost", "RocketBoostEnd", "DrillTooHard",
                                "DrillDamage", "BlockPlaced", "BombBlast", "BombBeep", "NukeBeep",
                                "ItemsUnlocked", "HealthRestore", "MoneyPickup", "Upgrade", "ItemPickup"}) {
            AddPrefab(std::string("Cue_") + cue,
                      R"({"Components": {"CueComponent": "", "CueCounterBhv": ""}, "AutoCreate": ""})");
        }
        AddPrefab("ThingsIncoming", R"({"Components": "", "AutoCreate": ""})");
        AddPrefab("Layer", R"({"Components": "", "AutoCreate": ""})");
        AddPrefab("Sub_Test", R"({"Components": {
            "B2BodyComponent": {"Type": "2", "GravityScale": "0"},
            "B2FixtureComponent": {"Shape": "Polygon -0.9 -0.4 0.9 -0.4 0.9 0.2 -0.5 0.5"},
            "SpriteComponent": {"Size": {"X": "2", "Y": "1"}},
            "SubBhv": ""}, "AutoCreate": ""})");
        AddItem("Item_PlasticDrill", R"("IsWeapon": "true")", R"("DrillBhv": "")");

        Bind(Action::MoveUp, Key::W);
        Bind(Action::MoveDown, Key::S);
        Bind(Action::MoveLeft, Key::A);
        Bind(Action::MoveRight, Key::D);
        Bind(Action::MainWeapon, Key::LeftMouse);

        cues = Add("Cues", new CueManagerBhv());
        things = new GameObject("ThingsIncoming");
        auto* thingsObject = new GameObject();
        thingsObject->AppendChild(things);
        thingRoot = new ThingRootBhv();
        thingRoot->SpawnInterval = 1e9f;
        thingsObject->AddComponent(thingRoot);
        root.AppendChild(thingsObject);
        thingRoot->Start();

        subRootObject = Add("SubRoot", new SubRootBhv());
        subRootObject->AppendChild(Named(new GameObject("Layer"), "SubBackLayer"));
        sub = new GameObject("Sub_Test");
        subRootObject->AppendChild(sub);
        subRootObject->AppendChild(Named(new GameObject("Layer"), "SubFrontLayer"));
        subBhv = sub->GetComponentOfType<SubBhv>();
        Body()->SetLinearDamping(0.0f);
        Body()->SetAngularDamping(0.0f);

        inventoryObject = Add("Inventory", inventory = new InventoryBhv());
    }

    ~PlayerFixture() override {
        queues.Flush();
        ClearTree();
    }

    // An "Item_" prefab: extra ItemComponent properties and extra components, as JSON members.
    void AddItem(const std::string& name, const std::string& itemProperties = "",
                 const std::string& components = "") {
        AddPrefab(name, R"({"Components": {"ItemComponent": )" +
                            (itemProperties.empty() ? std::string(R"("")") : "{" + itemProperties + "}") +
                            (components.empty() ? "" : ", " + components) + R"(}, "AutoCreate": ""})");
    }
    // A pickup thing with a small dynamic body and the given behaviour.
    void AddPickup(const std::string& name, const std::string& behaviour) {
        AddPrefab(
            name,
            R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "2", "GravityScale": "0"},
                   "B2FixtureComponent": {"Shape": "Circle 0.3"}, "SpriteComponent": "", "TintComponent": "", )" +
                behaviour + R"(}, "AutoCreate": ""})");
    }

    // An object under root carrying the behaviour, started as the tree would start it.
    template <class T> GameObject* Add(const std::string& name, T* behaviour) {
        auto* object = new GameObject();
        object->Name = name;
        object->AddComponent(behaviour);
        root.AppendChild(object);
        behaviour->Start();
        return object;
    }
    static GameObject* Named(GameObject* object, const std::string& name) {
        object->Name = name;
        return object;
    }

    void Bind(Action action, Key key) { input.Mappings.emplace(action, key); }
    // Presses or lets go of a key; a key let go is up at once, with no frame update between (the game's
    // pump keeps a tap down until the next one).
    void Hold(Key key, bool down = true) {
        input.SetKeyState(key, down);
        if (!down) {
            const size_t i = static_cast<size_t>(key);
            input.CurrentKeys.reset(i);
            input.BegunKeys.reset(i);
            input.TappedKeys.reset(i);
        }
    }
    // Ends a frame of input: what is held now was held before, and no press is new.
    void SettleInput() {
        input.PreviousKeys = input.CurrentKeys;
        input.BegunKeys.reset();
        input.TappedKeys.reset();
    }
    // A frame, then the input update that opens the next one, as the game's loop runs them: a key
    // held down is pressed in the frame it went down and fired (moving through menus) in the next.
    void Step() {
        RunFrame();
        input.FrameUpdate();
    }
    // A key pressed for one frame and released for the next.
    void Press(Key key) {
        Hold(key);
        Step();
        Hold(key, false);
        Step();
    }

    b2Body* Body() const { return sub->Body()->GetBody(); }
    void PlaceSub(Vector2 p) { sub->Body()->SetPosition(p.x, p.y); }
    int Played(const std::string& cue) const {
        const auto it = CueCounterBhv::Played.find(cue);
        return it == CueCounterBhv::Played.end() ? 0 : it->second;
    }
    int CountThings(const std::string& prefab) const { return ::CountThings(*thingRoot, prefab); }
    int HeldObjects() const {
        int n = 0;
        for (GameObject* child : inventoryObject->Children) {
            n += child->PendingDestroy ? 0 : 1;
        }
        return n;
    }

    InputManager input;
    Service<InputManager>::Scoped inputScope{input};
    GameObject* cues = nullptr;
    GameObject* things = nullptr;
    ThingRootBhv* thingRoot = nullptr;
    GameObject* subRootObject = nullptr;
    GameObject* sub = nullptr;
    SubBhv* subBhv = nullptr;
    GameObject* inventoryObject = nullptr;
    InventoryBhv* inventory = nullptr;
};
