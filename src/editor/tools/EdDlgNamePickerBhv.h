#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Handle.h"
#include "editor/palettes/EdScrollListBhv.h"

class EdButtonBhv;
class EdDialogBhv;
class EdFieldBhv;
class EdListItemBhv;
class EdPropertyRowBhv;

// A dialog that offers names in a filtered list and hands the chosen one to a completion handler:
// Up and Down move the highlight, a click highlights a row, Enter or "BtnOk" confirms, Esc or
// "BtnCancel" closes without choosing. The concrete pickers say which names.
class EdDlgNamePickerBhv : public EdScrollListBhv {
public:
    using Completion = std::function<void(const std::string& name)>;

    // Finds the rows, the filter field and the buttons.
    void Start() override;
    void HandleInput() override;
    void Update() override;

    // Shows the dialog with an empty filter being edited, the first entry highlighted, and makes
    // the editor modal.
    void Open(Completion onChosen);
    void Close();
    bool IsOpen() const;

    // The entries the current filter lets through, in order.
    const std::vector<std::string>& Entries() const { return entries_; }
    int Highlighted = 0; // index into Entries, -1 for none

protected:
    // Every name on offer, in byte order.
    virtual std::vector<std::string> AllNames() const = 0;
    // Whether "(None)" leads the list while the filter is empty.
    virtual bool OffersNone() const { return false; }

    int EntryCount() const override { return static_cast<int>(entries_.size()); }
    int RowCount() const override { return static_cast<int>(rows_.size()); }

private:
    void Refilter();
    void Confirm();
    void KeepHighlightVisible();

    std::vector<EdListItemBhv*> rows_;
    Handle<EdPropertyRowBhv> filterRow_;
    Handle<EdFieldBhv> filter_;
    std::string appliedFilter_;
    std::vector<std::string> entries_;
    Completion completion_;
};
