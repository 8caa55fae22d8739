// The quick lookup window inside the running program: menu and shortcut, grouped hits as the
// user types, opening a hit in its section page, handwriting, history, word book and selection
// lookup.
#include "app/application.h"
#include "app/widgets/handwritingpad.h"
#include "app/widgets/historypanel.h"
#include "app/widgets/selectionpopup.h"
#include "app/windows/mainwindow.h"
#include "app/windows/quicklookup.h"
#include "app/windows/quicklookupwindow.h"
#include "app/windows/windows.h"
#include "lookup/quicklookupservice.h"
#include "platform/messages.h"
#include "search/feature.h"
#include "speech/speechprompt.h"
#include "store/dataset.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace mc;
using mc::store::StoreId;

class TestQuickLookupWindow final : public QObject {
    Q_OBJECT
private:
    QString m_previousDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordingMessages> m_messages;
    std::unique_ptr<app::Application> m_app;
    std::unique_ptr<app::QuickLookup> m_quick;

    app::MainWindow *main() { return m_app->windows().main; }
    app::QuickLookupWindow *window() { return m_quick->window(); }
    QString userFolder() const { return m_dir->filePath(QStringLiteral("user")); }

    // Empties the box and waits for the list to follow, so that hits seen next are new ones.
    bool cleared()
    {
        window()->box()->setText(QString());
        return QTest::qWaitFor([this] { return window()->list()->topLevelItemCount() == 0; }, 20000);
    }

    // Types text into an empty box and waits for its hits; the first is current then.
    bool searched(const QString &text)
    {
        if (!cleared())
            return false;
        window()->box()->setText(text);
        return QTest::qWaitFor([this] { return window()->list()->currentItem() != nullptr; }, 20000);
    }

    QAction *menuItem(const QString &name)
    {
        for (QAction *action : main()->findChild<QMenu *>(QStringLiteral("mnuLookup"))->actions()) {
            if (action->objectName() == name)
                return action;
        }
        return nullptr;
    }

    QStringList headers()
    {
        QStringList list;
        for (int i = 0; i < window()->list()->topLevelItemCount(); ++i)
            list.append(window()->list()->topLevelItem(i)->text(0));
        return list;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_previousDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        test::copyFixtureStores(m_dir->path());
        QDir::setCurrent(m_dir->path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->filePath(QStringLiteral("settings")));
        m_messages = std::make_unique<RecordingMessages>();
        m_app = std::make_unique<app::Application>();
        QVERIFY(m_app->start());
        m_quick = std::make_unique<app::QuickLookup>(*m_app, userFolder());
    }

    void cleanupTestCase()
    {
        m_quick.reset();
        m_app.reset();
        QDir::setCurrent(m_previousDir);
    }

    void menuAndShortcutOpenTheWindow()
    {
        auto *menu = main()->findChild<QMenu *>(QStringLiteral("mnuLookup"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("查询(&Q)"));
        auto *action = main()->findChild<QAction *>(QStringLiteral("mniQuickLookup"));
        QCOMPARE(action->text(), QStringLiteral("快速查询"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        action->trigger();
        QVERIFY(window()->isVisible());
        QCOMPARE(window()->objectName(), QStringLiteral("QuickLookup"));
        QCOMPARE(window()->windowTitle(), QStringLiteral("快速查询"));
    }

    // clang-format off
    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("quick lookup") << "mniQuickLookup" << "快速查询" << QKeySequence(Qt::CTRL | Qt::Key_K) << false;
        QTest::newRow("history") << "mniHistory" << "查询记录和生词本" << QKeySequence(Qt::CTRL | Qt::Key_H) << false;
        QTest::newRow("selection lookup") << "selectionLookupAction" << "划词查询" << QKeySequence() << true;
        QTest::newRow("selection lookup, clipboard too") << "selectionClipboardAction" << "划词查询也查复制的文字" << QKeySequence() << true;
    }
    // clang-format on

    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, checkable);
        QAction *action = menuItem(name);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isCheckable(), checkable);
    }

    // Off at first and remembered; while on, a selected text's entry pops up and is kept in the
    // history.
    void selectionLookupFromTheMenu()
    {
        QAction *action = menuItem(QStringLiteral("selectionLookupAction"));
        QVERIFY(!action->isChecked());
        m_quick->selectionWatcher()->consider(QStringLiteral("一帆风顺。"));
        QVERIFY(!m_quick->selectionPopup()->isVisible());
        action->trigger();
        QVERIFY(QSettings().value(QStringLiteral("lookup/selectionLookup")).toBool());
        m_quick->selectionWatcher()->consider(QStringLiteral("一帆风顺。"));
        QVERIFY(m_quick->selectionPopup()->isVisible());
        QCOMPARE(m_quick->userData().history().value(0).key, QStringLiteral("一帆风顺"));
        m_quick->selectionPopup()->close();
        action->trigger();
        QVERIFY(!QSettings().value(QStringLiteral("lookup/selectionLookup")).toBool());
    }

    // A candidate goes into the box at the cursor, and the pad is ready for the next character.
    void chosenCandidateLandsInBox_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty box") << "" << 0 << "一";
        QTest::newRow("before the cursor") << "心一意" << 0 << "一心一意";
        QTest::newRow("at the end") << "一心" << 2 << "一心一";
    }

    void chosenCandidateLandsInBox()
    {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, after);
        window()->show();
        window()->handwritingButton()->click();
        app::HandwritingPad *pad = window()->handwritingPad();
        QVERIFY(pad && pad->isVisible());
        window()->box()->setText(before);
        window()->box()->setCursorPosition(cursor);
        pad->engine().addStroke({QPoint(100, 500), QPoint(500, 500), QPoint(900, 500)});
        pad->refresh();
        QTRY_VERIFY_WITH_TIMEOUT(!pad->isRecognising(), 30000);
        const int at = int(pad->candidates().indexOf(QStringLiteral("一")));
        QVERIFY2(at >= 0, qPrintable(pad->candidates().join(u' ')));
        pad->findChild<QToolButton *>(QStringLiteral("candidate%1").arg(at))->click();
        QCOMPARE(window()->box()->text(), after);
        QCOMPARE(window()->box()->cursorPosition(), cursor + 1);
        QVERIFY(pad->candidates().isEmpty());
        window()->handwritingButton()->click();
        QVERIFY(!pad->isVisible());
    }

    // What the user chooses in the list or opens goes into the history; a hit the window picks
    // while the user types does not.
    // clang-format off
    void viewedEntriesGoIntoHistory_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("recorded"); // empty: the first hit is not recorded
        QTest::newRow("typed only") << "和尚" << "" << "";
        QTest::newRow("down into the list") << "學習" << "down" << "学习";
        QTest::newRow("chosen in the list") << "yixinyi" << "last" << "一心一德";
        QTest::newRow("first hit clicked") << "appl" << "click" << "apple";
        QTest::newRow("opened in its section") << "水" << "enter" << "水";
        QTest::newRow("best match opened, not the first group's") << "银行" << "enter" << "银行";
        QTest::newRow("down onto the best match") << "银行" << "down" << "银行";
    }
    // clang-format on

    void viewedEntriesGoIntoHistory()
    {
        QFETCH(QString, text);
        QFETCH(QString, how);
        QFETCH(QString, recorded);
        window()->show();
        QVERIFY(searched(text));
        const QString first = window()->list()->currentItem()->text(0);
        QTreeWidget *list = window()->list();
        if (how == QLatin1String("down")) {
            QTest::keyClick(window()->box(), Qt::Key_Down);
        } else if (how == QLatin1String("last")) {
            QTreeWidgetItem *group = list->topLevelItem(list->topLevelItemCount() - 1);
            list->setCurrentItem(group->child(group->childCount() - 1));
        } else if (how == QLatin1String("click")) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->currentItem()).center());
        } else if (how == QLatin1String("enter")) {
            QTest::keyClick(window()->box(), Qt::Key_Return);
        }
        const QList<lookup::Entry> history = m_quick->userData().history();
        if (recorded.isEmpty()) {
            QVERIFY(history.isEmpty() || history.constFirst().key != first);
            return;
        }
        QCOMPARE(history.value(0).key, recorded);
        QVERIFY(!history.constFirst().explanation.isEmpty());
    }

    // The star puts the entry shown into the word book and takes it out again, kept in the user
    // file (written a moment later, off the window's thread).
    void starTogglesWordBook()
    {
        window()->show();
        QVERIFY(searched(QStringLiteral("水")));
        QToolButton *star = window()->star();
        const auto inFile = [this] {
            lookup::UserData reopened;
            reopened.open(userFolder());
            return reopened.isFavourite(store::StoreId::Characters, QStringLiteral("水"));
        };
        for (const bool in : {true, false}) {
            star->click();
            QCOMPARE(star->text(), in ? QStringLiteral("★") : QStringLiteral("☆"));
            QCOMPARE(star->toolTip(), in ? QStringLiteral("移出生词本") : QStringLiteral("加入生词本"));
            QTRY_COMPARE_WITH_TIMEOUT(inFile(), in, 20000);
        }
    }

    // The history opens from the menu and with Ctrl+H in the quick lookup window; an entry chosen
    // there is shown again, in its own group.
    void historyPanelOpens_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("menu") << true;
        QTest::newRow("Ctrl+H") << false;
    }

    void historyPanelOpens()
    {
        QFETCH(bool, fromMenu);
        if (auto *open = main()->findChild<app::HistoryPanel *>())
            open->close();
        window()->show();
        if (fromMenu) {
            menuItem(QStringLiteral("mniHistory"))->trigger();
        } else {
            window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window()));
            QTest::keyClick(window(), Qt::Key_H, Qt::ControlModifier);
        }
        auto *panel = main()->findChild<app::HistoryPanel *>();
        QTRY_VERIFY(panel && panel->isVisible());
        QCOMPARE(panel->windowTitle(), QStringLiteral("查询记录和生词本"));

        m_quick->userData().addLookup({store::StoreId::Idioms, QStringLiteral("一心一德"), {}, {}});
        auto *history = panel->findChild<QTreeWidget *>(QStringLiteral("historyList"));
        QVERIFY(cleared());
        emit history->itemActivated(history->topLevelItem(0), 0);
        QCOMPARE(window()->box()->text(), QStringLiteral("一心一德"));
        QTRY_VERIFY_WITH_TIMEOUT(window()->list()->currentItem(), 20000);
        QTreeWidgetItem *current = window()->list()->currentItem();
        QCOMPARE(current->text(0), QStringLiteral("一心一德"));
        QVERIFY2(current->parent()->text(0).startsWith(QStringLiteral("成语")), qPrintable(current->parent()->text(0)));
    }

    // Esc closes either window from where the keyboard is in it, as it closes a dialog.
    void escapeCloses_data()
    {
        QTest::addColumn<bool>("history");
        QTest::newRow("quick lookup, in the box") << false;
        QTest::newRow("history, in its list") << true;
    }

    void escapeCloses()
    {
        QFETCH(bool, history);
        window()->lookUp(QStringLiteral("水"));
        QWidget *shown = window();
        QWidget *focus = window()->box();
        if (history) {
            menuItem(QStringLiteral("mniHistory"))->trigger();
            shown = main()->findChild<app::HistoryPanel *>();
            focus = shown->findChild<QTreeWidget *>(QStringLiteral("historyList"));
        }
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(!shown->isVisible());
        QVERIFY(!history || window()->isVisible()); // only the window the key was pressed in
    }

    // Typed text gets its hits by group with their counts, the best one shown, and a line saying
    // so when nothing matches.
    void hitsGroupedWithCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("firstHit");
        QTest::newRow("hanzi") << "和尚" << QStringList{QStringLiteral("歇后语 (2)")} << "和尚打伞";
        QTest::newRow("pinyin") << "yixinyi" << QStringList{QStringLiteral("词语 (2)"), QStringLiteral("成语 (2)")}
                                << "一心一德";
        QTest::newRow("word after a character")
            << "银行" << QStringList{QStringLiteral("字 (1)"), QStringLiteral("词语 (1)")} << "银行";
        QTest::newRow("traditional") << "學習" << QStringList{QStringLiteral("词语 (1)")} << "学习";
        QTest::newRow("English") << "appl" << QStringList{QStringLiteral("英汉 (1)")} << "apple";
        QTest::newRow("nothing") << "qqqq" << QStringList{QStringLiteral("没有找到")} << "";
    }

    void hitsGroupedWithCounts()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, headers);
        QFETCH(QString, firstHit);
        window()->box()->clear();
        for (const QChar c : text) // as keystrokes, Chinese ones too
            QTest::sendKeyEvent(QTest::Click, window()->box(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        // The last keystroke is on its way to the worker already: nothing waits for more typing.
        QCOMPARE(window()->findChild<lookup::QuickLookupService *>()->text(), text);
        QTRY_COMPARE_WITH_TIMEOUT(this->headers(), headers, 20000);
        QTreeWidgetItem *current = window()->list()->currentItem();
        QCOMPARE(current ? current->text(0) : QString(), firstHit);
    }

    // clang-format off
    void openInSection_data()
    {
        QTest::addColumn<StoreId>("group");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("otherMode"); // the user left the section in another search mode
        QTest::newRow("character") << StoreId::Characters << "水" << "ADOQuery2" << "name" << "FlatPanel4" << false;
        QTest::newRow("character, list on strokes") << StoreId::Characters << "水" << "ADOQuery2" << "name" << "FlatPanel4" << true;
        QTest::newRow("word inside longer ones") << StoreId::Words << "一心一意" << "ADOQuery5" << "word" << "FlatPanel14" << false;
        QTest::newRow("idiom") << StoreId::Idioms << "一心一德" << "ADOQuery1" << "name" << "FlatPanel1" << false;
        QTest::newRow("xiehouyu") << StoreId::Xiehouyu << "丈二和尚" << "ADOQuery3" << "name" << "FlatPanel7" << false;
        QTest::newRow("xiehouyu, second half only") << StoreId::Xiehouyu << "丈二和尚" << "ADOQuery3" << "name" << "FlatPanel7" << true;
        QTest::newRow("English") << StoreId::English << "give" << "ADOQuery7" << "单词" << "FlatPanel8" << false;
        QTest::newRow("English, Chinese to English") << StoreId::English << "give" << "ADOQuery7" << "单词" << "FlatPanel8" << true;
        QTest::newRow("saying") << StoreId::Sayings << "三人行，必有我师焉。" << "ADOQuery4" << "name" << "FlatPanel2" << false;
    }
    // clang-format on

    void openInSection()
    {
        QFETCH(StoreId, group);
        QFETCH(QString, head);
        QFETCH(QString, dataset);
        QFETCH(QString, column);
        QFETCH(QString, page);
        QFETCH(bool, otherMode);
        const search::SearchControls controls = main()->searchControls();
        if (otherMode) {
            for (QComboBox *modes : controls.modeLists)
                modes->setCurrentIndex(modes->count() - 1);
            if (controls.direction->text() == search::directions().constFirst())
                controls.direction->click();
        }
        m_messages->clear();
        m_quick->openInSection(group, head);
        // The section's page shows, and no other.
        for (QWidget *shown : main()->pages())
            QCOMPARE(shown->isVisible(), shown->objectName() == page);
        store::Dataset *data = main()->findChild<store::Dataset *>(dataset);
        QVERIFY(data->isOpen());
        // Found by the section's first search, whatever mode it was left in.
        QCOMPARE(data->queryText(), search::buildQuery(*search::firstSearch(group), head).value());
        QCOMPARE(data->keyValue(data->currentRow(), column), head);
        for (const auto &shown : m_messages->shown())
            QVERIFY2(shown.kind != Messages::Kind::Error, qPrintable(shown.text));
    }

    // Read-aloud speaks what the section's first button speaks, in its language; a failure is
    // reported and offers the speech engine prompt, as a press in a section does.
    void readAloudSpeaksAsTheSection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        const QString zh = QStringLiteral("<LANG LANGID=\"804\">");
        QTest::newRow("idiom") << "yixinyide" << zh + QStringLiteral("一心一德");
        QTest::newRow("xiehouyu, both halves") << "和尚打伞" << zh + QStringLiteral("和尚打伞无发（法）无天");
        QTest::newRow("English") << "appl" << QStringLiteral("<LANG LANGID=\"409\">apple");
    }

    void readAloudSpeaksAsTheSection()
    {
        QFETCH(QString, text);
        QFETCH(QString, spoken);
        window()->show();
        QVERIFY(searched(text));
        RecordingVoice voice;
        m_messages->clear();
        auto *readAloud = window()->findChild<QPushButton *>(QStringLiteral("QuickLookupReadAloud"));
        readAloud->click();
        QVERIFY2(m_messages->shown().isEmpty(), qPrintable(m_messages->lastText()));
        QVERIFY(!voice.calls().isEmpty());
        QCOMPARE(voice.calls().constLast().operation, QStringLiteral("Speak"));
        QCOMPARE(voice.calls().constLast().text, spoken);

        auto *prompt = m_app->windows().speechPrompt();
        prompt->hide();
        voice.failNextConnections(1, QStringLiteral("语音引擎没有响应"));
        readAloud->click();
        QCOMPARE(m_messages->lastKind(), Messages::Kind::Error);
        if (qstrcmp(QTest::currentDataTag(), "idiom") == 0) // offered once a run
            QCOMPARE(prompt->isVisible(), !prompt->dontShowAgain());
        prompt->hide();
    }

    // Without a readable index the window says so once, in a line of its own; no box comes up.
    void brokenIndexIsToldInTheWindow_data()
    {
        QTest::addColumn<QByteArray>("index"); // what search.db holds; empty: it is missing
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("no index here\n");
        QTest::newRow("other tables") << QByteArray("CREATE TABLE other(x)");
    }
    void brokenIndexIsToldInTheWindow()
    {
        QFETCH(QByteArray, index);
        QTemporaryDir dir;
        test::copyFixtureStores(dir.path(), {QStringLiteral("search.db")});
        const QString path = dir.filePath(QStringLiteral("data/search.db"));
        if (index.startsWith("CREATE")) {
            test::makeStore(path, QString::fromLatin1(index), QStringLiteral("other"), {});
        } else if (!index.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(index);
        }
        RecordingMessages messages;
        app::QuickLookupWindow quick({}, nullptr, dir.filePath(QStringLiteral("data")));
        QSignalSpy failures(quick.findChild<lookup::QuickLookupService *>(), &lookup::QuickLookupService::failed);
        quick.box()->setText(QStringLiteral("水"));
        QTRY_VERIFY_WITH_TIMEOUT(!quick.problem()->isHidden(), 20000);
        const QString said = quick.problem()->text();
        QVERIFY2(said.contains(QStringLiteral("search.db")) && said.contains(QStringLiteral("各栏目")),
                 qPrintable(said));
        quick.box()->setText(QStringLiteral("水果"));
        QTRY_VERIFY_WITH_TIMEOUT(failures.size() >= 2, 20000);
        QCOMPARE(quick.problem()->text(), said);
        QVERIFY(messages.shown().isEmpty());
    }

    void copyComposesAsTheSection()
    {
        QVERIFY(searched(QStringLiteral("yixinyide")));
        m_messages->clear();
        window()->findChild<QPushButton *>(QStringLiteral("QuickLookupCopy"))->click();
        QVERIFY2(m_messages->shown().isEmpty(), qPrintable(m_messages->lastText()));
        QVERIFY2(QApplication::clipboard()->text().contains(QStringLiteral("一心一德")),
                 qPrintable(QApplication::clipboard()->text()));
    }
};

QTEST_MAIN(TestQuickLookupWindow)
#include "tst_quicklookupwindow.moc"
