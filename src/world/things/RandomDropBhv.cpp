#include "world/things/RandomDropBhv.h"

#include <cstdio>
#include <stdexcept>

#include <boost/regex.hpp>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "world/RandomManager.h"
#include "world/things/ThingRootBhv.h"

RandomDropBhv::RandomDropBhv() {
    RegisterProperty("NoDropWeight", &NoDropWeight);
    RegisterProperty("Drop1Name", &Drop1Name);
    RegisterProperty("Drop2Name", &Drop2Name);
    RegisterProperty("Drop3Name", &Drop3Name);
    RegisterProperty("Drop1Weight", &Drop1Weight);
    RegisterProperty("Drop2Weight", &Drop2Weight);
    RegisterProperty("Drop3Weight", &Drop3Weight);
}

void RandomDropBhv::Drop(Vector2 position) {
    ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    RandomManager* random = Service<RandomManager>::TryGet();
    if (!things || !random) {
        return;
    }
    const float weights[4] = {NoDropWeight, Drop1Weight, Drop2Weight, Drop3Weight};
    const std::string* names[4] = {nullptr, &Drop1Name, &Drop2Name, &Drop3Name};
    const float total = weights[0] + weights[1] + weights[2] + weights[3];
    const float r = total > 0.0f ? random->UniformFloat(0.0f, total) : 0.0f;
    int chosen = 0;
    float running = 0.0f;
    for (int i = 0; i < 4; ++i) {
        running += weights[i];
        if (running >= r) {
            chosen = i;
            break;
        }
    }
    if (!names[chosen] || names[chosen]->empty()) {
        return;
    }
    const std::string& name = *names[chosen];

    if (name.find("Item_") != std::string::npos) {
        things->SpawnItemPickup(1, name, position);
    } else if (name == "Heart") {
        things->SpawnHeartPickup(position);
    } else if (name == "Upgrade") {
        static const char* const Upgrades[3] = {"Pkup_HealthUp", "Pkup_StorageUp", "Pkup_SpeedUp"};
        things->SpawnPickup(Upgrades[random->UniformInt(0, 2)], position);
    } else if (name.compare(0, 6, "Money_") == 0) {
        static const boost::regex MoneyPattern("Money_(\\d+)to(\\d+)");
        boost::smatch match;
        if (!boost::regex_match(name, match, MoneyPattern)) {
            return;
        }
        int low = 0;
        int high = 0;
        try {
            low = std::stoi(match[1].str());
            high = std::stoi(match[2].str());
        } catch (const std::out_of_range&) {
            // A content mistake must not end the game: drop nothing and say where it is.
            std::fprintf(stderr,
                         "kelvane: drop \"%s\" of prefab \"%s\" has a number out of range; nothing dropped\n",
                         name.c_str(), Owner ? Owner->PrefabName.c_str() : "");
            return;
        }
        const int count = random->UniformInt(low, high);
        for (int i = 0; i < count; ++i) {
            things->SpawnPickup("Pkup_Money1", position);
        }
    } else {
        things->SpawnThing(name, position);
    }
}
