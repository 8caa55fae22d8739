#include "store/connection.h"
#include "core/error.h"

#include <QStringList>

namespace mc::store {
namespace {
const QString kPasswordKey = QStringLiteral("Jet OLEDB:Database Password=");
}

QString connectionText(const QString &dataSource, const QString &password)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dataSource
        + QStringLiteral(";Mode=Share Deny Read|Share Deny Write;Persist Security Info=False;") + kPasswordKey
        + password;
}

ConnectionSettings parseConnectionText(const QString &text)
{
    ConnectionSettings settings;
    QString rest = text;
    // The password comes last and may hold any character, ';' included.
    const qsizetype passwordAt = rest.indexOf(kPasswordKey, 0, Qt::CaseInsensitive);
    if (passwordAt >= 0) {
        settings.password = rest.mid(passwordAt + kPasswordKey.size());
        rest.truncate(passwordAt);
    }
    const QStringList parts = rest.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed();
        const QString value = part.mid(eq + 1).trimmed();
        if (key.compare(QLatin1String("Provider"), Qt::CaseInsensitive) == 0) {
            settings.provider = value;
        } else if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0) {
            settings.dataSource = value;
        } else if (key.compare(QLatin1String("Mode"), Qt::CaseInsensitive) == 0) {
            settings.shareDenyRead = value.contains(QLatin1String("Share Deny Read"), Qt::CaseInsensitive);
            settings.shareDenyWrite = value.contains(QLatin1String("Share Deny Write"), Qt::CaseInsensitive);
        }
    }
    if (settings.dataSource.isEmpty())
        throw Error(QStringLiteral("程序内部错误：没有指定数据库文件。"));
    return settings;
}

} // namespace mc::store
