#include "ui/hud/HudBossMeterBhv.h"

#include <algorithm>

#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "enemies/damage/EnemyComponent.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "ui/hud/HudShow.h"

HudBossMeterBhv::HudBossMeterBhv() {
    RegisterProperty("EmptyTeasePercent", &EmptyTeasePercent);
}

HudBossMeterBhv::~HudBossMeterBhv() {
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossAppeared.Unsubscribe(this);
        events->Boss->BossDefeated.Unsubscribe(this);
        events->Boss->BossRemoved.Unsubscribe(this);
        events->Game->WorldLoaded.Unsubscribe(this);
        events->Game->WorldGenerated.Unsubscribe(this);
    }
}

void HudBossMeterBhv::Start() {
    bar_ = FindChild("Bar");
    if (bar_) {
        // A bar the editor rebuilds later comes back as the prefab made it, so these still hold.
        if (const Pos2dComponent* pos = bar_->Pos2d()) {
            baseX_ = pos->Pos.x;
        }
        if (const SpriteComponent* sprite = bar_->Sprite()) {
            baseWidth_ = sprite->Size.x;
        }
    }
    if (Events* events = Service<Events>::TryGet()) {
        auto boss = [](BossEventArgs* args) {
            return args ? args->Boss : nullptr;
        };
        events->Boss->BossAppeared.Subscribe(this,
                                             [this, boss](BossEventArgs* a) { OnBossAppeared(boss(a)); });
        events->Boss->BossDefeated.Subscribe(this, [this, boss](BossEventArgs* a) { OnBossGone(boss(a)); });
        events->Boss->BossRemoved.Subscribe(this, [this, boss](BossEventArgs* a) { OnBossGone(boss(a)); });
        events->Game->WorldLoaded.Subscribe(this, [this](void*) { Reset(); });
        events->Game->WorldGenerated.Subscribe(this, [this](void*) { Reset(); });
    }
    SetShown(Owner, false);
}

void HudBossMeterBhv::OnBossAppeared(GameObject* boss) {
    if (!boss ||
        std::any_of(bosses_.begin(), bosses_.end(), [boss](const auto& b) { return b.Get() == boss; })) {
        return;
    }
    bosses_.push_back(boss);
    if (const EnemyComponent* enemy = boss->Enemy()) {
        total_ += enemy->HealthStart;
    }
    SetShown(Owner, true);
}

void HudBossMeterBhv::OnBossGone(GameObject* boss) {
    std::erase_if(bosses_, [boss](const Handle<GameObject>& b) { return !b || b.Get() == boss; });
    if (bosses_.empty()) {
        SetShown(Owner, false);
        total_ = 0;
    }
}

void HudBossMeterBhv::Reset() {
    bosses_.clear();
    total_ = 0;
    SetShown(Owner, false);
}

float HudBossMeterBhv::Fill() const {
    int health = 0;
    for (const Handle<GameObject>& boss : bosses_) {
        if (const EnemyComponent* enemy = boss ? boss->Enemy() : nullptr) {
            health += enemy->Health;
        }
    }
    const float t = static_cast<float>(total_);
    const float e = EmptyTeasePercent / 100.0f;
    const float span = t * (1.0f - e);
    // No bosses (or a tease of the whole total) leaves nothing to measure: the bar is empty.
    if (!(span > 0.0f)) {
        return 0.0f;
    }
    return std::clamp(std::max(static_cast<float>(health) - t * e, 0.0f) / span, 0.0f, 1.0f);
}

void HudBossMeterBhv::Update() {
    if (!bar_) {
        bar_ = FindChild("Bar");
        if (!bar_) {
            return;
        }
    }
    const float a = Fill();
    if (SpriteComponent* sprite = bar_->Sprite()) {
        sprite->Size.x = baseWidth_ * a;
    }
    if (Pos2dComponent* pos = bar_->Pos2d()) {
        pos->Pos.x = baseX_ - (1.0f - a) * baseWidth_ * 0.5f;
    }
}
