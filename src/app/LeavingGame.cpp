#include "app/LeavingGame.h"

#include <cstdio>

#include "core/WellKnown.h"
#include "platform/Window.h"
#include "saves/SlotFiles.h"
#include "ui/autosave/AutosaveBhv.h"

LeavingGame::LeavingGame(Window& window) : window_(window) {}

void LeavingGame::RequestExit() {
    window_.RequestClose();
}

void LeavingGame::WindowClosed() {
    AutosaveBhv* autosave = WellKnown<AutosaveBhv>::Get();
    if (autosave && autosave->SaveOnLeaving()) {
        std::printf("kelvane: progress kept in the autosave, %s\n", SlotPath(AutosaveSlot).c_str());
    }
}
