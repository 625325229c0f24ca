// Draws jlex's pictures: the icon, four mouse pointers, the Kavro logo, the
// illustration of the IME's menus, the one of Fcitx 5's settings and the one of Rime's deploy.
// Everything is painted here with QPainter so the PNGs in assets/ can be regenerated at any time:
//
//   cmake -S tools/artwork -B /tmp/artwork-build
//   cmake --build /tmp/artwork-build
//   /tmp/artwork-build/draw_artwork assets
//
// Pointer hotspots (the program passes them to QCursor):
//   pen.png          64x64  hotspot (2, 2)   - the nib's point
//   help-arrow.png   32x32  hotspot (1, 1)   - the arrow's point
//   topic-arrow.png  32x32  hotspot (1, 1)   - the arrow's point
//   hand.png         32x32  hotspot (12, 1)  - the index fingertip

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

namespace {

const QString kHei = QStringLiteral("WenQuanYi Zen Hei");
const QString kSans = QStringLiteral("DejaVu Sans");

const QColor kOutline(0x14, 0x18, 0x20);
const QColor kRed(0xd9, 0x1e, 0x18);

QFont font(const QString& family, int pixels, int weight = QFont::Normal)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// Text as an outline, so it can be stroked (thickened) and given an edge.
QPainterPath textPath(const QString& text, const QFont& f, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    return path;
}

// A capsule from a to b (the hand's thumb).
QPainterPath capsule(QPointF a, QPointF b, qreal width)
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

// ---------------------------------------------------------------- icon

// Drawn on a 64-unit grid and scaled, so the desktop's larger sizes are the
// same drawing rather than an enlarged bitmap.
QImage drawIcon(int size = 64)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    p.scale(size / 64.0, size / 64.0);

    // Deep blue tile: reads as one solid shape even at 16 px.
    const QRectF tile(2.5, 2.5, 59, 59);
    QLinearGradient bg(0, 2, 0, 62);
    bg.setColorAt(0.0, QColor(0x4a, 0x8d, 0xe6));
    bg.setColorAt(1.0, QColor(0x1b, 0x4a, 0x9c));
    p.setPen(QPen(QColor(0x12, 0x35, 0x74), 1.0));
    p.setBrush(bg);
    p.drawRoundedRect(tile, 13, 13);

    // Soft glossy band across the top half.
    QPainterPath gloss;
    gloss.addRoundedRect(QRectF(4, 4, 56, 28), 11, 11);
    QLinearGradient shine(0, 4, 0, 32);
    shine.setColorAt(0.0, QColor(255, 255, 255, 70));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(gloss);

    // The kana, slightly up and left so the key badge has its corner.
    QFont kana = font(kHei, 43);
    const QPainterPath a = textPath(QStringLiteral("あ"), kana, QPointF(27.5, 27.5));
    p.setPen(QPen(QColor(0, 0, 0, 60), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(a.translated(0.8, 1.4));
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(a);

    // Keycap badge with "py": typing pinyin/romaji on the keyboard.
    const QRectF key(38.5, 42.5, 22, 18);
    // A ring in the tile's own blue separates the badge from the kana.
    QPainterPath inside;
    inside.addRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 12.5, 12.5);
    p.save();
    p.setClipPath(inside);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x52, 0xa8));
    p.drawRoundedRect(key.adjusted(-2, -2, 2, 2), 7, 7);
    p.restore();
    QLinearGradient cap(0, key.top(), 0, key.bottom());
    cap.setColorAt(0.0, QColor(0xf5, 0x55, 0x4a));
    cap.setColorAt(1.0, QColor(0xc4, 0x1c, 0x16));
    p.setPen(QPen(QColor(0x8e, 0x12, 0x0e), 1.0));
    p.setBrush(cap);
    p.drawRoundedRect(key, 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 80), 1.0));
    p.drawLine(QPointF(key.left() + 4, key.top() + 1.5), QPointF(key.right() - 4, key.top() + 1.5));
    QFont latin = font(kSans, 13, QFont::Bold);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(textPath(QStringLiteral("py"), latin, key.center() + QPointF(0, 0.5)));
    return img;
}

// ---------------------------------------------------------------- pointers

// Classic arrow outline with its point at (x, y), `size` pixels tall.
QPainterPath arrowPath(QPointF tip, qreal size)
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

// Hotspot (1, 1).
QImage drawHelpArrow()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    prepare(p);

    const QPainterPath arrow = arrowPath(QPointF(1.5, 1.5), 17);
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);

    // Blue disc with a white question mark beside the arrow.
    const QPointF c(22.5, 21.5);
    const qreal r = 8.5;
    QRadialGradient disc(c + QPointF(-2.5, -3), r * 1.6);
    disc.setColorAt(0.0, QColor(0x5f, 0xa8, 0xff));
    disc.setColorAt(1.0, QColor(0x14, 0x58, 0xc2));
    p.setPen(QPen(Qt::white, 1.0));
    p.setBrush(disc);
    p.drawEllipse(c, r + 0.5, r + 0.5);
    p.setPen(QPen(QColor(0x0c, 0x34, 0x7a), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r + 1.3, r + 1.3);
    QFont q = font(kSans, 14, QFont::Bold);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(textPath(QStringLiteral("?"), q, c + QPointF(0.2, 0)));
    return img;
}

// Hotspot (1, 1). Same shape family as the system arrow but coloured, so a
// help topic under the mouse is obviously "live".
QImage drawTopicArrow()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    prepare(p);

    const QPainterPath arrow = arrowPath(QPointF(1.5, 1.5), 24);
    // Drop shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 55));
    p.drawPath(arrow.translated(1.5, 1.5));

    QLinearGradient fill(1, 1, 16, 26);
    fill.setColorAt(0.0, QColor(0xff, 0xb3, 0x3b));
    fill.setColorAt(1.0, QColor(0xe8, 0x5a, 0x10));
    p.setPen(QPen(QColor(0x5a, 0x22, 0x04), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(arrow);

    // Light inner rim along the two leading edges gives it some depth.
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath rim;
    rim.moveTo(2.9, 19.5);
    rim.lineTo(2.9, 4.9);
    rim.lineTo(13.0, 15.0);
    p.drawPath(rim);
    return img;
}

// Hotspot (12, 1).
QImage drawHand()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    prepare(p);

    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(9.5, 1.5, 6, 18), 3, 3);                  // index finger
    hand.addRoundedRect(QRectF(15.5, 10.5, 5, 10), 2.5, 2.5);            // middle
    hand.addRoundedRect(QRectF(20.5, 11.5, 5, 10), 2.5, 2.5);            // ring
    hand.addRoundedRect(QRectF(25.5, 13.5, 4, 9), 2, 2);                 // little
    hand.addRoundedRect(QRectF(9.5, 15.5, 20, 9), 3, 3);                 // palm
    hand.addPath(capsule(QPointF(4.5, 15.5), QPointF(10.5, 22.0), 5.0)); // thumb
    QPainterPath heel;                                                   // narrowing to the wrist
    heel.moveTo(9.5, 20);
    heel.lineTo(29.5, 20);
    heel.cubicTo(29.5, 24, 27.5, 25.5, 27.5, 28.5);
    heel.lineTo(11.5, 28.5);
    heel.cubicTo(11.5, 26, 9.5, 24, 9.5, 20);
    hand.addPath(heel);
    hand = hand.simplified();

    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);

    // Creases between the folded fingers.
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.5, 12.5), QPointF(15.5, 16.5));
    p.drawLine(QPointF(20.5, 13.0), QPointF(20.5, 17.0));
    p.drawLine(QPointF(25.5, 15.0), QPointF(25.5, 18.5));

    // Cuff.
    const QRectF cuff(11.5, 27.5, 16, 3.5);
    p.setBrush(QColor(0x3b, 0x78, 0xd8));
    p.drawRect(cuff);
    return img;
}

// Hotspot (2, 2): the pen lies diagonally with its nib in the top-left corner.
QImage drawPen()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    prepare(p);

    // Work along the pen's own axis: x runs from the point towards the cap.
    p.translate(2.5, 2.5);
    p.rotate(45);
    const qreal len = 74;
    const qreal half = 6.0;
    const QPen edge(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // Shadow, offset away from the point.
    {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.translate(2, 1.5);
        QPainterPath s;
        s.moveTo(0, 0);
        s.lineTo(17, -half);
        s.lineTo(len, -half);
        s.lineTo(len, half);
        s.lineTo(17, half);
        s.closeSubpath();
        p.drawPath(s);
        p.restore();
    }

    // Barrel.
    QLinearGradient barrel(0, -half, 0, half);
    barrel.setColorAt(0.0, QColor(0x6f, 0xa8, 0xf0));
    barrel.setColorAt(0.45, QColor(0x2a, 0x66, 0xc9));
    barrel.setColorAt(1.0, QColor(0x14, 0x3a, 0x80));
    p.setPen(edge);
    p.setBrush(barrel);
    p.drawRoundedRect(QRectF(26, -half, len - 26 - 2, 2 * half), 2.5, 2.5);

    // Cap clip along the top of the barrel.
    QLinearGradient metal(0, -half, 0, half);
    metal.setColorAt(0.0, QColor(0xf4, 0xf4, 0xf4));
    metal.setColorAt(0.5, QColor(0xb8, 0xbc, 0xc4));
    metal.setColorAt(1.0, QColor(0x70, 0x76, 0x80));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(len - 26, -half - 1.5, 22, 3.5), 1.5, 1.5);

    // Band between barrel and grip.
    p.drawRect(QRectF(24, -half, 4, 2 * half));

    // Grip: darker, tapering a little towards the nib.
    QPainterPath grip;
    grip.moveTo(24, -half);
    grip.lineTo(15, -half + 1.5);
    grip.lineTo(15, half - 1.5);
    grip.lineTo(24, half);
    grip.closeSubpath();
    QLinearGradient gripFill(0, -half, 0, half);
    gripFill.setColorAt(0.0, QColor(0x59, 0x5f, 0x6a));
    gripFill.setColorAt(1.0, QColor(0x1e, 0x22, 0x28));
    p.setBrush(gripFill);
    p.drawPath(grip);

    // Gold nib with its slit.
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.lineTo(15, -half + 1.5);
    nib.lineTo(15, half - 1.5);
    nib.closeSubpath();
    QLinearGradient gold(0, -half, 0, half);
    gold.setColorAt(0.0, QColor(0xff, 0xe7, 0x8a));
    gold.setColorAt(0.5, QColor(0xe0, 0xa8, 0x2a));
    gold.setColorAt(1.0, QColor(0x9c, 0x6a, 0x0c));
    p.setBrush(gold);
    p.drawPath(nib);
    p.setPen(QPen(QColor(0x4a, 0x30, 0x04), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 0), QPointF(10.5, 0));
    p.setBrush(QColor(0x4a, 0x30, 0x04));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(11, 0), 1.1, 1.1);

    // Highlight along the barrel.
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, -half + 2.2), QPointF(len - 30, -half + 2.2));
    return img;
}

// ---------------------------------------------------------------- logo

QImage drawLogo()
{
    QImage img = canvas(150, 45);
    QPainter p(&img);
    prepare(p);

    QFont word = font(kSans, 30, QFont::Bold);
    word.setLetterSpacing(QFont::AbsoluteSpacing, -0.8);
    const QString name = QStringLiteral("Kavro");
    const qreal wordWidth = QFontMetricsF(word).tightBoundingRect(name).right();
    // Centre mark + gap + wordmark in the 150 px width.
    p.translate(std::round((150 - (36 + 7 + wordWidth)) / 2) - 3, 0);

    // The mark: a blue key with a white "K" and a red dot.
    const QRectF mark(3.5, 4.5, 36, 36);
    QLinearGradient bg(0, mark.top(), 0, mark.bottom());
    bg.setColorAt(0.0, QColor(0x3f, 0x86, 0xe4));
    bg.setColorAt(1.0, QColor(0x17, 0x45, 0x98));
    p.setPen(QPen(QColor(0x12, 0x35, 0x74), 1.0));
    p.setBrush(bg);
    p.drawRoundedRect(mark, 9, 9);

    QFont k = font(kSans, 27, QFont::Bold);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(textPath(QStringLiteral("K"), k, mark.center() + QPointF(-1.5, 0.5)));
    p.setBrush(kRed);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawEllipse(QPointF(mark.right() - 7.5, mark.top() + 8), 4.2, 4.2);

    // Wordmark.
    const qreal left = 46;
    const qreal right = left + wordWidth;
    p.setFont(word);
    p.setPen(QColor(0x1b, 0x3f, 0x86));
    p.drawText(QPointF(left, 28), name);

    // "输入法" beneath, spaced out in grey, with a red rule out to the
    // wordmark's right edge.
    QFont sub = font(kHei, 12);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(sub);
    p.setPen(QColor(0x4a, 0x53, 0x63));
    const QString ime = QStringLiteral("输入法");
    p.drawText(QPointF(left + 1.5, 41), ime);
    const qreal ruleFrom = left + 1.5 + QFontMetricsF(sub).horizontalAdvance(ime) + 2;
    p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(ruleFrom, 36.5), QPointF(right, 36.5));
    return img;
}

// ---------------------------------------------------------------- IME menus

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
QImage threePanels()
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

QImage drawImeMenus()
{
    QImage img = threePanels();
    QPainter p(&img);
    prepare(p);
    Ui ui{p};
    const QColor ink(0x1a, 0x1a, 0x1a);
    const QColor select(0x2f, 0x6f, 0xd0);

    // --- 1: right-click the status bar, choose 设置属性.
    ui.step(QPointF(11, 10), 1,
            {QStringLiteral("右键点击"), QStringLiteral("状态栏"), QStringLiteral("，选"),
             QStringLiteral("设置属性")});
    {
        const QRectF bar(4.5, 75.5, 84, 17);
        QLinearGradient g(0, bar.top(), 0, bar.bottom());
        g.setColorAt(0.0, QColor(0xfb, 0xfc, 0xfe));
        g.setColorAt(1.0, QColor(0xd8, 0xe0, 0xec));
        p.setPen(QPen(QColor(0x7a, 0x8a, 0xa6), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(bar, 4, 4);
        // Kavro mark.
        const QRectF m(bar.left() + 3, bar.top() + 2, 13, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x23, 0x5c, 0xb4));
        p.drawRoundedRect(m, 3, 3);
        p.setFont(font(kSans, 10, QFont::Bold));
        p.setPen(Qt::white);
        p.drawText(m, Qt::AlignCenter, QStringLiteral("K"));
        ui.text(QRectF(bar.left() + 19, bar.top(), 14, bar.height()), QStringLiteral("中"), 12, ink,
                Qt::AlignCenter);
        ui.text(QRectF(bar.left() + 33, bar.top() - 1, 12, bar.height()), QStringLiteral("，"), 12,
                ink, Qt::AlignCenter);
        const QColor glyph(0x33, 0x3a, 0x45);
        // Soft keyboard.
        const QRectF kb(bar.left() + 48.5, bar.top() + 4.5, 14, 9);
        p.setPen(QPen(glyph, 1.0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(kb, 1.5, 1.5);
        for (int i = 0; i < 4; ++i)
            p.drawPoint(QPointF(kb.left() + 2.5 + i * 3, kb.top() + 3));
        p.drawLine(QPointF(kb.left() + 4, kb.top() + 6), QPointF(kb.right() - 4, kb.top() + 6));
        // Settings cog.
        const QPointF gc(bar.left() + 74, bar.center().y());
        p.setPen(QPen(glyph, 2.0, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < 4; ++i) {
            const QLineF spoke = QLineF::fromPolar(5.2, i * 45.0).translated(gc);
            const QLineF opposite = QLineF::fromPolar(5.2, i * 45.0 + 180).translated(gc);
            p.drawLine(opposite.p2(), spoke.p2());
        }
        p.setPen(QPen(glyph, 1.0));
        p.setBrush(QColor(0xe8, 0xec, 0xf2));
        p.drawEllipse(gc, 3.4, 3.4);

        // The context menu that opens on right click.
        const QRectF menu(66.5, 21.5, 118, 52);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRect(menu.translated(2, 2));
        p.setPen(QPen(QColor(0x86, 0x92, 0xa4), 1.0));
        p.setBrush(Qt::white);
        p.drawRect(menu);
        const QStringList items = {QStringLiteral("中/英文切换"), QStringLiteral("软键盘"),
                                   QString(), QStringLiteral("设置属性…")};
        qreal y = menu.top() + 2;
        for (const QString& item : items) {
            if (item.isEmpty()) {
                p.setPen(QPen(QColor(0xd0, 0xd5, 0xdd), 1.0));
                p.drawLine(QPointF(menu.left() + 4, y + 2), QPointF(menu.right() - 4, y + 2));
                y += 5;
                continue;
            }
            const QRectF row(menu.left() + 2, y, menu.width() - 4, 14.5);
            const bool hit = item.startsWith(QStringLiteral("设置"));
            if (hit) {
                p.setPen(Qt::NoPen);
                p.setBrush(select);
                p.drawRect(row);
            }
            ui.text(row.adjusted(14, 0, 0, 0), item, 12, hit ? Qt::white : ink);
            if (hit)
                ui.redBox(row.adjusted(-2.5, -2, 2.5, 2));
            y += 14.5;
        }
        // The mouse on the status bar's mark, and the way to the menu item.
        const QPainterPath cursor = arrowPath(QPointF(11.5, 81.5), 13);
        p.setPen(QPen(kOutline, 1.0));
        p.setBrush(Qt::white);
        p.drawPath(cursor);
        ui.arrow(QPointF(30, 71), QPointF(59, 65));
    }

    // --- 2: in the settings, open 自定义短语设置.
    ui.step(QPointF(11, 108), 2,
            {QStringLiteral("点击"), QStringLiteral("自定义短语设置"), QStringLiteral("按钮")});
    {
        const QRectF w(4.5, 119.5, 181, 63);
        ui.window(w, QStringLiteral("Kavro输入法 属性设置"));
        // Left navigation.
        const QRectF nav(w.left() + 0.5, w.top() + 15.5, 38, w.height() - 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe3, 0xe8, 0xef));
        p.drawRect(nav);
        const QStringList pages = {QStringLiteral("常规"), QStringLiteral("外观"),
                                   QStringLiteral("词库")};
        for (int i = 0; i < pages.size(); ++i) {
            const QRectF row(nav.left(), nav.top() + 2 + i * 14.5, nav.width(), 14.5);
            const bool sel = i == 2;
            if (sel) {
                p.setPen(Qt::NoPen);
                p.setBrush(select);
                p.drawRect(row);
            }
            ui.text(row, pages[i], 12, sel ? Qt::white : ink, Qt::AlignCenter);
        }
        // Page content: a check box and the button we want.
        const QRectF box(w.left() + 47.5, w.top() + 22.5, 9, 9);
        p.setPen(QPen(QColor(0x5a, 0x66, 0x78), 1.0));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setPen(QPen(QColor(0x1f, 0x5f, 0xc4), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(box.left() + 2, box.top() + 4.5);
        tick.lineTo(box.left() + 4, box.top() + 7);
        tick.lineTo(box.right() - 1.5, box.top() + 2);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
        ui.text(QRectF(box.right() + 4, box.top() - 4, 120, 17), QStringLiteral("启用自定义短语"),
                12, ink);
        const QRectF btn(w.left() + 48.5, w.top() + 38.5, 100, 18);
        ui.button(btn, QStringLiteral("自定义短语设置"));
        ui.redBox(btn.adjusted(-2.5, -2.5, 2.5, 2.5));
    }

    // --- 3: in that dialog press 保存, then 应用.
    ui.step(QPointF(11, 199), 3,
            {QStringLiteral("先点"), QStringLiteral("保存"), QStringLiteral("，再点"),
             QStringLiteral("应用")});
    {
        const QRectF w(4.5, 210.5, 181, 66);
        ui.window(w, QStringLiteral("自定义短语设置"));
        // The phrase text, as the user sees it in the editor.
        const QRectF edit(w.left() + 5, w.top() + 19, w.width() - 10, 25);
        p.setPen(QPen(QColor(0x9a, 0xa5, 0xb5), 1.0));
        p.setBrush(Qt::white);
        p.drawRect(edit);
        const QColor code(0x44, 0x4c, 0x58);
        ui.text(QRectF(edit.left() + 3, edit.top() + 0.5, 170, 12), QStringLiteral("ka,1=か"), 11,
                code);
        ui.text(QRectF(edit.left() + 3, edit.top() + 12, 170, 12),
                QStringLiteral("xiexie,1=ありがとう"), 11, code);
        const qreal by = w.top() + 47.5;
        const QRectF save(w.left() + 12.5, by, 40, 17);
        const QRectF apply(w.left() + 68.5, by, 40, 17);
        const QRectF close(w.left() + 129.5, by, 40, 17);
        ui.button(save, QStringLiteral("保存"));
        ui.button(apply, QStringLiteral("应用"));
        ui.button(close, QStringLiteral("关闭"));
        ui.redBox(save.adjusted(-2.5, -2, 2.5, 2));
        ui.redBox(apply.adjusted(-2.5, -2, 2.5, 2));
        ui.arrow(QPointF(save.right() + 4, save.center().y()),
                 QPointF(apply.left() - 4, apply.center().y()));
    }
    return img;
}

// ---------------------------------------------------------------- Fcitx 5 settings

// Where Fcitx 5 shows the installed phrases, drawn as a generic settings
// window in the same style as the IME menus above.
QImage drawFcitx5Config()
{
    QImage img = threePanels();
    QPainter p(&img);
    prepare(p);
    Ui ui{p};
    const QColor ink(0x1a, 0x1a, 0x1a);
    const QColor select(0x2f, 0x6f, 0xd0);
    const QColor frame(0x9a, 0xa5, 0xb5);

    // --- 1: in the configuration, select Pinyin and configure it.
    ui.step(QPointF(11, 10), 1,
            {QStringLiteral("选中"), QStringLiteral("拼音"), QStringLiteral("，点"),
             QStringLiteral("配置附加组件")});
    {
        const QRectF w(4.5, 21.5, 181, 71);
        ui.window(w, QStringLiteral("Fcitx 配置"));
        // Tab strip, the input method page in front.
        const qreal tabTop = w.top() + 18;
        const QStringList tabs = {QStringLiteral("输入法"), QStringLiteral("全局选项"),
                                  QStringLiteral("附加组件")};
        qreal x = w.left() + 5;
        p.setPen(QPen(frame, 1.0));
        p.drawLine(QPointF(w.left() + 3, tabTop + 14), QPointF(w.right() - 3, tabTop + 14));
        for (int i = 0; i < tabs.size(); ++i) {
            const QRectF tab(x, tabTop, 12.0 * tabs[i].size() + 10, 14);
            p.setPen(QPen(frame, 1.0));
            p.setBrush(i == 0 ? QColor(Qt::white) : QColor(0xe3, 0xe8, 0xef));
            p.drawRoundedRect(tab.adjusted(0, 0, 0, 3), 2, 2);
            if (i == 0) {
                p.setPen(QPen(Qt::white, 1.5));
                p.drawLine(QPointF(tab.left() + 1, tab.bottom()),
                           QPointF(tab.right() - 1, tab.bottom()));
            }
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xf3, 0xf5, 0xf8));
            p.drawRect(QRectF(tab.left() - 0.5, tab.bottom() + 0.5, tab.width() + 1, 3));
            ui.text(tab, tabs[i], 11, ink, Qt::AlignCenter);
            x = tab.right() + 2;
        }
        // The active input methods, Pinyin selected.
        const QRectF list(w.left() + 5.5, tabTop + 18.5, 84, 31);
        p.setPen(QPen(frame, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(list);
        const QStringList methods = {QStringLiteral("键盘 - 英语"), QStringLiteral("拼音")};
        QRectF pinyin;
        for (int i = 0; i < methods.size(); ++i) {
            const QRectF row(list.left() + 1, list.top() + 1 + i * 14.5, list.width() - 2, 14.5);
            const bool sel = i == 1;
            if (sel) {
                p.setPen(Qt::NoPen);
                p.setBrush(select);
                p.drawRect(row);
                pinyin = row;
            }
            ui.text(row.adjusted(5, 0, 0, 0), methods[i], 12, sel ? Qt::white : ink);
        }
        ui.redBox(pinyin.adjusted(-2.5, -2, 2.5, 2));
        const QRectF configure(list.right() + 8, list.top() + 7, 80, 18);
        ui.button(configure, QStringLiteral("配置附加组件"));
        ui.redBox(configure.adjusted(-2.5, -2.5, 2.5, 2.5));
    }

    // --- 2: in Pinyin's settings, edit the custom phrases.
    ui.step(QPointF(11, 108), 2,
            {QStringLiteral("找到"), QStringLiteral("自定义短语"), QStringLiteral("，点"),
             QStringLiteral("编辑")});
    {
        const QRectF w(4.5, 119.5, 181, 66);
        ui.window(w, QStringLiteral("拼音"));
        const qreal rowHeight = 14.5;
        const QStringList options = {QStringLiteral("每页候选词数"), QStringLiteral("启用云拼音"),
                                     QStringLiteral("自定义短语")};
        for (int i = 0; i < options.size(); ++i) {
            const QRectF row(w.left() + 4, w.top() + 17.5 + i * (rowHeight + 0.5), w.width() - 8,
                             rowHeight);
            const QRectF control(row.right() - 46, row.top() + 1.5, 42, rowHeight - 3);
            if (i == 2) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0xdd, 0xe8, 0xf8));
                p.drawRect(row);
            }
            ui.text(row.adjusted(4, 0, 0, 0), options[i], 12, ink);
            if (i == 0) {
                // A number box with its up and down arrows.
                p.setPen(QPen(frame, 1.0));
                p.setBrush(Qt::white);
                p.drawRect(control);
                ui.text(control.adjusted(4, 0, 0, 0), QStringLiteral("5"), 11, ink);
                const qreal mid = control.right() - 5;
                p.drawLine(QPointF(mid - 5, control.top()), QPointF(mid - 5, control.bottom()));
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0x44, 0x4c, 0x58));
                for (const qreal dir : {-1.0, 1.0}) {
                    const qreal tip = control.center().y() + dir * 4.5;
                    const qreal base = control.center().y() + dir * 1.5;
                    p.drawPolygon(QPolygonF(
                        {QPointF(mid, tip), QPointF(mid - 2.5, base), QPointF(mid + 2.5, base)}));
                }
            } else if (i == 1) {
                const QRectF box(control.right() - 10.5, control.top() + 1.5, 9, 9);
                p.setPen(QPen(QColor(0x5a, 0x66, 0x78), 1.0));
                p.setBrush(Qt::white);
                p.drawRect(box);
            } else {
                ui.button(control.adjusted(-4, -1, -4, 1), QStringLiteral("编辑…"));
                ui.redBox(row.adjusted(-1.5, -1.5, 1.5, 1.5));
            }
        }
    }

    // --- 3: the phrases as Fcitx 5 reads them.
    ui.step(
        QPointF(11, 199), 3,
        {QStringLiteral("在"), QStringLiteral("自定义短语"), QStringLiteral("里看到装好的短语")});
    {
        const QRectF w(4.5, 210.5, 181, 66);
        ui.window(w, QStringLiteral("自定义短语"));
        const QRectF table(w.left() + 5, w.top() + 19, w.width() - 10, 43);
        p.setPen(QPen(frame, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(table);
        const qreal columns[] = {table.left(), table.left() + 52, table.left() + 84, table.right()};
        const QRectF header(table.left() + 0.5, table.top() + 0.5, table.width() - 1, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe3, 0xe8, 0xef));
        p.drawRect(header);
        const QStringList heads = {QStringLiteral("缩写"), QStringLiteral("顺序"),
                                   QStringLiteral("短语")};
        const QList<QStringList> rows = {
            {QStringLiteral("ka"), QStringLiteral("1"), QStringLiteral("か")},
            {QStringLiteral("xiexie"), QStringLiteral("1"), QStringLiteral("ありがとう")}};
        const QColor code(0x44, 0x4c, 0x58);
        for (int c = 0; c < 3; ++c) {
            const QRectF cell(columns[c] + 4, header.top(), columns[c + 1] - columns[c] - 4,
                              header.height());
            ui.text(cell, heads[c], 11, ink);
            for (int r = 0; r < rows.size(); ++r)
                ui.text(cell.translated(0, 14.5 * (r + 1)), rows[r][c], 11, code);
        }
        p.setPen(QPen(QColor(0xd0, 0xd5, 0xdd), 1.0));
        for (int c = 1; c < 3; ++c)
            p.drawLine(QPointF(columns[c], table.top() + 1), QPointF(columns[c], table.bottom()));
        ui.redBox(QRectF(table.left() + 1.5, header.bottom() + 1.5, table.width() - 3,
                         table.bottom() - header.bottom() - 3));
    }
    return img;
}

// ---------------------------------------------------------------- Rime deploy

// Where Rime is told to re-read the phrases: the tray menu under Fcitx 5, the
// panel menu under IBus, then the result in the candidate list. Generic
// widgets, in the same style as the two illustrations above.
QImage drawRimeDeploy()
{
    QImage img = threePanels();
    QPainter p(&img);
    prepare(p);
    Ui ui{p};
    const QColor ink(0x1a, 0x1a, 0x1a);
    const QColor select(0x2f, 0x6f, 0xd0);
    const QColor code(0x44, 0x4c, 0x58);
    const qreal rowHeight = 14.5;

    // A popup menu: Rime as the current input method, then its own actions,
    // `hit` selected and boxed in red.
    const auto menu = [&](const QRectF& r, const QStringList& actions, const QString& hit) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRect(r.translated(2, 2));
        p.setPen(QPen(QColor(0x86, 0x92, 0xa4), 1.0));
        p.setBrush(Qt::white);
        p.drawRect(r);
        const QRectF current(r.left() + 2, r.top() + 2, r.width() - 4, rowHeight);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(current.left() + 7, current.center().y()), 2.5, 2.5);
        ui.text(current.adjusted(14, 0, 0, 0), QStringLiteral("中州韵"), 12, ink);
        qreal y = current.bottom() + 2;
        p.setPen(QPen(QColor(0xd0, 0xd5, 0xdd), 1.0));
        p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4, y));
        y += 2;
        for (const QString& action : actions) {
            const QRectF row(r.left() + 2, y, r.width() - 4, rowHeight);
            const bool on = action == hit;
            if (on) {
                p.setPen(Qt::NoPen);
                p.setBrush(select);
                p.drawRect(row);
            }
            ui.text(row.adjusted(14, 0, 0, 0), action, 12, on ? Qt::white : ink);
            if (on)
                ui.redBox(row.adjusted(-2.5, -2, 2.5, 2));
            y += rowHeight;
        }
    };
    const auto pointer = [&](QPointF tip) {
        p.setPen(QPen(kOutline, 1.0));
        p.setBrush(Qt::white);
        p.drawPath(arrowPath(tip, 13));
    };

    // --- 1: Fcitx 5's tray menu, 重新部署.
    ui.step(QPointF(11, 10), 1,
            {QStringLiteral("Fcitx 5：托盘菜单选"), QStringLiteral("重新部署")});
    {
        const QRectF bar(4.5, 75.5, 181, 17);
        QLinearGradient g(0, bar.top(), 0, bar.bottom());
        g.setColorAt(0.0, QColor(0xfb, 0xfc, 0xfe));
        g.setColorAt(1.0, QColor(0xd8, 0xe0, 0xec));
        p.setPen(QPen(QColor(0x7a, 0x8a, 0xa6), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(bar, 4, 4);
        const QColor glyph(0x33, 0x3a, 0x45);
        // Two window buttons on the left, so it reads as the desktop's panel.
        for (int i = 0; i < 2; ++i) {
            const QRectF task(bar.left() + 4 + i * 38, bar.top() + 3, 34, 11);
            p.setPen(QPen(QColor(0x9a, 0xa5, 0xb5), 1.0));
            p.setBrush(QColor(0xee, 0xf1, 0xf6));
            p.drawRoundedRect(task, 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x9a, 0xa5, 0xb5));
            p.drawRect(QRectF(task.left() + 3, task.top() + 3, 5, 5));
            p.drawRect(QRectF(task.left() + 11, task.top() + 4.5, 19, 2));
        }
        // The input method's tray icon, pressed: a keyboard.
        const QRectF icon(bar.left() + 111.5, bar.top() + 1.5, 18, 14);
        p.setPen(QPen(QColor(0x86, 0x92, 0xa4), 1.0));
        p.setBrush(QColor(0xc8, 0xd6, 0xea));
        p.drawRoundedRect(icon, 2.5, 2.5);
        const QRectF kb(icon.left() + 2, icon.top() + 2.5, 14, 9);
        p.setPen(QPen(glyph, 1.0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(kb, 1.5, 1.5);
        for (int i = 0; i < 4; ++i)
            p.drawPoint(QPointF(kb.left() + 2.5 + i * 3, kb.top() + 3));
        p.drawLine(QPointF(kb.left() + 4, kb.top() + 6), QPointF(kb.right() - 4, kb.top() + 6));
        // A speaker and the clock beside it.
        const QPointF sp(bar.left() + 141, bar.center().y());
        p.setPen(Qt::NoPen);
        p.setBrush(glyph);
        p.drawPolygon(QPolygonF({sp + QPointF(-3, -2), sp + QPointF(0, -2), sp + QPointF(3, -5),
                                 sp + QPointF(3, 5), sp + QPointF(0, 2), sp + QPointF(-3, 2)}));
        ui.text(QRectF(bar.left() + 148, bar.top(), 31, bar.height()), QStringLiteral("10:24"), 11,
                ink, Qt::AlignCenter);

        menu(QRectF(38.5, 21.5, 96, 52), {QStringLiteral("重新部署"), QStringLiteral("同步")},
             QStringLiteral("重新部署"));
        pointer(QPointF(icon.right() - 4, icon.top() + 4.5));
    }

    // --- 2: IBus's panel menu for Rime, 部署.
    ui.step(QPointF(11, 108), 2, {QStringLiteral("IBus：输入法菜单选"), QStringLiteral("部署")});
    {
        const QRectF bar(4.5, 119.5, 181, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2b, 0x30, 0x38));
        p.drawRoundedRect(bar, 2, 2);
        ui.text(bar, QStringLiteral("10:24"), 11, Qt::white, Qt::AlignCenter);
        // The input method indicator, opened.
        const QRectF indicator(bar.right() - 56, bar.top() + 1, 26, bar.height() - 2);
        p.setBrush(QColor(0x5a, 0x62, 0x70));
        p.drawRoundedRect(indicator, 3, 3);
        ui.text(indicator.adjusted(3, 0, 0, 0), QStringLiteral("中"), 12, Qt::white);
        p.setBrush(Qt::white);
        const QPointF v(indicator.right() - 6, indicator.center().y() + 1.5);
        p.drawPolygon(QPolygonF({v, v + QPointF(-3, -3), v + QPointF(3, -3)}));
        // A speaker and a power glyph at the right end.
        const QPointF sp(bar.right() - 21, bar.center().y());
        p.drawPolygon(QPolygonF({sp + QPointF(-3, -2), sp + QPointF(0, -2), sp + QPointF(3, -5),
                                 sp + QPointF(3, 5), sp + QPointF(0, 2), sp + QPointF(-3, 2)}));
        const QPointF pw(bar.right() - 8, bar.center().y() + 0.5);
        p.setPen(QPen(Qt::white, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(pw.x() - 4, pw.y() - 4, 8, 8), 120 * 16, 300 * 16);
        p.drawLine(pw + QPointF(0, -5), pw + QPointF(0, -1));

        menu(QRectF(indicator.right() - 96, bar.bottom() + 1, 96, 51.5),
             {QStringLiteral("部署"), QStringLiteral("同步")}, QStringLiteral("部署"));
        pointer(QPointF(indicator.right() - 5, indicator.center().y()));
    }

    // --- 3: after the deploy, the phrase is the first candidate. Listed down, not across:
    // side by side the first two do not fit 192 px at a readable size.
    ui.step(QPointF(11, 199), 3,
            {QStringLiteral("部署后打"), QStringLiteral("xiexie"), QStringLiteral("，首选是日语")});
    {
        const QRectF box(4.5, 211.5, 181, 64.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRect(box.translated(2, 2));
        p.setPen(QPen(QColor(0x86, 0x92, 0xa4), 1.0));
        p.setBrush(Qt::white);
        p.drawRect(box);
        // The typed pinyin with its caret.
        const QRectF typed(box.left() + 6, box.top() + 2, 60, 14);
        ui.text(typed, QStringLiteral("xiexie"), 12, code);
        const qreal caret =
            typed.left() +
            QFontMetricsF(font(kHei, 12)).horizontalAdvance(QStringLiteral("xiexie")) + 1.5;
        p.setPen(QPen(code, 1.0));
        p.drawLine(QPointF(caret, typed.top() + 2), QPointF(caret, typed.bottom() - 2));
        p.setPen(QPen(QColor(0xd0, 0xd5, 0xdd), 1.0));
        p.drawLine(QPointF(box.left() + 4, typed.bottom() + 1.5),
                   QPointF(box.right() - 4, typed.bottom() + 1.5));
        const QStringList candidates = {QStringLiteral("ありがとうございます"),
                                        QStringLiteral("ありがとう"), QStringLiteral("谢谢")};
        for (int i = 0; i < candidates.size(); ++i) {
            const QRectF row(box.left() + 2, typed.bottom() + 3 + i * rowHeight, box.width() - 4,
                             rowHeight);
            const bool first = i == 0;
            if (first) {
                p.setPen(Qt::NoPen);
                p.setBrush(select);
                p.drawRect(row);
            }
            ui.text(row.adjusted(4, 0, 0, 0), QStringLiteral("%1.").arg(i + 1), 12,
                    first ? Qt::white : QColor(0x6a, 0x74, 0x84));
            ui.text(row.adjusted(18, 0, 0, 0), candidates[i], 12, first ? Qt::white : ink);
            if (first)
                ui.redBox(row.adjusted(-2.5, -2, 2.5, 2));
        }
    }
    return img;
}

bool save(const QImage& img, const QDir& dir, const char* name, bool opaque = false)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    // Straight (non-premultiplied) alpha in the file, as every viewer expects;
    // a picture without transparency is stored as plain RGB.
    const QImage out = img.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    if (!out.save(path, "PNG")) {
        std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s (%dx%d)\n", qPrintable(path), img.width(), img.height());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Runs without a display: only fonts and raster painting are needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_artwork OUTPUT_DIR\n");
        return 2;
    }
    for (const QString& family : {kHei, kSans}) {
        if (!QFontDatabase::families().contains(family))
            std::fprintf(stderr,
                         "draw_artwork: warning: font \"%s\" is missing; text will differ\n",
                         qPrintable(family));
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "draw_artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    ok &= save(drawIcon(), dir, "icon.png");
    ok &= save(drawIcon(128), dir, "icon-128.png");
    ok &= save(drawIcon(256), dir, "icon-256.png");
    ok &= save(drawPen(), dir, "pen.png");
    ok &= save(drawHelpArrow(), dir, "help-arrow.png");
    ok &= save(drawTopicArrow(), dir, "topic-arrow.png");
    ok &= save(drawHand(), dir, "hand.png");
    ok &= save(drawLogo(), dir, "logo.png");
    ok &= save(drawImeMenus(), dir, "ime-menus.png", true);
    ok &= save(drawFcitx5Config(), dir, "fcitx5-config.png", true);
    ok &= save(drawRimeDeploy(), dir, "rime-deploy.png", true);
    return ok ? 0 : 1;
}
