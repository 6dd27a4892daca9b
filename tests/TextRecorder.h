#pragma once
// An image that keeps every text drawn on it with its position instead of
// pixels, so that tests can read what a view painted.

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>

#include <vector>

// One run of glyphs: the painter splits a text into runs where the script changes.
struct DrawnText {
    QPointF baseline;
    double width;
    QString text;
};

class TextRecorder : public QImage {
public:
    TextRecorder(int width, int height) : QImage(width, height, QImage::Format_RGB32), m_engine(*this) {}

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<DrawnText>& Texts() const { return m_texts; }
    // The texts that start at x on the baseline y (to within a pixel), each with
    // the runs that follow it on that baseline without a gap.
    std::vector<QString> At(double x, double y) const
    {
        std::vector<QString> found;
        for (const DrawnText& drawn : m_texts) {
            if (std::abs(drawn.baseline.x() - x) < 1 && std::abs(drawn.baseline.y() - y) < 1) {
                found.push_back(drawn.text + Following(drawn));
            }
        }
        return found;
    }

private:
    QString Following(const DrawnText& run) const
    {
        const double end = run.baseline.x() + run.width;
        for (const DrawnText& next : m_texts) {
            if (&next != &run && std::abs(next.baseline.x() - end) < 0.5 && std::abs(next.baseline.y() - run.baseline.y()) < 0.5
                && next.width > 0) {
                return next.text + Following(next);
            }
        }
        return {};
    }

    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder& owner) : QPaintEngine(QPaintEngine::AllFeatures), m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& textItem) override
        {
            m_owner.m_texts.push_back({painter()->transform().map(p), textItem.width(), textItem.text()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder& m_owner;
    };

    mutable Engine m_engine;
    std::vector<DrawnText> m_texts;
};
