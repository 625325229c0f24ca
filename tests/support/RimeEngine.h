#pragma once

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

// Rime itself (librime and Debian's luna_pinyin data) on a user folder of its
// own, typed into as a user would. librime is global to the process: one engine
// lives at a time, and each starts librime afresh on its own folder.
class RimeEngine {
public:
    // The folder's schema list: the stock one also builds cangjie and bopomofo,
    // which makes a deploy take seconds instead of a fraction of one.
    static const QStringList schemas;

    // Why Rime cannot run here, for QSKIP; empty when it can.
    static QString unavailable();

    // A fresh user folder holding only the schema list (default.custom.yaml);
    // write what a test needs into it, then deploy().
    RimeEngine();
    ~RimeEngine();

    QString userDir() const { return m_dir.path(); }
    QString error() const { return m_error; }

    // What a front end's redeploy does: librime restarted, the schemas rebuilt
    // where their sources changed. A changed .custom.yaml needs it; a changed
    // custom_phrase.txt needs only select().
    bool deploy();

    // A new session on the schema, with its default options; it reads
    // custom_phrase.txt afresh.
    bool select(const QString& schema);
    void setOption(const char* name, bool on);

    // Every candidate offered for the keys, across all pages, in order.
    QStringList candidates(const QString& keys);
    // Types the keys and chooses a candidate: the text committed, if any.
    // Choosing teaches Rime: its own words may move up afterwards.
    QString choose(const QString& keys, int index);

private:
    void endSession();

    QTemporaryDir m_dir;
    quintptr m_session = 0;
    bool m_running = false;
    QHash<QString, QDateTime> m_built; // the .yaml files as the last deploy found them
    QString m_error;
};
