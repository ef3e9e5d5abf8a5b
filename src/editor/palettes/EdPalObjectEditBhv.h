#pragma once

#include <string>
#include <vector>

#include "core/Handle.h"
#include "editor/palettes/EdScrollListBhv.h"
#include "editor/palettes/EntrySelection.h"
#include "editor/palettes/ObjectSelection.h"
#include "editor/palettes/PrefabSelection.h"

class EdButtonBhv;
class EdPropertyRowBhv;
class EdTitleBarBhv;
class EdToggleBhv;
class IEditable;

// The object edit palette: the name, prefab name, flags and every property of whatever the editor
// has selected (a live object, a prefab or an AutoCreate entry), one row per sub-property (x, y...) of a
// property under a header row per component. Committed values go to the live component or into the prefab
// data; components are added, removed and reordered here too.
class EdPalObjectEditBhv : public EdScrollListBhv {
public:
    static constexpr const char* ClassName = "EdPalObjectEditBhv";

    ~EdPalObjectEditBhv() override;
    // Registers in the editor state, finds the widgets and connects them.
    void Start() override;
    // Ctrl+E (shape editor on a fixture) and Ctrl+L (centre a sprite on its object).
    void HandleInput() override;
    void Update() override;

    void SetCurrentComponent(IEditable* editable) { current_ = editable; }

    // Commits text to the property shown in row model index.
    void CommitProperty(size_t index, const std::string& text);
    void CommitName(const std::string& text);
    void AddComponent(const std::string& className);
    void RemoveComponent();
    void MoveComponent(int offset);
    // Ctrl+L: Origin becomes Size times -0.5.
    void CentreSprite();

    // One row of the property list.
    struct Row {
        IEditable* Editable = nullptr;    // the live component or prefab component
        const std::string* Key = nullptr; // null for the header row
        int SubIndex = 0;                 // which sub-property of the value the row edits
        std::string Label;
    };
    const std::vector<Row>& Rows() const { return model_; }

protected:
    int EntryCount() const override { return static_cast<int>(model_.size()); }
    int RowCount() const override { return static_cast<int>(rows_.size()); }

private:
    // What is selected (an entry before an object before a prefab), or null for nothing.
    EditSelection* Selection();
    const EditSelection* Selection() const { return const_cast<EdPalObjectEditBhv*>(this)->Selection(); }
    // The editables of the selection, in order, into out.
    void CollectEditables(std::vector<IEditable*>& out) const;
    // Whether the editable is one of the selection's now.
    bool StillSelected(const IEditable* editable);
    void RebuildModel();
    std::string ValueText(const Row& row) const;
    void ShowRows();

    std::vector<EdPropertyRowBhv*> rows_;
    std::vector<Row> model_;
    std::vector<IEditable*> editables_; // what the model was built from
    std::vector<IEditable*> scratch_;   // this frame's editables, compared with editables_
    const void* builtFor_ = nullptr;    // the selection the model was built for
    unsigned builtAt_ = 0;              // the history generation it was built at
    ObjectSelection object_;
    PrefabSelection prefab_;
    EntrySelection entry_;
    IEditable* current_ = nullptr;
    Handle<EdTitleBarBhv> titleBar_;
    Handle<EdPropertyRowBhv> nameRow_;
    Handle<EdPropertyRowBhv> prefabNameRow_;
    Handle<GameObject> flagRow_;
    Handle<EdToggleBhv> inputFlag_;
    Handle<EdToggleBhv> updateFlag_;
    Handle<EdToggleBhv> drawFlag_;
};
