#pragma once

#include <map>
#include <string>
#include <vector>

#include "input/Action.h"
#include "input/Key.h"

// What the player rebinds, and the player's own keymap file: the mappings as a whole, each action's
// keys split by the device that sets them, and the text that keeps only what differs from the
// shipped mappings.

// Action -> keys; equal actions keep their order (the first key is the one hints name).
using ActionMappings = std::multimap<Action, Key>;

// The keyboard and the mouse on one side, the game controller on the other.
enum class KeyDevice { Keyboard, Pad };

KeyDevice DeviceOf(Key key);

// The keys of one device bound to the action, in order.
std::vector<Key> BoundKeys(const ActionMappings& mappings, Action action, KeyDevice device);
// Replaces the action's keys of that device, keeping those of the other device.
void SetBoundKeys(ActionMappings& mappings, Action action, KeyDevice device, const std::vector<Key>& keys);

// The actions bound to key.
std::vector<Action> ActionsOfKey(const ActionMappings& mappings, Key key);

// Two actions that can be live at the same moment (both in play, or both in a menu) cannot share a
// key: one press would do both. Tool use and quick slots never act in menus, confirming and
// removing never in play, so those pairs may share one.
bool ActionsClash(Action a, Action b);

// The actions a player needs to open the menu and move through it to the controls page. Each keeps
// at least one keyboard or mouse key.
bool IsMenuLifeline(Action action);
bool HasKeyboardKey(const ActionMappings& mappings, Action action);

// The keymap file's text: a JSON object with a member for every action whose keys differ from the
// shipped ones, holding all its keys in order, as an array of key names ({} when nothing differs).
std::string KeymapText(const ActionMappings& shipped, const ActionMappings& current);

// The mappings a keymap file gives over the shipped ones. A file that is not such an object (not
// JSON, nested, an unknown action or key name, an action named twice) gives nothing: Problem says
// why and Mappings are the shipped ones. A menu lifeline the file would leave without a keyboard
// key keeps its shipped keys and is listed in Kept.
struct KeymapReading {
    ActionMappings Mappings;
    std::string Problem; // empty when the file was read whole
    std::vector<Action> Kept;
};
KeymapReading ReadKeymap(const std::string& json, const ActionMappings& shipped);
