#include "platform/StateFolder.h"

#include "platform/UserFolder.h"

std::filesystem::path GetStateFolder() {
    return UserFolder("XDG_STATE_HOME", ".local/state") / "Kelvane/";
}
