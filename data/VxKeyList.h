#pragma once
// An ordered list of text keys, each with an optional owned object.
//
// The reference tables are small, unsorted and may hold a key twice; a
// lookup returns the first entry whose key matches ignoring letter case.

#include "VxAbort.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

// Object type of lists whose entries carry nothing.
struct TVxNoObject {};

template <class T = TVxNoObject> class TVxKeyList {
public:
    TVxKeyList() = default;
    TVxKeyList(TVxKeyList&&) noexcept = default;
    TVxKeyList& operator=(TVxKeyList&&) noexcept = default;

    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }

    // Appends an entry and returns its index; the list takes the object over.
    int Add(const QString& key, std::unique_ptr<T> object = nullptr) {
        m_entries.push_back(Entry{key, std::move(object)});
        return Count() - 1;
    }

    // Index of the first entry whose key equals key ignoring case, or -1.
    int IndexOf(const QString& key) const {
        for (int i = 0; i < Count(); ++i)
            if (QString::compare(m_entries[i].key, key, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    bool Contains(const QString& key) const { return IndexOf(key) >= 0; }

    const QString& Key(int index) const { return at(index).key; }
    // The entry's object, or nullptr when it carries none.
    T* Object(int index) const { return at(index).object.get(); }
    // Object of the first entry matching key, or nullptr.
    T* Find(const QString& key) const {
        const int i = IndexOf(key);
        return i < 0 ? nullptr : m_entries[i].object.get();
    }

    QStringList Keys() const {
        QStringList keys;
        keys.reserve(Count());
        for (const auto& e : m_entries)
            keys << e.key;
        return keys;
    }

    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        QString key;
        std::unique_ptr<T> object;
    };
    const Entry& at(int index) const {
        if (index < 0 || index >= Count()) throw EVxListIndexError(index);
        return m_entries[static_cast<size_t>(index)];
    }

    std::vector<Entry> m_entries;
};
