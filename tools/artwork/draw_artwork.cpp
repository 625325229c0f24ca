// Draws jlex's pictures: the icon and four mouse pointers into assets/, and
// each registered input method's pictures (src/targets/NAME/artwork.cpp) into
// its own folder. Everything is painted here with QPainter so the PNGs can be
// regenerated at any time:
//
//   cmake -S tools/artwork -B /tmp/artwork-build
//   cmake --build /tmp/artwork-build
//   /tmp/artwork-build/draw_artwork .      # from the source tree's top
//
// Pointer hotspots (the program passes them to QCursor):
//   pen.png          64x64  hotspot (2, 2)   - the nib's point
//   help-arrow.png   32x32  hotspot (1, 1)   - the arrow's point
//   topic-arrow.png  32x32  hotspot (1, 1)   - the arrow's point
//   hand.png         32x32  hotspot (12, 1)  - the index fingertip

#include "Drawing.h"

namespace {

using namespace artwork;

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
        std::fprintf(stderr, "usage: draw_artwork SOURCE_DIR\n");
        return 2;
    }
    for (const QString& family : {kHei, kSans}) {
        if (!QFontDatabase::families().contains(family))
            std::fprintf(stderr,
                         "draw_artwork: warning: font \"%s\" is missing; text will differ\n",
                         qPrintable(family));
    }
    const QDir top(QString::fromLocal8Bit(argv[1]));
    const QDir dir(top.filePath(QStringLiteral("assets")));
    if (!dir.exists()) {
        std::fprintf(stderr, "draw_artwork: %s is not jlex's source tree\n", argv[1]);
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
    for (const Picture& picture : pictures())
        ok &= save(picture.draw(),
                   QDir(top.filePath(QStringLiteral("src/targets/") +
                                     QString::fromLatin1(picture.folder))),
                   picture.file, picture.opaque);
    return ok ? 0 : 1;
}
