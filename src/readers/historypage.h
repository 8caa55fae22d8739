#pragma once
#include <QString>
#include <QStringList>

namespace mc::readers {

// Builds the local today-in-history page from the rendered text of the remote one.
class HistoryPage final {
public:
    // Longest line, in GB18030 bytes, kept from the remote text; the rest of a line is cut off.
    static constexpr qsizetype kLineLimit = 4096;

    explicit HistoryPage(QString folder) : m_folder(std::move(folder)) {}

    // When title is the today-in-history title, writes the page built from bodyText to lsjt.dat
    // in the folder and returns that file's path; otherwise does nothing and returns "".
    // Throws mc::Error when the file cannot be written.
    QString handle(const QString &title, const QString &bodyText) const;

    // The remote body text as lines, each cut to the line limit.
    static QStringList sourceLines(const QString &bodyText);
    // The generated page: fixed head, one paragraph per event line, closing span.
    static QStringList pageLines(const QStringList &source);

private:
    QString m_folder;
};

} // namespace mc::readers
