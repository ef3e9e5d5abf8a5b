#pragma once

#include <cstddef>
#include <iterator>
#include <map>
#include <string>

class Prefab;

// What each prefab's file holds as far as the editor knows, learnt lazily: a prefab that is not
// dirty when the editor first changes it holds what its file holds. A prefab is dirty exactly when
// its text differs from its file's, so undoing back to the saved state clears the mark.
class PrefabBaseline {
public:
    // Before a change to the prefab, whose text is text now.
    void Touch(const Prefab& prefab, const std::string& text);
    // Sets the prefab's Dirty from its text now.
    void Refresh(Prefab& prefab, const std::string& text) const;
    // The prefab's file was written with text.
    void Saved(const std::string& name, const std::string& text) { texts_[name] = text; }
    // The prefab's file was deleted.
    void Removed(const std::string& name) { texts_.erase(name); }
    // Forgets every name not among prefabs (a map keyed by name).
    template <class Map> void KeepOnly(const Map& prefabs) {
        for (auto it = texts_.begin(); it != texts_.end();) {
            it = prefabs.count(it->first) ? std::next(it) : texts_.erase(it);
        }
    }

private:
    std::map<std::string, std::string> texts_;
};
