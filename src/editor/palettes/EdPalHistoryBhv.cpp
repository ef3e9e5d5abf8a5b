#include "editor/palettes/EdPalHistoryBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/EdFind.h"
#include "editor/EditorState.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdListItemBhv.h"

void EdPalHistoryBhv::Start() {
    EdScrollListBhv::Start();
    EditorState& editor = Service<EditorState>::Get();
    rows_ = CollectRows([this, &editor](EdListItemBhv& item, size_t row) {
        // Line 0 is the state before every step; line k, the state after step k.
        item.ClickHandler = [this, row, &editor] {
            const size_t line = static_cast<size_t>(Offset) + row;
            if (line <= editor.History.Size()) {
                editor.History.MoveTo(line);
            }
        };
    });
    undo_ = FindNestedComponent<EdButtonBhv>(Owner, "HistoryButtons", "BtnUndo");
    redo_ = FindNestedComponent<EdButtonBhv>(Owner, "HistoryButtons", "BtnRedo");
    Connect(undo_.Get(), [&editor] { editor.History.Undo(); });
    Connect(redo_.Get(), [&editor] { editor.History.Redo(); });
}

int EdPalHistoryBhv::EntryCount() const {
    return static_cast<int>(Service<EditorState>::Get().History.Size()) + 1;
}

void EdPalHistoryBhv::Update() {
    const EdHistory& history = Service<EditorState>::Get().History;
    const size_t cursor = history.Cursor();
    // The current line stays in view when the history moves.
    if (cursor != shownCursor_ && !rows_.empty()) {
        shownCursor_ = cursor;
        const int line = static_cast<int>(cursor);
        const int rows = static_cast<int>(rows_.size());
        if (line < Offset) {
            Offset = line;
        } else if (line >= Offset + rows) {
            Offset = line - rows + 1;
        }
    }
    EdScrollListBhv::Update();
    for (size_t row = 0; row < rows_.size(); ++row) {
        EdListItemBhv* item = rows_[row];
        const size_t line = static_cast<size_t>(Offset) + row;
        if (line == 0) {
            item->Label.assign(StartLine);
        } else if (line <= history.Size()) {
            item->Label.assign(history.At(line - 1).Text);
        } else {
            item->Label.clear();
        }
        item->IsSelected = line == cursor;
    }
    if (undo_) {
        undo_->IsGrayedOut = cursor == 0;
    }
    if (redo_) {
        redo_->IsGrayedOut = cursor >= history.Size();
    }
}
