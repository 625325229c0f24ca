#include "targets/rime/RimeDoctor.h"

#include "ops/Operations.h"
#include "store/FileSteps.h"
#include "store/UserDirs.h"
#include "targets/shared/Fcitx5Controller.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace jlex {

namespace {

const QString kShared = QStringLiteral("/usr/share/rime-data");

QByteArray readSmall(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4 << 20) : QByteArray();
}

QString firstMatch(const QByteArray& text, const QString& pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption)
        .match(QString::fromUtf8(text))
        .captured(1);
}

bool isDir(const QString& path)
{
    return fileState(path, true).kind == FileState::Kind::Directory;
}

Finding finding(const QString& checked, const QString& found, Finding::Verdict verdict,
                const QString& advice = {}, const QString& fix = {})
{
    return {checked, found, verdict, advice, fix};
}

class RedeployFix : public Fix {
public:
    explicit RedeployFix(std::shared_ptr<PhraseReloader> deploy) : m_deploy(std::move(deploy)) {}
    QString name() const override { return QStringLiteral("redeploy"); }
    QString question() const override
    {
        return QStringLiteral("请 fcitx5-rime 重新部署，读入新的自定义短语？");
    }
    bool apply(QString* said) override
    {
        const bool done = m_deploy && m_deploy->reload();
        *said = done ? QStringLiteral("已请 fcitx5-rime 重新部署。")
                     : QStringLiteral("没能请 fcitx5-rime 重新部署：它没有在运行。");
        return done;
    }

private:
    std::shared_ptr<PhraseReloader> m_deploy;
};

// The schema patch jlex keeps in step with its tables: written again where
// it went missing. Uninstall takes it away with the tables.
class SimplifierFix : public Fix {
public:
    SimplifierFix(std::shared_ptr<const RimePaths> paths, std::shared_ptr<const SideFile> patch,
                  std::shared_ptr<PhraseReloader> deploy)
        : m_paths(std::move(paths)), m_patch(std::move(patch)), m_deploy(std::move(deploy))
    {}
    QString name() const override { return QStringLiteral("simplifier"); }
    QString question() const override
    {
        return QStringLiteral("在 %1 中加上让简繁转换不改动自定义短语的一行，并重新部署？")
            .arg(m_patch->path());
    }
    bool apply(QString* said) override
    {
        const OperationResult result = refreshSideFiles({*m_paths, nullptr, {m_patch}, {}});
        if (!result.succeeded()) {
            *said = failureMessage(QStringLiteral("修正"), *result.failure);
            return false;
        }
        const bool deployed = m_deploy && m_deploy->reload();
        *said = !result.advice.isEmpty() ? result.advice
                : deployed ? QStringLiteral("已加上，并已请 fcitx5-rime 重新部署。")
                           : QStringLiteral("已加上；请在输入法菜单中选择“部署”。");
        return result.advice.isEmpty();
    }

private:
    std::shared_ptr<const RimePaths> m_paths;
    std::shared_ptr<const SideFile> m_patch;
    std::shared_ptr<PhraseReloader> m_deploy;
};

// The schema a new session starts with: the one last chosen, else the
// first of the schema list.
QString selectedSchema(const QString& dir)
{
    const QString chosen =
        firstMatch(readSmall(dir + QStringLiteral("/user.yaml")),
                   QStringLiteral("^\\s*previously_selected_schema:\\s*\"?([A-Za-z0-9_.-]+)"));
    if (!chosen.isEmpty())
        return chosen;
    for (const QString& file :
         {dir + QStringLiteral("/build/default.yaml"), dir + QStringLiteral("/default.custom.yaml"),
          kShared + QStringLiteral("/default.yaml")}) {
        const QString first = firstMatch(
            readSmall(file), QStringLiteral("^\\s*-\\s*\\{?\\s*schema:\\s*\"?([A-Za-z0-9_.-]+)"));
        if (!first.isEmpty())
            return first;
    }
    return QStringLiteral("luna_pinyin");
}

} // namespace

RimeDoctor::RimeDoctor(std::shared_ptr<const RimePaths> paths,
                       std::shared_ptr<PhraseReloader> deploy,
                       std::shared_ptr<const SideFile> schemaPatch, bool folderGiven)
    : m_paths(std::move(paths)), m_deploy(std::move(deploy)), m_schemaPatch(std::move(schemaPatch)),
      m_folderGiven(folderGiven)
{}

bool RimeDoctor::present() const
{
    return isDir(m_paths->rimeDir());
}

QList<std::shared_ptr<Fix>> RimeDoctor::fixes() const
{
    return {std::make_shared<RedeployFix>(m_deploy),
            std::make_shared<SimplifierFix>(m_paths, m_schemaPatch, m_deploy)};
}

QList<Finding> RimeDoctor::findings() const
{
    using V = Finding::Verdict;
    QList<Finding> found;
    const QString dir = m_paths->rimeDir();
    const QString fcitx5Dir = dataHome(nullptr) + QStringLiteral("/fcitx5/rime");
    const QString ibusDir = configHome(nullptr) + QStringLiteral("/ibus/rime");
    const bool fcitx5Rime = fcitx5HasAddon(QStringLiteral("rime"));
    const QString whose = m_folderGiven      ? QStringLiteral("用 --rime-dir 指定")
                          : dir == fcitx5Dir ? QStringLiteral("fcitx5-rime 的")
                                             : QStringLiteral("ibus-rime 的");
    const QString checkedDir = QStringLiteral("Rime 用户文件夹");
    if (!isDir(dir)) {
        found << finding(checkedDir, QStringLiteral("%1 %2 不存在").arg(whose, dir), V::Fails,
                         QStringLiteral("安装并启动 fcitx5-rime 或 ibus-rime，部署一次；"
                                        "别处的 Rime 用 --rime-dir 指定它的用户文件夹"));
        return found;
    }
    found << finding(checkedDir, QStringLiteral("%1 %2").arg(whose, dir), V::Holds);

    const QString checkedRunning = QStringLiteral("正在运行的 Rime 前端");
    if (fcitx5Rime && !m_folderGiven && dir != fcitx5Dir)
        found << finding(
            checkedRunning,
            QStringLiteral("fcitx5-rime，它读的是 %1，不是本程序写的文件夹").arg(fcitx5Dir),
            V::Fails, QStringLiteral("加上 --rime-dir %1 再安装").arg(fcitx5Dir));
    else if (fcitx5Rime)
        found << finding(checkedRunning, QStringLiteral("fcitx5-rime"), V::Holds);
    else
        found << finding(checkedRunning,
                         isDir(ibusDir) && dir == ibusDir
                             ? QStringLiteral("没有找到正在运行的 fcitx5-rime；用 ibus-rime "
                                              "时本程序无法请它部署")
                             : QStringLiteral("没有找到正在运行的 fcitx5-rime；Rime 下次启动并"
                                              "部署时读入短语"),
                         V::Note);

    const QString schema = selectedSchema(dir);
    found << finding(QStringLiteral("选用的方案"), schema, V::Note);
    // The deployed schema holds the user's patches; before a deploy, the source.
    QByteArray schemaText =
        readSmall(dir + QStringLiteral("/build/") + schema + QStringLiteral(".schema.yaml"));
    const bool built = !schemaText.isEmpty();
    if (!built)
        schemaText = readSmall(dir + u'/' + schema + QStringLiteral(".schema.yaml"));
    if (schemaText.isEmpty())
        schemaText = readSmall(kShared + u'/' + schema + QStringLiteral(".schema.yaml"));
    const QString checkedReads = QStringLiteral("方案 %1 是否读入 custom_phrase.txt").arg(schema);
    const bool translator = schemaText.contains("table_translator@custom_phrase");
    const bool userDict =
        QRegularExpression(QStringLiteral("^\\s*user_dict:\\s*custom_phrase\\s*$"),
                           QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(schemaText))
            .hasMatch();
    if (schemaText.isEmpty())
        found << finding(checkedReads, QStringLiteral("找不到这个方案的设置"), V::Note);
    else if (translator && userDict)
        found << finding(checkedReads, QStringLiteral("读入"), V::Holds);
    else
        found << finding(
            checkedReads, QStringLiteral("不读入：它没有名为 custom_phrase 的短语翻译器"), V::Fails,
            QStringLiteral("在 %1/%2.custom.yaml 的 patch: 下加上"
                           "“engine/translators/@before 0: table_translator@custom_phrase”和"
                           "“custom_phrase: {dictionary: \"\", user_dict: custom_phrase, "
                           "db_class: stabledb, enable_completion: false, enable_sentence: false, "
                           "initial_quality: 1}”两行，再重新部署；或改用朙月拼音各方案")
                .arg(dir, schema));

    const QString checkedDeployed = QStringLiteral("上次部署之后短语文件是否改过");
    const qint64 lastBuild = firstMatch(readSmall(dir + QStringLiteral("/user.yaml")),
                                        QStringLiteral("^\\s*last_build_time:\\s*(\\d+)"))
                                 .toLongLong();
    const FileState phrases = fileState(m_paths->host(StoreFile::Phrases), true);
    if (phrases.exists() && lastBuild == 0)
        found << finding(checkedDeployed, QStringLiteral("这个文件夹还没有部署过"), V::Fails,
                         QStringLiteral("在输入法菜单中选择“部署”"),
                         fcitx5Rime ? QStringLiteral("redeploy") : QString());
    else if (phrases.exists() && phrases.modified.tv_sec > lastBuild)
        found << finding(checkedDeployed,
                         QStringLiteral("改过：短语文件 %1，上次部署 %2")
                             .arg(QDateTime::fromSecsSinceEpoch(phrases.modified.tv_sec)
                                      .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                  QDateTime::fromSecsSinceEpoch(lastBuild).toString(
                                      QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                         V::Fails, QStringLiteral("在输入法菜单中选择“重新部署”或“部署”"),
                         fcitx5Rime ? QStringLiteral("redeploy") : QString());
    else if (phrases.exists())
        found << finding(checkedDeployed, QStringLiteral("没有，已部署"), V::Holds);

    // The simplifier turns jlex's kanji into simplified ones unless user
    // tables are kept out of it.
    const QString checkedSimplifier = QStringLiteral("简繁转换是否改动日语汉字");
    const bool simplifier = schemaText.contains("- simplifier");
    QByteArray simplifierText; // the simplifier: map, down to the next top-level key
    bool inSection = false;
    for (const QByteArray& line : schemaText.split('\n')) {
        if (!line.startsWith(' ') && !line.startsWith('\t'))
            inSection = line.startsWith("simplifier:");
        if (inSection)
            simplifierText += line + '\n';
    }
    if (!simplifier)
        found << finding(checkedSimplifier, QStringLiteral("方案没有简繁转换"), V::Holds);
    else if (built && simplifierText.contains("user_table"))
        found << finding(checkedSimplifier, QStringLiteral("不改动：自定义短语不经过它"), V::Holds);
    else if (!built && readSmall(m_schemaPatch->path()).contains("user_table"))
        found << finding(checkedSimplifier, QStringLiteral("部署之后不改动"), V::Holds);
    else
        found << finding(checkedSimplifier, QStringLiteral("会改动：打开简化字时 愛 会变成 爱"),
                         V::Fails, m_schemaPatch->advice(), QStringLiteral("simplifier"));

    const QString checkedCharset = QStringLiteral("字符集过滤是否挡住日语汉字");
    if (schemaText.contains("charset_filter"))
        found << finding(
            checkedCharset,
            QStringLiteral("方案用了 charset_filter，常用字符集以外的日语汉字会被滤掉"), V::Fails,
            QStringLiteral("用方案的开关打开“extended_charset”（增广字集，"
                           "Ctrl+Shift+5），或在方案中去掉 charset_filter"));
    else
        found << finding(checkedCharset, QStringLiteral("方案没有字符集过滤"), V::Holds);
    return found;
}

} // namespace jlex
