#pragma once

// What jlex's pictures are drawn with: fonts, colours, a canvas, and the
// parts of a desktop window the help illustrations show. The program's own
// pictures are drawn in draw_artwork.cpp; each input method's in its folder
// (src/targets/NAME/artwork.cpp), which adds them with addPicture().

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <cstdio>

#include <QList>

namespace artwork {

inline const QString kHei = QStringLiteral("WenQuanYi Zen Hei");
inline const QString kSans = QStringLiteral("DejaVu Sans");

inline const QColor kOutline(0x14, 0x18, 0x20);
inline const QColor kRed(0xd9, 0x1e, 0x18);

inline QFont font(const QString& family, int pixels, int weight = QFont::Normal)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

inline QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

inline void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// Text as an outline, so it can be stroked (thickened) and given an edge.
inline QPainterPath textPath(const QString& text, const QFont& f, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    return path;
}

// A capsule from a to b (the hand's thumb).
inline QPainterPath capsule(QPointF a, QPointF b, qreal width)
{
    const QLineF line(a, b);
    QPainterPath path;
    path.addRoundedRect(QRectF(-width / 2, -width / 2, line.length() + width, width), width / 2,
                        width / 2);
    QTransform t;
    t.translate(a.x(), a.y());
    t.rotate(-line.angle());
    return t.map(path);
}

struct Ui {
    QPainter& p;

    void text(const QRectF& r, const QString& s, int px, QColor c,
              int align = Qt::AlignLeft | Qt::AlignVCenter, int weight = QFont::Normal)
    {
        p.setFont(font(kHei, px, weight));
        p.setPen(c);
        p.drawText(r, align, s);
    }

    void window(const QRectF& r, const QString& title)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(r.translated(1.5, 1.5), 3, 3);
        p.setPen(QPen(QColor(0x4a, 0x5d, 0x7e), 1.0));
        p.setBrush(QColor(0xf3, 0xf5, 0xf8));
        p.drawRoundedRect(r, 3, 3);
        const QRectF bar(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 15);
        QLinearGradient g(0, bar.top(), 0, bar.bottom());
        g.setColorAt(0.0, QColor(0x4d, 0x8c, 0xe0));
        g.setColorAt(1.0, QColor(0x23, 0x5c, 0xb4));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        QPainterPath top;
        top.setFillRule(Qt::WindingFill);
        top.addRoundedRect(bar, 2.5, 2.5);
        top.addRect(bar.adjusted(0, 8, 0, 0));
        p.drawPath(top.simplified());
        text(bar.adjusted(5, 0, -16, 0), title, 11, Qt::white);
        // Close box.
        const QRectF x(bar.right() - 13, bar.top() + 2.5, 10, 10);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(x.topLeft() + QPointF(2.5, 2.5), x.bottomRight() - QPointF(2.5, 2.5));
        p.drawLine(x.topRight() + QPointF(-2.5, 2.5), x.bottomLeft() + QPointF(2.5, -2.5));
    }

    void button(const QRectF& r, const QString& s)
    {
        QLinearGradient g(0, r.top(), 0, r.bottom());
        g.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
        g.setColorAt(1.0, QColor(0xdc, 0xe2, 0xea));
        p.setPen(QPen(QColor(0x7a, 0x88, 0x9c), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(r, 2.5, 2.5);
        text(r, s, 12, QColor(0x1a, 0x1a, 0x1a), Qt::AlignCenter);
    }

    void redBox(const QRectF& r)
    {
        p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 3, 3);
    }

    // Red numbered disc, then a caption whose odd segments (the names the
    // user must look for) are red and the rest dark.
    void step(QPointF c, int n, const QStringList& caption)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(c, 7.5, 7.5);
        p.setFont(font(kSans, 11, QFont::Bold));
        p.setPen(Qt::white);
        p.drawText(QRectF(c.x() - 8, c.y() - 8, 16, 16), Qt::AlignCenter, QString::number(n));
        const QFont f = font(kHei, 12);
        const QFontMetricsF fm(f);
        qreal x = c.x() + 11;
        for (int i = 0; i < caption.size(); ++i) {
            const QColor colour = i % 2 ? QColor(0xc8, 0x16, 0x10) : QColor(0x22, 0x26, 0x2c);
            text(QRectF(x, c.y() - 8, 190, 16), caption[i], 12, colour);
            x += fm.horizontalAdvance(caption[i]);
        }
    }

    // Short red arrow pointing from `from` to `to`.
    void arrow(QPointF from, QPointF to)
    {
        const QLineF l(from, to);
        p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, l.pointAt(1.0 - 4.0 / l.length()));
        QLineF back(to, from);
        back.setLength(6);
        QLineF a = back;
        a.setAngle(back.angle() + 28);
        QLineF b = back;
        b.setAngle(back.angle() - 28);
        QPainterPath head;
        head.moveTo(to);
        head.lineTo(a.p2());
        head.lineTo(b.p2());
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawPath(head);
    }
};

// The help illustrations: three numbered panels, separated by hairlines.
inline QImage threePanels()
{
    QImage img = canvas(192, 280);
    img.fill(Qt::white);
    QPainter p(&img);
    prepare(p);
    p.setPen(QPen(QColor(0xd0, 0xd5, 0xdd), 1.0));
    p.drawLine(QPointF(6, 97.5), QPointF(186, 97.5));
    p.drawLine(QPointF(6, 188.5), QPointF(186, 188.5));
    return img;
}

// Classic arrow outline with its point at (x, y), `size` pixels tall.
inline QPainterPath arrowPath(QPointF tip, qreal size)
{
    const qreal s = size / 16.0;
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip + QPointF(0, 15.5 * s));
    path.lineTo(tip + QPointF(3.8 * s, 11.9 * s));
    path.lineTo(tip + QPointF(6.4 * s, 17.6 * s));
    path.lineTo(tip + QPointF(8.9 * s, 16.5 * s));
    path.lineTo(tip + QPointF(6.4 * s, 10.9 * s));
    path.lineTo(tip + QPointF(11.4 * s, 10.9 * s));
    path.closeSubpath();
    return path;
}

// A picture of an input method's, drawn into its folder.
struct Picture {
    const char* folder; // under src/targets
    const char* file;
    QImage (*draw)();
    bool opaque;
};

inline QList<Picture>& pictures()
{
    static QList<Picture> list;
    return list;
}

// For a static initialiser in an input method's artwork.cpp.
inline bool addPicture(const char* folder, const char* file, QImage (*draw)(), bool opaque)
{
    pictures().append({folder, file, draw, opaque});
    return true;
}

} // namespace artwork
