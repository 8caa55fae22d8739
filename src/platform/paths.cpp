#include "platform/paths.h"
#include "core/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace mc::paths {
namespace {

const QString kName = QStringLiteral("mingchuan");

QString userFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QDir(QStandardPaths::writableLocation(location)).filePath(kName);
    QDir().mkpath(folder);
    return folder;
}

} // namespace

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString sharedFolder(const QString &program)
{
    return QDir::cleanPath(program + QStringLiteral("/../share/mingchuan"));
}

bool isInstalled(const QString &program)
{
    return QFileInfo(program).fileName() == QLatin1String("bin") && QFileInfo(sharedFolder(program)).isDir();
}

QStringList storeFolders(const QString &program)
{
    return {QStringLiteral("data"), QDir(program).filePath(QStringLiteral("data")),
            QDir(sharedFolder(program)).filePath(QStringLiteral("data"))};
}

QString findStoreFolder(const QStringList &storeFiles, const QString &program)
{
    const QStringList folders = storeFolders(program);
    QStringList looked;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &file : storeFiles) {
            if (QFileInfo::exists(dir.filePath(file)))
                return folder;
        }
        const QString absolute = QDir::cleanPath(dir.absolutePath());
        if (!looked.contains(absolute))
            looked.append(absolute);
    }
    throw Error(QStringLiteral("找不到数据库文件。找过的文件夹：%1，都没有 %2 等数据库文件。")
                    .arg(looked.join(QStringLiteral("、")), storeFiles.value(0)));
}

QString shippedFile(const QString &relative, const QString &program)
{
    const QString beside = QDir(program).filePath(relative);
    if (QFileInfo::exists(beside))
        return beside;
    const QString shared = QDir(sharedFolder(program)).filePath(relative);
    return QFileInfo::exists(shared) ? shared : beside;
}

QString cacheFolder()
{
    return userFolder(QStandardPaths::GenericCacheLocation);
}

QString configFolder()
{
    return userFolder(QStandardPaths::GenericConfigLocation);
}

QString dataFolder()
{
    return userFolder(QStandardPaths::GenericDataLocation);
}

void setUpSettings()
{
    QCoreApplication::setOrganizationName(kName);
    QCoreApplication::setApplicationName(kName);
    const QString old = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                            .filePath(QStringLiteral("Unknown Organization/mingchuan.conf"));
    if (!QFileInfo::exists(old))
        return;
    QSettings settings;
    if (settings.allKeys().isEmpty()) {
        const QSettings previous(old, QSettings::NativeFormat);
        const QStringList keys = previous.allKeys();
        for (const QString &key : keys)
            settings.setValue(key, previous.value(key));
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return; // keep the old file for the next start
    }
    QFile::remove(old);
    QDir().rmdir(QFileInfo(old).path()); // only when nothing else is left in it
}

QString writeFolder(Written kind, const QString &program)
{
    if (!isInstalled(program) && QFileInfo(program).isWritable())
        return program;
    return kind == Written::Page ? cacheFolder() : configFolder();
}

} // namespace mc::paths
