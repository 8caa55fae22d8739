#include "app/widgets/selectionpopup.h"
#include "lookup/selectionlookup.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace mc;

// Selection lookup on a real X server: text another program selects or copies brings up the
// popup at the mouse.
class TestSelectionPopup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

    void popupShowsEntry_data()
    {
        QTest::addColumn<QString>("selection"); // as xclip names it
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key"); // empty: nothing shows
        QTest::newRow("selected word") << QStringLiteral("primary") << QStringLiteral("今天天气好")
                                       << QStringLiteral("今天");
        QTest::newRow("copied idiom") << QStringLiteral("clipboard") << QStringLiteral("一帆风顺。")
                                      << QStringLiteral("一帆风顺");
        QTest::newRow("English only") << QStringLiteral("primary") << QStringLiteral("hello world") << QString();
    }
    void popupShowsEntry()
    {
        QFETCH(QString, selection);
        QFETCH(QString, text);
        QFETCH(QString, key);
        const lookup::SelectionLookup engine(test::fixtureStores());
        lookup::SelectionWatcher watcher(engine, QApplication::clipboard());
        watcher.setOn(true);
        app::SelectionPopup popup;
        popup.follow(&watcher);
        QCursor::setPos(400, 300);

        QProcess xclip;
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), selection, QStringLiteral("-i")});
        QVERIFY2(xclip.waitForStarted(), "xclip is needed (scripts/install-deps)");
        xclip.write(text.toUtf8());
        xclip.closeWriteChannel();
        QVERIFY(xclip.waitForFinished());

        QTRY_COMPARE(watcher.lastText(), text);
        QCOMPARE(popup.isVisible(), !key.isEmpty());
        if (key.isEmpty())
            return;
        QCOMPARE(popup.findChild<QLabel *>(QStringLiteral("popupKey"))->text(), key);
        QVERIFY(popup.geometry().contains(QPoint(400, 300)));
        QTest::keyClick(&popup, Qt::Key_Escape);
        QVERIFY(!popup.isVisible());

        // Moving the mouse out of it closes it too.
        popup.showEntry(popup.entry(), QPoint(400, 300));
        QTRY_VERIFY(popup.underMouse());
        QCursor::setPos(1000, 800);
        QTRY_VERIFY(!popup.isVisible());
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestSelectionPopup)
#include "tst_selectionpopup.moc"
