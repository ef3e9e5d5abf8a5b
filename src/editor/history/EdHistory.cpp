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

void EdHistory::DropFront() {
    std::unique_ptr<EdStep> step = std::move(steps_.front());
    steps_.pop_front();
    if (cursor_ > 0) {
        --cursor_;
    }
    bytes_ -= std::min(bytes_, step->Bytes());
    Track(*step, -1);
    step.reset(); // may delete objects it held: their destruction reaches ObjectDestroyed
}

void EdHistory::DropBack() {
    std::unique_ptr<EdStep> step = std::move(steps_.back());
    steps_.pop_back();
    cursor_ = std::min(cursor_, steps_.size());
    bytes_ -= std::min(bytes_, step->Bytes());
    Track(*step, -1);
    step.reset();
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
        steps_.back()->RunKey == step->RunKey) {
        EdStep& last = *steps_.back();
        const size_t before = last.Bytes();
        Track(last, -1);
        const bool absorbed = last.Absorb(*step);
        Track(last, 1);
        if (absorbed) {
            bytes_ = bytes_ - std::min(bytes_, before) + last.Bytes();
            return;
        }
    }
    bytes_ += step->Bytes();
    Track(*step, 1);
    steps_.push_back(std::move(step));
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
    EdStep& step = *steps_[cursor_];
    const size_t before = step.Bytes();
    if (!step.Undo()) {
        Report(step, "undo");
    }
    bytes_ = bytes_ - std::min(bytes_, before) + step.Bytes();
    return true;
}

bool EdHistory::Redo() {
    if (cursor_ >= steps_.size()) {
        return false;
    }
    ++generation_;
    lastPush_ = -1e9f;
    EdStep& step = *steps_[cursor_];
    ++cursor_;
    const size_t before = step.Bytes();
    if (!step.Redo()) {
        Report(step, "redo");
    }
    bytes_ = bytes_ - std::min(bytes_, before) + step.Bytes();
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
    for (auto& step : steps_) {
        step->Forget(object);
    }
}
