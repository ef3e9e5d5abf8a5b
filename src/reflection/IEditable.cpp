#include "reflection/IEditable.h"

IEditable::~IEditable() = default;

PropertyRegistration* IEditable::FindProperty(const std::string& key) const {
    auto it = Properties.find(key);
    return it == Properties.end() ? nullptr : it->second.get();
}

std::string IEditable::GetPropertyText(const std::string& key, int subIndex) const {
    PropertyRegistration* reg = FindProperty(key);
    return reg ? reg->GetSubProperty(key, subIndex).GetText() : std::string();
}

bool IEditable::SetPropertyText(const std::string& key, int subIndex, const std::string& text) {
    PropertyRegistration* reg = FindProperty(key);
    return reg ? reg->GetSubProperty(key, subIndex).SetText(text) : false;
}
