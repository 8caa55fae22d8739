// The quick lookup window inside the running program: menu and shortcut, grouped hits as the
// user types, and opening a hit in its section page.
#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "app/windows/quicklookup.h"
#include "app/windows/quicklookupwindow.h"
#include "platform/messages.h"
#include "store/dataset.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace mc;
using mc::lookup::Group;

Q_DECLARE_METATYPE(mc::lookup::Group)

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
        m_messages = std::make_unique<RecordingMessages>();
        m_app = std::make_unique<app::Application>();
        QVERIFY(m_app->start());
        m_quick = std::make_unique<app::QuickLookup>(main());
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
        QCOMPARE(menu->title(), QStringLiteral("查询"));
        auto *action = main()->findChild<QAction *>(QStringLiteral("mniQuickLookup"));
        QCOMPARE(action->text(), QStringLiteral("快速查询"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        action->trigger();
        QVERIFY(window()->isVisible());
        QCOMPARE(window()->objectName(), QStringLiteral("QuickLookup"));
        QCOMPARE(window()->windowTitle(), QStringLiteral("快速查询"));
    }

    void hitsGroupedWithCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("firstHit");
        QTest::newRow("hanzi") << "和尚" << QStringList{QStringLiteral("歇后语 (2)")} << "和尚打伞";
        QTest::newRow("pinyin") << "yixinyi" << QStringList{QStringLiteral("词语 (2)"), QStringLiteral("成语 (2)")}
                                << "一心一德";
        QTest::newRow("traditional") << "學習" << QStringList{QStringLiteral("词语 (1)")} << "学习";
        QTest::newRow("English") << "appl" << QStringList{QStringLiteral("英汉 (1)")} << "apple";
        QTest::newRow("nothing") << "qqqq" << QStringList{} << "";
    }

    void hitsGroupedWithCounts()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, headers);
        QFETCH(QString, firstHit);
        window()->box()->setText(text);
        QTRY_COMPARE_WITH_TIMEOUT(this->headers(), headers, 20000);
        QTreeWidgetItem *current = window()->list()->currentItem();
        QCOMPARE(current ? current->text(0) : QString(), firstHit);
    }

    void openInSection_data()
    {
        QTest::addColumn<Group>("group");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("column");
        QTest::newRow("character") << Group::Characters << "水" << "ADOQuery2" << "name";
        QTest::newRow("word inside longer ones") << Group::Words << "一心一意" << "ADOQuery5" << "word";
        QTest::newRow("idiom") << Group::Idioms << "一心一德" << "ADOQuery1" << "name";
        QTest::newRow("xiehouyu") << Group::Xiehouyu << "丈二和尚" << "ADOQuery3" << "name";
        QTest::newRow("English") << Group::English << "give" << "ADOQuery7" << "单词";
        QTest::newRow("saying") << Group::Sayings << "三人行，必有我师焉。" << "ADOQuery4" << "name";
    }

    void openInSection()
    {
        QFETCH(Group, group);
        QFETCH(QString, head);
        QFETCH(QString, dataset);
        QFETCH(QString, column);
        m_messages->clear();
        app::QuickLookup::openInSection(main(), group, head);
        store::Dataset *data = main()->dataset(dataset);
        QVERIFY(data->isOpen());
        QCOMPARE(data->keyValue(data->currentRow(), column), head);
        for (const auto &shown : m_messages->shown())
            QVERIFY2(shown.kind != Messages::Kind::Error, qPrintable(shown.text));
    }

    void copyComposesAsTheSection()
    {
        window()->box()->setText(QStringLiteral("yixinyide"));
        QTRY_VERIFY_WITH_TIMEOUT(window()->list()->currentItem(), 20000);
        m_messages->clear();
        window()->findChild<QPushButton *>(QStringLiteral("QuickLookupCopy"))->click();
        QVERIFY2(m_messages->shown().isEmpty(), qPrintable(m_messages->lastText()));
        QVERIFY2(QApplication::clipboard()->text().contains(QStringLiteral("一心一德")),
                 qPrintable(QApplication::clipboard()->text()));
    }
};

QTEST_MAIN(TestQuickLookupWindow)
#include "tst_quicklookupwindow.moc"
