#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace mc::readers {

// The keyword as a query value: UTF-8 bytes, letters, digits and ! $ ' ( ) * - . @ _ as they are,
// space as "+", every other byte as %XX.
QString encodeKeyword(const QString &keyword);

// Removes spaces and control characters from both ends; the ideographic space stays.
QString trimKeyword(const QString &text);

// Text as a line list holds it: split at CR, LF or CR LF, and joined with CR LF after every line.
QStringList textLines(const QString &text);
QString listText(const QString &text);

// The answer page cleaned of the search service's names, its movie, images and link targets.
QString cleanAnswerPage(const QString &pageText);

// The lines written to the result file; a page without any text gives the not-collected line.
QStringList resultLines(const QString &pageText);

// The online dictionary lookup: asks for a keyword, fetches the answer page, cleans it, writes it
// to temp.html in the folder and shows it.
class OnlineLookup final {
public:
    struct Steps {
        std::function<QString()> ask;                  // the entered text, "" on Cancel
        std::function<QString(const QString &)> fetch; // address → root HTML; throws on failure
        std::function<void(const QString &)> show;     // shows the written file
    };

    OnlineLookup(Steps steps, QString folder, QString searchBase);

    // Every failure after the keyword is known ends in one message; nothing is thrown.
    void run() const;

    QString searchAddress(const QString &encodedKeyword) const;

private:
    Steps m_steps;
    QString m_folder;
    QString m_searchBase;
};

} // namespace mc::readers
