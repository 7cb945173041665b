// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ordered list of text keys, each with an optional owned object.
//
// The lists are unsorted and may hold a key twice; a lookup returns the first
// entry whose key matches ignoring letter case. Past a few entries an index of
// case-folded keys keeps lookups constant-time, so building a table of N
// entries stays linear; short lists (most fabric lists) scan instead and
// carry no index.

#include "VxAbort.h"

#include <QHash>
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
        const int index = Count() - 1;
        if (index == IndexFrom) {
            for (int i = 0; i <= index; ++i)
                indexEntry(i);
        } else if (index > IndexFrom) {
            indexEntry(index);
        }
        return index;
    }

    // Index of the first entry whose key equals key ignoring case, or -1.
    int IndexOf(const QString& key) const {
        if (Count() > IndexFrom) return m_firstIndex.value(FoldedKey(key), -1);
        for (int i = 0; i < Count(); ++i)
            if (QString::compare(m_entries[size_t(i)].key, key, Qt::CaseInsensitive) == 0) return i;
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

    void Clear() {
        m_entries.clear();
        m_firstIndex.clear();
    }

    // The key with every character case-folded one by one: two keys fold
    // alike exactly when QString::compare(..., Qt::CaseInsensitive) calls
    // them equal.
    static QString FoldedKey(const QString& key) {
        QString folded;
        folded.reserve(key.size());
        for (qsizetype i = 0; i < key.size(); ++i) {
            const QChar c = key.at(i);
            if (c.isHighSurrogate() && i + 1 < key.size() && key.at(i + 1).isLowSurrogate()) {
                const char32_t u = QChar::toCaseFolded(QChar::surrogateToUcs4(c, key.at(i + 1)));
                folded += QString::fromUcs4(&u, 1);
                ++i;
            } else {
                folded += c.toCaseFolded();
            }
        }
        return folded;
    }

private:
    static constexpr int IndexFrom = 16; // entries before lookups use the index

    void indexEntry(int i) {
        const QString folded = FoldedKey(m_entries[size_t(i)].key);
        if (!m_firstIndex.contains(folded)) m_firstIndex.insert(folded, i);
    }

    struct Entry {
        QString key;
        std::unique_ptr<T> object;
    };
    const Entry& at(int index) const {
        if (index < 0 || index >= Count()) throw EVxListIndexError(index);
        return m_entries[static_cast<size_t>(index)];
    }

    std::vector<Entry> m_entries;
    QHash<QString, int> m_firstIndex; // folded key -> first entry with it
};
