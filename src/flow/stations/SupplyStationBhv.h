#pragma once

#include "core/Behavior.h"

class b2Contact;
class b2Fixture;

// A supply station: the submarine touching its second fixture opens the store, at most once per
// half second.
class SupplyStationBhv : public Behavior {
public:
    static constexpr const char* ClassName = "SupplyStationBhv";
    static constexpr float CooldownSeconds = 0.5f;

    // Binds the touch handler and files the station where its body stands.
    void Start() override;

    void OnBeginContact(b2Contact* contact, b2Fixture* other);
    // How often the store was asked for; the store menu counts on this call.
    int MenuRequests() const { return menuRequests_; }

    bool isBusy = false;

private:
    void OpenStore();
    CoCommand CooldownStep(int step);

    int menuRequests_ = 0;
};
