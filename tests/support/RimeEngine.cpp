#include "support/RimeEngine.h"

#include <QDir>

#include <rime_api.h>

#include <utility>

namespace {

const QString sharedData = QStringLiteral("/usr/share/rime-data");
const RimeEngine* live = nullptr;

RimeApi& rime()
{
    return *rime_get_api();
}

} // namespace

const QStringList RimeEngine::schemas = {"luna_pinyin", "luna_pinyin_simp", "luna_pinyin_tw",
                                         "luna_pinyin_fluency", "luna_quanpin"};

QString RimeEngine::unavailable()
{
    QStringList files = {"default.yaml", "luna_pinyin.dict.yaml"};
    for (const QString& schema : schemas)
        files << schema + ".schema.yaml";
    for (const QString& file : files) {
        if (!QFile::exists(sharedData + '/' + file))
            return file + " is missing from " + sharedData +
                   " (rime-prelude, rime-data-luna-pinyin)";
    }
    return {};
}

RimeEngine::RimeEngine()
{
    if (!live)
        live = this;
    QFile list(m_dir.filePath(QStringLiteral("default.custom.yaml")));
    if (list.open(QIODevice::WriteOnly))
        list.write("patch:\n  schema_list:\n    - schema: " +
                   schemas.join("\n    - schema: ").toUtf8() + '\n');
}

RimeEngine::~RimeEngine()
{
    endSession();
    if (m_running)
        rime().finalize();
    if (live == this)
        live = nullptr;
}

bool RimeEngine::deploy()
{
    m_error = live != this       ? QStringLiteral("another RimeEngine is running")
              : !m_dir.isValid() ? QStringLiteral("no user folder: ") + m_dir.errorString()
                                 : QString();
    // Rime rebuilds for a source only when its modification time in whole seconds
    // changed: a file rewritten within the same second is moved on one.
    const QDir dir(m_dir.path());
    QHash<QString, QDateTime> built;
    for (const QFileInfo& yaml : dir.entryInfoList({QStringLiteral("*.yaml")}, QDir::Files)) {
        QDateTime time = yaml.lastModified();
        const QDateTime last = m_built.value(yaml.fileName());
        QFile file(yaml.filePath());
        if (time != last && time.toSecsSinceEpoch() == last.toSecsSinceEpoch() &&
            !(file.open(QIODevice::ReadOnly) &&
              file.setFileTime(time = last.addSecs(1), QFileDevice::FileModificationTime)))
            m_error = "cannot set the time of " + file.fileName();
        built.insert(yaml.fileName(), time);
    }
    m_built = built;
    if (!m_error.isEmpty())
        return false;
    endSession();
    if (std::exchange(m_running, true))
        rime().finalize();
    const QByteArray userDir = QFile::encodeName(m_dir.path());
    const QByteArray shared = QFile::encodeName(sharedData);
    RimeTraits traits{};
    RIME_STRUCT_INIT(RimeTraits, traits);
    traits.shared_data_dir = shared.constData();
    traits.user_data_dir = userDir.constData();
    traits.app_name = "rime.jlex-test";
    traits.min_log_level = 3;  // fatal only: no log files left in /tmp
    static bool setUp = false; // a second setup aborts the process (logging)
    if (!std::exchange(setUp, true))
        rime().setup(&traits);
    rime().initialize(&traits);
    const bool started = rime().start_maintenance(True);
    rime().join_maintenance_thread();
    for (const QString& schema : schemas) {
        if (!started || !dir.exists("build/" + schema + ".schema.yaml"))
            m_error = "the deploy did not build " + schema;
    }
    return m_error.isEmpty();
}

void RimeEngine::endSession()
{
    if (m_session)
        rime().destroy_session(m_session);
    m_session = 0;
}

bool RimeEngine::select(const QString& schema)
{
    endSession(); // an open session would keep the custom phrases it read
    if (!m_running || !schemas.contains(schema))
        return false;
    m_session = rime().create_session();
    return m_session && rime().select_schema(m_session, schema.toUtf8().constData());
}

void RimeEngine::setOption(const char* name, bool on)
{
    rime().set_option(m_session, name, on ? True : False);
}

QStringList RimeEngine::candidates(const QString& keys)
{
    QStringList texts;
    rime().clear_composition(m_session);
    RimeCandidateListIterator it{};
    if (rime().simulate_key_sequence(m_session, keys.toUtf8().constData()) &&
        rime().candidate_list_begin(m_session, &it)) {
        while (rime().candidate_list_next(&it))
            texts << QString::fromUtf8(it.candidate.text);
        rime().candidate_list_end(&it);
    }
    return texts;
}

QString RimeEngine::choose(const QString& keys, int index)
{
    const auto committed = [this] {
        QString text;
        RimeCommit commit{};
        RIME_STRUCT_INIT(RimeCommit, commit);
        if (rime().get_commit(m_session, &commit)) {
            text = QString::fromUtf8(commit.text);
            rime().free_commit(&commit);
        }
        return text;
    };
    rime().clear_composition(m_session);
    if (!rime().simulate_key_sequence(m_session, keys.toUtf8().constData()) ||
        !rime().select_candidate(m_session, static_cast<size_t>(index)))
        return {};
    // luna_pinyin_fluency holds a choice until Return.
    const QString text = committed();
    return text.isEmpty() && rime().simulate_key_sequence(m_session, "{Return}") ? committed()
                                                                                 : text;
}
