#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class QAction;
class QBoxLayout;
class QMenu;
class QWidget;

namespace mc::app {

class QuickLookupWindow;
class SheetDialog;

// Puts "部件" and "生成字帖…" into the quick lookup's row of buttons. "部件" shows the parts panel
// under the box (made, and parts.db loaded, the first time); a character clicked there is looked
// up, and a query typed as "+木子" opens the panel with those parts picked. "生成字帖…" opens the
// sheet dialog on the box's text.
void attachLearning(QuickLookupWindow *window, QBoxLayout *buttonRow, const QString &dataDir);

// Opens the sheet dialog (a window of its own, gone when closed) on the text.
SheetDialog *openSheetDialog(QWidget *parent, const QString &dataDir, const QString &text);

// A "生成字帖…" item at the end of the menu, opening the dialog on what text() gives then.
QAction *addSheetItem(QMenu *menu, QWidget *parent, const QString &dataDir, std::function<QString()> text);

// How the character of a character entry's fields is built, as a block of HTML to show under the
// entry; the English note only when the entry has no explanation. Empty when parts.db in dataDir
// does not know the character.
QString structureHtml(const QString &dataDir, const QList<QPair<QString, QString>> &fields);
// The entry's HTML with that block put in before the explanation (at the end without one).
QString withStructure(const QString &entryHtml, const QString &dataDir, const QList<QPair<QString, QString>> &fields);

} // namespace mc::app
