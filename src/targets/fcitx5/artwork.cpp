// Fcitx 5's settings, where the custom phrases are seen. Drawn by tools/artwork.
#include "Drawing.h"

namespace {

using namespace artwork;

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

const bool kFcitx5Config =
    addPicture(JLEX_TARGET_FOLDER, "fcitx5-config.png", drawFcitx5Config, true);

} // namespace
