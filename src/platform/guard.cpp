#include "platform/guard.h"
#include "core/error.h"
#include "platform/messages.h"

#include <QLoggingCategory>
#include <string_view>

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
        Messages::current().error(errorReportText(std::string_view(e.what()) == "std::bad_alloc"
                                                      ? QStringLiteral("内存不足，无法完成这项操作。")
                                                      : QStringLiteral("程序内部错误，这项操作没有完成。")));
    } catch (...) {
        qCWarning(lcPlatform) << "unknown exception in a command";
        Messages::current().error(errorReportText(QStringLiteral("程序内部错误，这项操作没有完成。")));
    }
    return false;
}

} // namespace mc
