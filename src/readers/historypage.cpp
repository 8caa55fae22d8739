#include "readers/historypage.h"
#include "platform/textcodec.h"
#include "readers/texts.h"
#include "services/historylayout.h"

#include <QDir>
#include <QRegularExpression>

namespace mc::readers {

QString HistoryPage::handle(const QString &title, const QString &bodyText) const
{
    if (title != services::history::kTitle)
        return QString();
    const QString path = QDir(m_folder).filePath(texts::kHistoryFile);
    textcodec::writeLines(path, pageLines(sourceLines(bodyText)));
    return path;
}

QStringList HistoryPage::sourceLines(const QString &bodyText)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = bodyText.split(lineBreak);
    // A text ending in a line break has no further, empty line.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.size() * 4 > kLineLimit) // cheap check first: no line under 1,024 characters is cut
            line = textcodec::truncateToBytes(line, kLineLimit);
    }
    return lines;
}

QStringList HistoryPage::pageLines(const QStringList &source)
{
    QStringList page(std::begin(texts::kHistoryPageHead), std::end(texts::kHistoryPageHead));
    auto indexOf = [&source](const QString &marker) -> qsizetype {
        for (qsizetype i = 0; i < source.size(); ++i) {
            if (source.at(i).compare(marker, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };
    // The events stand between these two markers, at fixed distances from them.
    using namespace services::history;
    const qsizetype first = indexOf(dateSelectionLine()) + 1 + kLinesBeforeEvents;
    const qsizetype last = indexOf(kKeywordLine) - 1 - kLinesAfterEvents;
    for (qsizetype i = first; i <= last && i < source.size(); ++i) {
        // Remote text must never become markup or script in a local page.
        page.append(QStringLiteral("<p>") + source.at(i).toHtmlEscaped() + QStringLiteral("</p>"));
    }
    page.append(texts::kHistoryPageTail);
    return page;
}

} // namespace mc::readers
