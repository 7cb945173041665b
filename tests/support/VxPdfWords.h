#pragma once
// The words of a PDF with their boxes, as `pdftotext -bbox` reads them, and
// the checks a printout must pass on paper: no word over another, none off
// its page.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>

namespace vxtest {

struct TPdfWord {
    int Page = 0; // from 1
    QRectF Box;   // in points, y from the top of the page
    QString Text;
};

struct TPdfWords {
    QList<QSizeF> Pages;
    QList<TPdfWord> Words;

    QStringList Texts() const {
        QStringList texts;
        for (const TPdfWord& w : Words)
            texts << w.Text;
        return texts;
    }

    // Every word that leaves its page, and every pair of words on a page
    // whose boxes overlap or that stand on one line closer than a fifth of
    // their height (a blank of the proportional fonts is a quarter), as
    // readable lines; empty when the paper is clean.
    QStringList Faults() const {
        QStringList faults;
        const double slack = 0.01;
        auto name = [](const TPdfWord& w) {
            return QStringLiteral("\"%1\" (page %2 at %3,%4)")
                .arg(w.Text)
                .arg(w.Page)
                .arg(w.Box.left(), 0, 'f', 1)
                .arg(w.Box.top(), 0, 'f', 1);
        };
        for (int i = 0; i < Words.size(); ++i) {
            const TPdfWord& a = Words[i];
            const QRectF page(QPointF(0, 0), Pages.value(a.Page - 1));
            if (!page.adjusted(-slack, -slack, slack, slack).contains(a.Box))
                faults << name(a) + QStringLiteral(" leaves the page");
            for (int j = i + 1; j < Words.size(); ++j) {
                const TPdfWord& b = Words[j];
                if (b.Page != a.Page) break;
                const double height = std::min(a.Box.height(), b.Box.height());
                const double across =
                    std::min(a.Box.bottom(), b.Box.bottom()) - std::max(a.Box.top(), b.Box.top());
                const double apart =
                    std::max(a.Box.left(), b.Box.left()) - std::min(a.Box.right(), b.Box.right());
                if (across > slack && apart < -slack)
                    faults << name(a) + QStringLiteral(" overlaps ") + name(b);
                else if (across > height / 2 && apart < height / 5)
                    faults << name(a) + QStringLiteral(" touches ") + name(b);
            }
        }
        return faults;
    }
};

// Reads fileName with pdftotext; no pages when it cannot be read.
inline TPdfWords readPdfWords(const QString& fileName) {
    QProcess run;
    run.start(QStringLiteral("pdftotext"),
              {QStringLiteral("-bbox"), fileName, QStringLiteral("-")});
    run.waitForFinished(60000);
    TPdfWords words;
    QXmlStreamReader xml(run.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = xml.attributes();
        auto number = [&a](const char* key) { return a.value(QLatin1String(key)).toDouble(); };
        if (xml.name() == QLatin1String("page")) {
            words.Pages << QSizeF(number("width"), number("height"));
        } else if (xml.name() == QLatin1String("word")) {
            const QRectF box(QPointF(number("xMin"), number("yMin")),
                             QPointF(number("xMax"), number("yMax")));
            words.Words << TPdfWord{int(words.Pages.size()), box, xml.readElementText()};
        }
    }
    return words;
}

} // namespace vxtest
