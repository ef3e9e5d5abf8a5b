#pragma once

// Whoever shows the supply-station store (the menu root). Stations sit below the menus, so they
// reach the store only through this interface: WellKnown<SupplyStoreOpener>, set by the object that
// implements it. Without one, touching a station opens nothing.
class SupplyStoreOpener {
public:
    virtual ~SupplyStoreOpener() = default;
    virtual void OpenSupplyStore() = 0;
};
