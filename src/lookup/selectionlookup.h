#pragma once
#include "lookup/userdata.h"

#include <QObject>
#include <QString>
#include <optional>

class QAction;
class QClipboard;
class QTimer;

namespace mc::lookup {

// The entry for a piece of selected text: the longest idiom or word the stores hold at the text's
// first Chinese character, down to that character alone.
class SelectionLookup final {
public:
    static constexpr int kLongestKey = 12; // longer than any idiom or word the stores hold

    explicit SelectionLookup(const QString &dataDir = QStringLiteral("data"));

    std::optional<Entry> lookup(const QString &text) const;

    // From the first Chinese character in text on, it and the letters and digits that follow
    // (卡拉OK, 阿Q), at most kLongestKey of them.
    static QString keyRun(const QString &text);

private:
    std::optional<Entry> longest(store::StoreId id, const QString &sql, const QStringList &keys) const;

    QString m_dataDir;
};

// Watches the selection and the clipboard while selection lookup is on, and says which entry a
// new text has. The on/off state is the checkable action "划词查询", remembered in the settings
// and off at first. Texts the program itself put there are left alone.
class SelectionWatcher final : public QObject {
    Q_OBJECT
public:
    // clipboard may be nullptr: texts then come only through consider().
    SelectionWatcher(const SelectionLookup &lookup, QClipboard *clipboard, QObject *parent = nullptr);

    QAction *action() const { return m_action; }
    bool isOn() const;
    void setOn(bool on);

    // Decides on one text at once: found() when on and the text has an entry, else nothing.
    void consider(const QString &text);
    // The last text decided on, entry or not.
    QString lastText() const { return m_lastText; }

signals:
    void found(const mc::lookup::Entry &entry, const QString &text);

private:
    void onClipboardChanged(int mode);

    const SelectionLookup &m_lookup;
    QClipboard *m_clipboard;
    QAction *m_action;
    QTimer *m_settle;
    QString m_pending;
    QString m_lastText;
};

} // namespace mc::lookup
