#include "startup/subjects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace mc::bench {
namespace {

void writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

// A home with a silent speech output (nothing may wait for an audio device) and a private
// runtime folder.
QString makeHome(const QString &folder)
{
    const QString home = QDir(folder).filePath(QStringLiteral("home"));
    writeFile(home + QStringLiteral("/.config/speech-dispatcher/speechd.conf"), "AudioOutputMethod \"libao\"\n");
    writeFile(home + QStringLiteral("/.libao"), "default_driver=null\n");
    QDir().mkpath(home + QStringLiteral("/run"));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return home;
}

} // namespace

QList<Subject> startupSubjects(const QString &binDir, const QString &work, bool peer)
{
    QList<Subject> out;
    const QString program = QStringLiteral(MC_PROGRAM);
    if (!QFile::exists(program) || !QFile::exists(QStringLiteral(MC_SOURCE_DIR "/data/xhb.db")))
        return out;
    out.append({QStringLiteral("ours"),
                program,
                {},
                QStringLiteral(MC_SOURCE_DIR),
                makeHome(work + QStringLiteral("/ours")),
                QStringLiteral("明川字典词典 Z2020 build 01.01")});
    out.append({QStringLiteral("floor"),
                QDir(binDir).filePath(QStringLiteral("startup_floor")),
                {},
                work,
                makeHome(work + QStringLiteral("/floor")),
                QString()});

    const QString peerProgram = QStandardPaths::findExecutable(QStringLiteral("goldendict"));
    if (!peer || peerProgram.isEmpty())
        return out;
    const QString dict = work + QStringLiteral("/peer/dict");
    if (!QFile::exists(dict + QStringLiteral("/words.ifo"))) {
        const int status = QProcess::execute(QStringLiteral(MC_SOURCE_DIR "/bench/startup/stardict.sh"),
                                             {QStringLiteral(MC_SOURCE_DIR "/data/xhi.db"), dict});
        if (status != 0)
            return out;
    }
    Subject p{QStringLiteral("peer"), peerProgram, {}, work, makeHome(work + QStringLiteral("/peer")), QString()};
    const QString config = p.home + QStringLiteral("/.goldendict/config");
    if (!QFile::exists(config))
        writeFile(config, "<config><paths><path recursive=\"0\">" + dict.toUtf8() + "</path></paths></config>\n");
    // Its first start indexes the dictionary's text, in the background; later starts do not.
    if (!QFileInfo::exists(p.home + QStringLiteral("/.cache/goldendict/index")))
        p.warmUpSettleMs = 180000;
    out.append(p);
    return out;
}

QProcessEnvironment subjectEnvironment(const Subject &subject, const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY",
                             "MINGCHUAN_INSTANCE", "LD_PRELOAD"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), subject.home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), subject.home + QStringLiteral("/run"));
    env.insert(QStringLiteral("DISPLAY"), display);
    if (::geteuid() == 0) // the web engines' sandbox cannot run as root
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    return env;
}

} // namespace mc::bench
