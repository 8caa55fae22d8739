#include "platform/guard.h"
#include "platform/error.h"
#include "platform/messages.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPlatform, "mc.platform")

namespace mc {

bool guarded(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const Error &e) {
        Messages::current().error(errorReportText(e.text()));
    } catch (const std::exception &e) {
        Messages::current().error(errorReportText(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        qCWarning(lcPlatform) << "unknown exception in a command";
        Messages::current().error(errorReportText(QStringLiteral("未知错误")));
    }
    return false;
}

} // namespace mc
