#include "platform/SaveFolder.h"

#include "platform/UserFolder.h"

std::filesystem::path GetSaveFolder() {
    return UserFolder("XDG_DATA_HOME", ".local/share") / "Kelvane/";
}
