#include "player/EnemyLink.h"

#include <charconv>
#include <string>
#include <string_view>

#include "core/Component.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "reflection/IEditable.h"

namespace {

void ReadInt(const IEditable& editable, const char* key, int& value) {
    const std::string text = editable.GetPropertyText(key);
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error == std::errc() && end == text.data() + text.size()) {
        value = parsed;
    }
}

void ReadBool(const IEditable& editable, const char* key, bool& value) {
    const std::string text = editable.GetPropertyText(key);
    if (text == "true") {
        value = true;
    } else if (text == "false") {
        value = false;
    }
}

} // namespace

Component* FindEnemy(const GameObject& object) {
    return object.GetSlot(ShortcutSlot::Enemy);
}

EnemyValues ReadEnemyValues(const Component& enemy) {
    EnemyValues values;
    const auto* editable = dynamic_cast<const IEditable*>(&enemy);
    if (!editable) {
        return values;
    }
    ReadInt(*editable, "Hardness", values.Hardness);
    ReadInt(*editable, "ContactDamage", values.ContactDamage);
    ReadBool(*editable, "IsShrimp", values.IsShrimp);
    ReadBool(*editable, "AllowPassThru", values.AllowPassThru);
    return values;
}

std::string EnemyHurtName(const Component& enemy) {
    const auto* editable = dynamic_cast<const IEditable*>(&enemy);
    const std::string name = editable ? editable->GetPropertyText("DisplayName") : std::string();
    if (name.empty()) {
        return "a creature";
    }
    const bool vowel = std::string_view("AEIOUaeiou").find(name.front()) != std::string_view::npos;
    return (vowel ? "an " : "a ") + name;
}

bool DamageEnemy(Component& enemy, int damage, B2FixtureComponent* fixture) {
    EnemyDamageSender* sender = Service<EnemyDamageSender>::TryGet();
    return sender && sender->SendDamage(enemy, damage, fixture);
}
