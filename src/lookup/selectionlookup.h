#pragma once
#include "lookup/userdata.h"

#include <QClipboard>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QAction;
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

// What the watcher reads of the system's selection and clipboard: QClipboard in the program, a
// stand-in in tests.
struct SelectionSource {
    std::function<QString(QClipboard::Mode)> text;
    std::function<bool(QClipboard::Mode)> ours; // the program itself put the text there
};

// Watches the selection while selection lookup is on, and the clipboard too when the user asks for
// it, and says which entry a new text has. Both switches are checkable actions ("划词查询", and
// under it the clipboard's), remembered in the settings and off at first. Texts the program
// itself put there are left alone.
class SelectionWatcher final : public QObject {
    Q_OBJECT
public:
    // clipboard may be nullptr: texts then come only through consider().
    SelectionWatcher(const SelectionLookup &lookup, QClipboard *clipboard, QObject *parent = nullptr);
    SelectionWatcher(const SelectionLookup &lookup, SelectionSource source, QObject *parent = nullptr);

    QAction *action() const { return m_action; }
    QAction *clipboardAction() const { return m_clipboardAction; }
    bool isOn() const;
    void setOn(bool on);

    // The selection or the clipboard changed. Which text is whose is asked once the changes have
    // rested: by then the system has told the program that it lost the selection it had.
    void changed(QClipboard::Mode mode);
    // Decides on the changes so far at once, without waiting for them to rest.
    void settle();
    // Decides on one text at once: found() when on and the text has an entry, else nothing.
    void consider(const QString &text);
    // The last text decided on, entry or not.
    QString lastText() const { return m_lastText; }

signals:
    void found(const mc::lookup::Entry &entry, const QString &text);

private:
    bool watches(QClipboard::Mode mode) const;

    const SelectionLookup &m_lookup;
    SelectionSource m_source;
    QAction *m_action;
    QAction *m_clipboardAction;
    QTimer *m_settle;
    std::optional<QClipboard::Mode> m_pending;
    QString m_lastText;
};

} // namespace mc::lookup
