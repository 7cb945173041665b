// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ordered, owning list behind a schedule's jobs and a job's items. The
// list keeps each element's link back to its owner (a member pointer into
// the element) in step with membership, and deletes what it still holds.

#include "VxAbort.h"

#include <algorithm>
#include <utility>
#include <vector>

template <typename T, typename Owner> class TVxOwnedList {
public:
    using Link = Owner* T::*;
    explicit TVxOwnedList(Link link) : m_link(link) {}
    TVxOwnedList(const TVxOwnedList&) = delete;
    TVxOwnedList& operator=(const TVxOwnedList&) = delete;
    ~TVxOwnedList() { DeleteAll(); }

    int Count() const { return static_cast<int>(m_items.size()); }
    bool Empty() const { return m_items.empty(); }
    T* At(int index) const {
        CheckIndex(index);
        return m_items[index];
    }
    T* Last() const { return m_items.back(); }
    int IndexOf(const T* element) const {
        auto it = std::find(m_items.begin(), m_items.end(), element);
        return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
    }
    // Where an element placed at newIndex (moved when listed, else inserted;
    // clamped to the last place, as Move does) comes to stand: the index, in
    // the list as it is now, of the element it will precede (Count() for the
    // end).
    int LandingBefore(const T* element, int newIndex) const {
        int place = 0;
        for (int i = 0; i < Count(); ++i) {
            if (m_items[i] == element) continue;
            if (place++ == newIndex) return i;
        }
        return Count();
    }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    void CheckIndex(int index) const {
        if (index < 0 || index >= Count()) throw EVxListIndexError(index);
    }

    // Appends an element and links it to its new owner.
    void Adopt(T* element, Owner* owner) {
        element->*m_link = owner;
        m_items.push_back(element);
    }
    // Unlinks an element still listed (and deletes it when asked); false when
    // a handler already took it elsewhere.
    bool Release(T* element, bool freeIt) {
        auto it = std::find(m_items.begin(), m_items.end(), element);
        if (it == m_items.end()) return false;
        m_items.erase(it);
        element->*m_link = nullptr;
        if (freeIt) delete element;
        return true;
    }
    // Moves an element; a target beyond the end is clamped to the last place.
    void Move(int curIndex, int newIndex) {
        CheckIndex(curIndex);
        newIndex = std::min(newIndex, Count() - 1);
        CheckIndex(newIndex);
        T* moved = m_items[curIndex];
        m_items.erase(m_items.begin() + curIndex);
        m_items.insert(m_items.begin() + newIndex, moved);
    }
    // Deletes every element quietly: they learn they have no owner first, so
    // their destructors leave the list alone.
    void DeleteAll() {
        std::vector<T*> elements = std::exchange(m_items, {});
        for (T* element : elements) {
            element->*m_link = nullptr;
            delete element;
        }
    }

    // The container operations built on the owner's own (event-raising)
    // delete, move and insert, the same for jobs and items.
    template <typename DeleteAt> int RemoveWith(const T* element, DeleteAt deleteAt) {
        const int index = IndexOf(element);
        if (index >= 0) deleteAt(index);
        return index;
    }
    template <typename DeleteAt> void ClearWith(DeleteAt deleteAt) {
        while (!Empty())
            deleteAt(0);
    }
    // Places an element at an index: moved when already listed, else
    // inserted and then moved. A negative index is refused before the element
    // leaves its old owner. Returns whether it was inserted.
    template <typename Insert, typename MoveTo>
    bool PlaceAt(int index, T* element, Insert insert, MoveTo moveTo) {
        if (!element) return false;
        if (index < 0) throw EVxListIndexError(index);
        // Already here: moving the last element instead would shuffle another.
        if (const int current = IndexOf(element); current >= 0) {
            moveTo(current, index);
            return false;
        }
        insert(element);
        moveTo(IndexOf(element), index);
        return true;
    }

private:
    std::vector<T*> m_items;
    Link m_link;
};
