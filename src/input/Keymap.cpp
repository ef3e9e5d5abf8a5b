#include "input/Keymap.h"

#include <algorithm>
#include <set>
#include <sstream>

#include <boost/property_tree/ptree.hpp>

#include "core/ContentError.h"
#include "core/ContentText.h"
#include "core/JsonTree.h"

namespace {

// Where an action acts: in play, in menus, or both (steering moves through menus too, and "back"
// opens the menu from play).
enum ActionContext : unsigned { InPlay = 1, InMenus = 2 };

unsigned ContextOf(Action action) {
    switch (action) {
    case Action::MoveUp:
    case Action::MoveDown:
    case Action::MoveLeft:
    case Action::MoveRight:
    case Action::MenuCancel:
        return InPlay | InMenus;
    case Action::MenuConfirm:
    case Action::MenuClear:
    case Action::MenuSellAll:
        return InMenus;
    default:
        return InPlay;
    }
}

std::vector<Key> AllKeys(const ActionMappings& mappings, Action action) {
    std::vector<Key> keys;
    const auto [first, last] = mappings.equal_range(action);
    for (auto it = first; it != last; ++it) {
        keys.push_back(it->second);
    }
    return keys;
}

} // namespace

KeyDevice DeviceOf(Key key) {
    return static_cast<int>(key) >= FirstPadKey ? KeyDevice::Pad : KeyDevice::Keyboard;
}

std::vector<Key> BoundKeys(const ActionMappings& mappings, Action action, KeyDevice device) {
    std::vector<Key> keys;
    for (Key key : AllKeys(mappings, action)) {
        if (key != Key::None && DeviceOf(key) == device) {
            keys.push_back(key);
        }
    }
    return keys;
}

void SetBoundKeys(ActionMappings& mappings, Action action, KeyDevice device, const std::vector<Key>& keys) {
    const std::vector<Key> others =
        BoundKeys(mappings, action, device == KeyDevice::Pad ? KeyDevice::Keyboard : KeyDevice::Pad);
    mappings.erase(action);
    // The keyboard's keys first, as the shipped file lists them.
    const std::vector<Key>& keyboard = device == KeyDevice::Keyboard ? keys : others;
    const std::vector<Key>& pad = device == KeyDevice::Pad ? keys : others;
    for (const std::vector<Key>* list : {&keyboard, &pad}) {
        for (Key key : *list) {
            if (key != Key::None) {
                mappings.emplace(action, key);
            }
        }
    }
}

std::vector<Action> ActionsOfKey(const ActionMappings& mappings, Key key) {
    std::vector<Action> actions;
    for (const auto& [action, bound] : mappings) {
        if (bound == key && (actions.empty() || actions.back() != action)) {
            actions.push_back(action);
        }
    }
    return actions;
}

bool ActionsClash(Action a, Action b) {
    return a != b && (ContextOf(a) & ContextOf(b)) != 0;
}

bool IsMenuLifeline(Action action) {
    return action == Action::MenuCancel || action == Action::MenuConfirm || action == Action::MoveUp ||
           action == Action::MoveDown;
}

bool HasKeyboardKey(const ActionMappings& mappings, Action action) {
    return !BoundKeys(mappings, action, KeyDevice::Keyboard).empty();
}

std::string KeymapText(const ActionMappings& shipped, const ActionMappings& current) {
    // Written by hand rather than through a property tree, which cannot write an empty array.
    std::string text = "{";
    bool first = true;
    for (int number = 0; number < ActionCount; ++number) {
        const auto action = static_cast<Action>(number);
        const std::vector<Key> keys = AllKeys(current, action);
        if (keys == AllKeys(shipped, action)) {
            continue;
        }
        text += first ? "\n" : ",\n";
        first = false;
        text += "    \"" + std::string(ActionName(action)) + "\": [";
        for (size_t i = 0; i < keys.size(); ++i) {
            text += (i == 0 ? "\"" : ", \"") + std::string(KeyName(keys[i])) + "\"";
        }
        text += "]";
    }
    text += first ? "}\n" : "\n}\n";
    return text;
}

KeymapReading ReadKeymap(const std::string& json, const ActionMappings& shipped) {
    namespace pt = boost::property_tree;
    KeymapReading reading{shipped, {}, {}};
    auto refuse = [&](std::string problem) {
        reading.Mappings = shipped;
        reading.Problem = std::move(problem);
        return reading;
    };
    if (!LooksLikeJson(json)) {
        return refuse("not JSON: it holds binary bytes");
    }
    if (JsonNestingDepth(json) > 2) {
        return refuse("nested deeper than a keymap is");
    }
    if (!JsonIsObject(json)) {
        return refuse("the top level is not a JSON object");
    }
    pt::ptree root;
    try {
        std::istringstream in(json);
        ReadJsonTree(in, root);
    } catch (const pt::json_parser::json_parser_error& e) {
        return refuse((e.line() > 0 ? "line " + std::to_string(e.line()) + ": " : std::string()) +
                      e.message());
    }

    std::set<Action> seen;
    for (const auto& [name, value] : root) {
        const std::optional<Action> action = ActionFromName(name);
        if (!action) {
            return refuse("unknown action " + Quoted(name));
        }
        if (!seen.insert(*action).second) {
            return refuse("the action " + Quoted(name) + " is named twice");
        }
        std::vector<Key> keys;
        // A lone key name, or an array of them; an empty array reads as an empty value.
        if (value.empty()) {
            if (!value.data().empty()) {
                keys.push_back(KeyFromName(value.data()));
                if (keys.back() == Key::None) {
                    return refuse("unknown key " + Quoted(value.data()) + " for " + Quoted(name));
                }
            }
        } else {
            for (const auto& [index, element] : value) {
                const Key key = element.empty() ? KeyFromName(element.data()) : Key::None;
                if (!index.empty() || key == Key::None) {
                    return refuse("unknown key " + Quoted(element.data()) + " for " + Quoted(name));
                }
                keys.push_back(key);
            }
        }
        reading.Mappings.erase(*action);
        for (Key key : keys) {
            reading.Mappings.emplace(*action, key);
        }
    }

    for (int number = 0; number < ActionCount; ++number) {
        const auto action = static_cast<Action>(number);
        if (IsMenuLifeline(action) && !HasKeyboardKey(reading.Mappings, action)) {
            reading.Mappings.erase(action);
            for (Key key : AllKeys(shipped, action)) {
                reading.Mappings.emplace(action, key);
            }
            reading.Kept.push_back(action);
        }
    }
    return reading;
}
