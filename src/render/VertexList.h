#pragma once

#include <cstddef>
#include <cstring>
#include <memory>

#include "render/Vertex.h"

// A growable array of vertices that hands out room at its end without initialising it: every
// vertex of a quad is written exactly once. Clearing keeps the storage, so a list that has grown to
// its working size never allocates again. One spare vertex past the capacity lets a writer store
// whole 16-byte lanes that run a few bytes past the last vertex it was given.
class VertexList {
public:
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Vertex* data() { return data_.get(); }
    const Vertex* data() const { return data_.get(); }
    Vertex& operator[](size_t i) { return data_[i]; }
    const Vertex& operator[](size_t i) const { return data_[i]; }
    void clear() { size_ = 0; }

    // Appends n vertices for the caller to fill and returns the first.
    Vertex* Append(size_t n) {
        if (size_ + n > capacity_) {
            Grow(size_ + n);
        }
        Vertex* at = data_.get() + size_;
        size_ += n;
        return at;
    }

private:
    void Grow(size_t needed) {
        size_t capacity = capacity_ ? capacity_ * 2 : 1024;
        while (capacity < needed) {
            capacity *= 2;
        }
        // Default-initialised (no zero fill), with the spare vertex.
        std::unique_ptr<Vertex[]> grown(new Vertex[capacity + 1]);
        if (size_ > 0) {
            std::memcpy(grown.get(), data_.get(), size_ * sizeof(Vertex));
        }
        data_ = std::move(grown);
        capacity_ = capacity;
    }

    std::unique_ptr<Vertex[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
