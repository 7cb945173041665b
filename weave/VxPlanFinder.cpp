// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlanFinder.h"

#include <algorithm>

namespace {
bool isSeparator(QChar c) {
    return c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char(':') || c == QLatin1Char('/');
}

// Upper case, the key separators as blanks, blanks single.
QString normalized(const QString& text) {
    QString out = text.toUpper();
    for (QChar& c : out)
        if (isSeparator(c)) c = QLatin1Char(' ');
    return out.simplified();
}

// A part of a thing's name; Blank: a blank stands before it.
struct TNamePart {
    QStringView Text;
    bool Blank = true;
};

// Whether the parts, written one after the other and normalized as above,
// start with text (which is normalized). Walks the parts as they stand: a
// find runs over every job and fabric of the plant, and building each name
// would cost more than the search.
bool startsWithParts(const QString& text, std::initializer_list<TNamePart> parts) {
    int at = 0;
    bool blank = false; // a blank is due before the next character
    bool started = false;
    for (const TNamePart& part : parts) {
        blank = blank || (part.Blank && started);
        for (QChar c : part.Text) {
            if (at == text.size()) return true;
            if (isSeparator(c)) {
                blank = started;
                continue;
            }
            if (blank) {
                if (text[at] != QLatin1Char(' ')) return false;
                if (++at == text.size()) return true;
                blank = false;
            }
            if (text[at] != c.toUpper()) return false;
            ++at;
            started = true;
        }
    }
    return at == text.size();
}

bool sameCode(QStringView word, QStringView code) {
    return word.compare(code, Qt::CaseInsensitive) == 0;
}

// The word is the two codes written together ("ABRED").
bool sameJoined(QStringView word, QStringView first, QStringView second) {
    return word.size() == first.size() + second.size() &&
           sameCode(word.left(first.size()), first) && sameCode(word.mid(first.size()), second);
}
} // namespace

TVxPlanFinder::TVxPlanFinder(const QString& query)
    : m_text(normalized(query)), m_words(m_text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    bool number = false;
    const int value = m_text.toInt(&number);
    // "017" is no job's number as a planner reads the board.
    if (number && value > 0 && QString::number(value) == m_text) m_jobNo = value;
}

bool TVxPlanFinder::Matches(const TVxPlanJob& job) const {
    if (IsEmpty()) return false;
    if (job.JobNo == m_jobNo) return true;
    switch (job.Kind) {
    case TVxPlanJobKind::Warp:
        if (startsWithParts(m_text, {{job.WarpType, false}, {job.WarpCol}})) return true;
        for (const QString& word : m_words)
            if (!sameCode(word, job.WarpType) && !sameCode(word, job.WarpCol)) return false;
        return true;
    case TVxPlanJobKind::Reed: {
        const QString ends = QString::number(job.TotalEnds);
        if (startsWithParts(m_text, {{u"REED", false}, {ends}})) return true;
        return m_words.size() == 1 && m_words[0] == ends;
    }
    case TVxPlanJobKind::Downtime: {
        // Each word of the query begins a word of the description.
        const QStringList words = normalized(job.Descr).split(QLatin1Char(' '));
        for (const QString& word : m_words)
            if (std::none_of(words.begin(), words.end(),
                             [&](const QString& w) { return w.startsWith(word); }))
                return false;
        return true;
    }
    }
    return false;
}

bool TVxPlanFinder::Matches(const TVxPlanItem& item) const {
    if (IsEmpty()) return false;
    // The structure and colour run together in the fabric key ("ABRED").
    if (startsWithParts(m_text,
                        {{item.FabricStru, false}, {item.FabricCol, false}, {item.WeftCol}}))
        return true;
    for (const QString& word : m_words)
        if (!sameCode(word, item.FabricStru) && !sameCode(word, item.FabricCol) &&
            !sameCode(word, item.WeftCol) && !sameJoined(word, item.FabricStru, item.FabricCol))
            return false;
    return true;
}

QVector<TVxFindHit> TVxPlanFinder::FindIn(const TVxPlan& plan) const {
    QVector<TVxFindHit> hits;
    if (IsEmpty()) return hits;
    for (int l = 0; l < plan.Looms.size(); ++l) {
        const QVector<TVxPlanJob>& jobs = plan.Looms[l].Jobs;
        for (int j = 0; j < jobs.size(); ++j) {
            if (Matches(jobs[j])) hits.push_back({l, j, -1});
            const QVector<TVxPlanItem>& items = jobs[j].Items;
            for (int i = 0; i < items.size(); ++i)
                if (Matches(items[i])) hits.push_back({l, j, i});
        }
    }
    return hits;
}
