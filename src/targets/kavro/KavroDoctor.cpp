#include "targets/kavro/KavroDoctor.h"

#include "store/FileSteps.h"
#include "targets/kavro/WinePaths.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

#include <unistd.h>

namespace jlex {

namespace {

bool isDir(const QString& path)
{
    return fileState(path, true).kind == FileState::Kind::Directory;
}

// How the phrase file's bytes read: as GBK, as the IME reads them; or as
// UTF-8, which an editor may have saved, and which the IME shows garbled.
struct Encoding {
    int error = 0;
    bool utf8 = false;  // valid UTF-8 with characters beyond ASCII
    qint64 badLine = 0; // the first line that is no GBK text, counted from 1
};

Encoding encodingOf(const QString& path)
{
    Encoding found;
    const int fd = openForReading(path);
    if (fd < 0) {
        found.error = -fd;
        return found;
    }
    QByteArray bytes;
    found.error = readBlocks(fd, 0, std::numeric_limits<qint64>::max(), [&](QByteArrayView b) {
        bytes += b;
        return true;
    });
    ::close(fd);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(bytes);
    found.utf8 = !utf8.hasError() && asUtf8.size() < bytes.size();
    qint64 line = 0;
    for (const QByteArray& text : bytes.split('\n')) {
        ++line;
        // Bytes GBK has no character for come out as the replacement
        // character or in the private use area.
        QStringDecoder gbk("GBK");
        const QString decoded = gbk.decode(text);
        const bool bad = gbk.hasError() || std::any_of(decoded.begin(), decoded.end(), [](QChar c) {
                             return c == QChar::ReplacementCharacter ||
                                    (c.unicode() >= 0xe000 && c.unicode() <= 0xf8ff);
                         });
        if (bad) {
            found.badLine = line;
            break;
        }
    }
    return found;
}

} // namespace

bool KavroDoctor::present() const
{
    return isDir(wineDriveC());
}

QList<Finding> KavroDoctor::findings() const
{
    QList<Finding> found;
    const QString driveC = wineDriveC();
    const QString prefix = QFileInfo(driveC).path();
    const QString checkedPrefix = QStringLiteral("Wine 前缀 %1").arg(prefix);
    if (!isDir(driveC)) {
        found << Finding{checkedPrefix,
                         QStringLiteral("没有 drive_c"),
                         Finding::Verdict::Fails,
                         QStringLiteral("让 WINEPREFIX 指向装有 Kavro 输入法的 Wine 前缀"
                                        "（没有设置时为 ~/.wine）"),
                         {}};
        return found;
    }
    found << Finding{checkedPrefix, QStringLiteral("在"), Finding::Verdict::Holds, {}, {}};

    const QString profile = QStringLiteral("C:\\Documents and Settings\\") + m_paths->userName();
    const QString checkedProfile = QStringLiteral("Windows 用户目录 %1").arg(profile);
    if (!isDir(hostPath(profile))) {
        found << Finding{checkedProfile,
                         QStringLiteral("不存在"),
                         Finding::Verdict::Fails,
                         QStringLiteral("让环境变量 USERNAME 为 Wine 中的 Windows 用户名"
                                        "（%1 下的目录名之一）")
                             .arg(hostPath(QStringLiteral("C:\\Documents and Settings"))),
                         {}};
        return found;
    }
    found << Finding{checkedProfile, QStringLiteral("在"), Finding::Verdict::Holds, {}, {}};

    const QString phrases = m_paths->path(StoreFile::Phrases);
    const QString dir = phrases.left(phrases.lastIndexOf(u'\\') + 1);
    const QString checkedDir = QStringLiteral("Kavro 输入法的目录 %1").arg(dir);
    if (!isDir(m_paths->hostPath(dir))) {
        found << Finding{checkedDir,
                         QStringLiteral("不存在"),
                         Finding::Verdict::Fails,
                         m_paths->edition() == Edition::Login
                             ? QStringLiteral("请在这个 Windows 用户下启动 Kavro 输入法并登录"
                                              "“我的通行证”；没有账户时用公共数据版 jlex-public")
                             : QStringLiteral("请在这个 Windows 用户下启动一次 Kavro 输入法"),
                         {}};
        return found;
    }
    found << Finding{checkedDir, QStringLiteral("在"), Finding::Verdict::Holds, {}, {}};

    const QString host = m_paths->host(StoreFile::Phrases);
    if (fileState(host).isFile()) {
        const QString checkedText = QStringLiteral("短语文件是否为 GBK 编码（输入法按 GBK 读它）");
        const Encoding encoding = encodingOf(host);
        const QString redo = QStringLiteral("在 Kavro 输入法的自定义词条中重新保存，或用 jlex "
                                            "history 找回以前的版本");
        if (encoding.error)
            found << Finding{
                checkedText, QStringLiteral("读不出来"), Finding::Verdict::Note, {}, {}};
        else if (encoding.utf8)
            found << Finding{checkedText,
                             QStringLiteral("不是，它是 UTF-8 编码，输入法会显示成乱码"),
                             Finding::Verdict::Fails,
                             redo,
                             {}};
        else if (encoding.badLine > 0)
            found << Finding{checkedText,
                             QStringLiteral("第 %1 行不是 GBK 编码的文字").arg(encoding.badLine),
                             Finding::Verdict::Fails,
                             redo,
                             {}};
        else
            found << Finding{checkedText, QStringLiteral("是"), Finding::Verdict::Holds, {}, {}};
    }
    return found;
}

} // namespace jlex
