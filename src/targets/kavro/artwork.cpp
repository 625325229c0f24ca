// The Kavro IME's pictures: its vendor's logo and the IME's menus where the
// custom phrases are re-applied. Drawn by tools/artwork.
#include "Drawing.h"

namespace {

using namespace artwork;

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

const bool kLogo = addPicture(JLEX_TARGET_FOLDER, "logo.png", drawLogo, false);
const bool kImeMenus = addPicture(JLEX_TARGET_FOLDER, "ime-menus.png", drawImeMenus, true);

} // namespace
