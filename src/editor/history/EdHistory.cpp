#include "editor/history/EdHistory.h"

#include <algorithm>
#include <cstdio>

EdHistory::~EdHistory() {
    // Newest first: a later step may name an object an earlier one holds.
    while (!steps_.empty()) {
        DropBack();
    }
}

void EdHistory::Track(const EdStep& step, int delta) {
    step.ForEachObject([this, delta](GameObject* object) {
        if (!object) {
            return;
        }
        auto it = named_.try_emplace(object, 0).first;
        it->second += delta;
        if (it->second <= 0) {
            named_.erase(it);
        }
    });
}

void EdHistory::Measure(Entry& entry) {
    const size_t bytes = entry.Step->Bytes();
    bytes_ = bytes_ - std::min(bytes_, entry.Bytes) + bytes;
    entry.Bytes = bytes;
}

void EdHistory::Drop(Entry entry) {
    bytes_ -= std::min(bytes_, entry.Bytes);
    Track(*entry.Step, -1);
    entry.Step.reset(); // may delete objects it held: their destruction reaches ObjectDestroyed
}

void EdHistory::DropFront() {
    Entry entry = std::move(steps_.front());
    steps_.pop_front();
    if (cursor_ > 0) {
        --cursor_;
    }
    Drop(std::move(entry));
}

void EdHistory::DropBack() {
    Entry entry = std::move(steps_.back());
    steps_.pop_back();
    cursor_ = std::min(cursor_, steps_.size());
    Drop(std::move(entry));
}

void EdHistory::DropFrom(size_t index) {
    while (steps_.size() > index) {
        DropBack();
    }
}

void EdHistory::Push(std::unique_ptr<EdStep> step, bool merge, float now) {
    DropFrom(cursor_);
    const bool recent = now - lastPush_ <= RunSeconds;
    lastPush_ = now;
    if (merge && recent && !steps_.empty() && !step->RunKey.empty() &&
        steps_.back().Step->RunKey == step->RunKey) {
        Entry& last = steps_.back();
        Track(*last.Step, -1);
        const bool absorbed = last.Step->Absorb(*step);
        Track(*last.Step, 1);
        if (absorbed) {
            Measure(last);
            return;
        }
    }
    Track(*step, 1);
    steps_.push_back({std::move(step), 0});
    Measure(steps_.back());
    cursor_ = steps_.size();
    while (steps_.size() > 1 && (steps_.size() > MaxSteps || bytes_ > MaxBytes)) {
        DropFront();
    }
}

void EdHistory::Report(const EdStep& step, const char* what) const {
    std::printf("editor: %s of \"%s\" skipped: the object it changed is gone\n", what, step.Text.c_str());
    std::fflush(stdout);
}

bool EdHistory::Undo() {
    if (cursor_ == 0) {
        return false;
    }
    --cursor_;
    ++generation_;
    lastPush_ = -1e9f; // a nudge after an undo starts a new step
    Entry& entry = steps_[cursor_];
    if (!entry.Step->Undo()) {
        Report(*entry.Step, "undo");
    }
    Measure(entry);
    return true;
}

bool EdHistory::Redo() {
    if (cursor_ >= steps_.size()) {
        return false;
    }
    ++generation_;
    lastPush_ = -1e9f;
    Entry& entry = steps_[cursor_];
    ++cursor_;
    if (!entry.Step->Redo()) {
        Report(*entry.Step, "redo");
    }
    Measure(entry);
    return true;
}

void EdHistory::MoveTo(size_t cursor) {
    cursor = std::min(cursor, steps_.size());
    while (cursor_ > cursor && Undo()) {
    }
    while (cursor_ < cursor && Redo()) {
    }
}

void EdHistory::ObjectDestroyed(GameObject& object) {
    if (named_.empty() || named_.find(&object) == named_.end()) {
        return;
    }
    named_.erase(&object);
    for (Entry& entry : steps_) {
        entry.Step->Forget(object);
    }
}
