#include "app/widgets/selectionpopup.h"
#include "lookup/selectionlookup.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
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
        QTest::addColumn<bool>("clipboardToo");
        QTest::addColumn<QString>("key"); // empty: nothing shows
        QTest::newRow("selected word") << QStringLiteral("primary") << QStringLiteral("今天天气好") << false
                                       << QStringLiteral("今天");
        QTest::newRow("copied, clipboard not watched")
            << QStringLiteral("clipboard") << QStringLiteral("一帆风顺。") << false << QString();
        QTest::newRow("copied idiom") << QStringLiteral("clipboard") << QStringLiteral("一帆风顺。") << true
                                      << QStringLiteral("一帆风顺");
        QTest::newRow("English only") << QStringLiteral("primary") << QStringLiteral("hello world") << false
                                      << QString();
    }
    void popupShowsEntry()
    {
        QFETCH(QString, selection);
        QFETCH(QString, text);
        QFETCH(bool, clipboardToo);
        QFETCH(QString, key);
        const lookup::SelectionLookup engine(test::fixtureStores());
        lookup::SelectionWatcher watcher(engine, QApplication::clipboard());
        watcher.setOn(true);
        watcher.clipboardAction()->setChecked(clipboardToo);
        app::SelectionPopup popup;
        popup.follow(&watcher);
        QCursor::setPos(400, 300);

        QSignalSpy changes(QApplication::clipboard(), &QClipboard::changed);
        QVERIFY(feed(selection, text));
        QTRY_VERIFY(!changes.isEmpty());
        watcher.settle();
        QCOMPARE(watcher.lastText(), clipboardToo || selection == QLatin1String("primary") ? text : QString());
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

    // The program's own selection is left alone and the next one of another program is looked up;
    // the popup takes no grab, so the user's next selection elsewhere is looked up too.
    void ownSelectionThenForeignOnes()
    {
        const lookup::SelectionLookup engine(test::fixtureStores());
        lookup::SelectionWatcher watcher(engine, QApplication::clipboard());
        watcher.setOn(true);
        app::SelectionPopup popup;
        popup.follow(&watcher);
        QCursor::setPos(400, 300);

        QApplication::clipboard()->setText(QStringLiteral("一帆风顺"), QClipboard::Selection);
        watcher.settle();
        QVERIFY(!popup.isVisible());
        QVERIFY(watcher.lastText().isEmpty());

        QVERIFY(feed(QStringLiteral("primary"), QStringLiteral("今天天气好")));
        QTRY_COMPARE(watcher.lastText(), QStringLiteral("今天天气好"));
        QVERIFY(popup.isVisible());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);

        QVERIFY(feed(QStringLiteral("primary"), QStringLiteral("马到成功了")));
        QTRY_COMPARE(watcher.lastText(), QStringLiteral("马到成功了"));
        QCOMPARE(popup.findChild<QLabel *>(QStringLiteral("popupKey"))->text(), QStringLiteral("马到成功"));
    }

private:
    // Another program owns the selection (xclip stays to serve it) with text in it.
    static bool feed(const QString &selection, const QString &text)
    {
        QProcess xclip;
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), selection, QStringLiteral("-i")});
        if (!xclip.waitForStarted()) {
            qWarning("xclip is needed (scripts/install-deps)");
            return false;
        }
        xclip.write(text.toUtf8());
        xclip.closeWriteChannel();
        return xclip.waitForFinished();
    }

    QTemporaryDir m_settings;
};

QTEST_MAIN(TestSelectionPopup)
#include "tst_selectionpopup.moc"
