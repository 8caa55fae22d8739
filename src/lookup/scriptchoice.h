#pragma once
#include "store/stores.h"

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace mc::lookup {

class Simplifier;

// The 國語辭典 text of an explanation (from its mark line to its attribution line) converted by
// convert, and the attribution line followed by a note that it was converted for display. The
// rest of the explanation is returned as it is.
// A short explanation (as history and the popup keep it) has lost its mark line: with
// markedOnly false every line up to the attribution line is converted.
QString withClassicalTextSimplified(const QString &explanation, const std::function<QString(const QString &)> &convert,
                                    bool markedOnly = true);

// The reader's choice to read the 國語辭典 text, which the stores keep verbatim in traditional
// script, converted to simplified script on screen. Off until chosen; remembered in the settings.
class ScriptChoice final : public QObject {
    Q_OBJECT
public:
    static ScriptChoice &instance();
    ~ScriptChoice() override;

    bool simplified() const { return m_simplified; }
    void setSimplified(bool on);
    // A checkable menu item, owned by parent, that shows and sets the choice.
    QAction *createAction(QObject *parent);
    // explanation as the reader chose to see it. A short one (see withClassicalTextSimplified) of
    // the two stores that quote the 國語辭典 is converted throughout, which leaves its simplified
    // lines as they are; the other stores' traditional forms are meant as such.
    QString shown(const QString &explanation);
    QString shownShort(store::StoreId store, const QString &shortExplanation);

signals:
    void changed(bool simplified);

private:
    ScriptChoice();
    QString convert(const QString &text, bool markedOnly);

    bool m_simplified = false;
    QPointer<QAction> m_action;
    std::unique_ptr<Simplifier> m_simplifier;
};

} // namespace mc::lookup
