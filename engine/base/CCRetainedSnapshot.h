// CCRetainedSnapshot: a retained copy of an object list, walked while callbacks change the list.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/base/CCArray.h"

namespace engine {

// Taken just before calling out to each element of a list (a node's children, the widgets a touch
// is delivered to): a callback may add or remove siblings, or drop the last other reference to an
// element, and the walk still visits exactly the elements that were there, in their order, each
// alive while it is visited. The copy retains every element; each is released once, in order,
// either by forEachThenRelease as soon as its call returns, by releaseAll, or when the snapshot
// goes.
template <typename T>
class CCRetainedSnapshot {
public:
    // A null list reads as an empty one.
    explicit CCRetainedSnapshot(const CCArray* list) {
        if (!list) return;
        m_items.reserve(list->count());
        for (CCObject* o : *list) {
            o->retain();
            m_items.push_back(static_cast<T*>(o));
        }
    }
    ~CCRetainedSnapshot() { releaseAll(); }
    CCRetainedSnapshot(const CCRetainedSnapshot&) = delete;
    CCRetainedSnapshot& operator=(const CCRetainedSnapshot&) = delete;

    using const_iterator = typename std::vector<T*>::const_iterator;
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* operator[](std::size_t i) const { return m_items[i]; }

    // Calls f on each element in order, releasing each right after its own call (an element that
    // nothing else holds goes then, before its next sibling is called). The snapshot is empty after.
    template <typename F>
    void forEachThenRelease(F f) {
        std::vector<T*> items;
        items.swap(m_items);
        for (T* item : items) {
            f(item);
            item->release();
        }
    }

    // Releases every element still held, in order. The snapshot is empty after.
    void releaseAll() {
        std::vector<T*> items;
        items.swap(m_items);
        for (T* item : items) item->release();
    }

private:
    std::vector<T*> m_items;
};

}  // namespace engine
