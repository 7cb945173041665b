// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page device that records every text drawn on it (page, top left corner,
// text, font) instead of rendering it, so tests compare positions, not
// pixels.

#include "VxDatPrn.h"

#include <QPaintEngine>
#include <QPainter>

struct TDrawnText {
    int Page = 0;
    QPoint TopLeft;
    QString Text;
    QFont Font;
};

class TPageRecorder : public QPaintDevice, public TVxPageDevice {
public:
    TPageRecorder(int width = 2400, int height = 3300, int dpi = 300)
        : m_engine(this), m_width(width), m_height(height), m_dpi(dpi) {}

    QList<TDrawnText> Texts;
    int Pages = 0;
    bool Active = false;
    // NewPage refuses from this page on (0: never), like a printer failing.
    int FailAtPage = 0;

    QPaintDevice* PaintDevice() override { return this; }
    bool NewPage() override {
        if (FailAtPage > 0 && Pages + 1 >= FailAtPage) return false;
        ++Pages;
        return true;
    }
    QPaintEngine* paintEngine() const override { return const_cast<Engine*>(&m_engine); }

    QList<TDrawnText> OnPage(int page) const {
        QList<TDrawnText> out;
        for (const TDrawnText& t : Texts)
            if (t.Page == page) out << t;
        return out;
    }
    // The first text drawn that starts with prefix (after trimming).
    const TDrawnText* Find(const QString& prefix, int page = 0) const {
        for (const TDrawnText& t : Texts)
            if ((page == 0 || t.Page == page) && t.Text.trimmed().startsWith(prefix)) return &t;
        return nullptr;
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
            return m_width * 254 / (10 * m_dpi);
        case PdmHeightMM:
            return m_height * 254 / (10 * m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmNumColors:
            return 256;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TPageRecorder* device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice*) override {
            m_device->Active = true;
            m_device->Pages = 1;
            return true;
        }
        bool end() override {
            m_device->Active = false;
            return true;
        }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        // Underlines and the like: not text, not recorded.
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const int ascent = painter()->fontMetrics().ascent();
            m_device->Texts.append({m_device->Pages, QPoint(qRound(p.x()), qRound(p.y()) - ascent),
                                    item.text(), painter()->font()});
        }
        Type type() const override { return User; }

    private:
        TPageRecorder* m_device;
    };

    Engine m_engine;
    int m_width, m_height, m_dpi;
};
