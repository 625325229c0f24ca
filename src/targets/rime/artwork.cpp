// Rime's menu, where it is made to deploy. Drawn by tools/artwork.
#include "Drawing.h"

namespace {

using namespace artwork;

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

const bool kRimeDeploy = addPicture(JLEX_TARGET_FOLDER, "rime-deploy.png", drawRimeDeploy, true);

} // namespace
