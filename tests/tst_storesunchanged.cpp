// The stores are only ever read: every file in data/ is byte-identical after the program has
// been driven through its searches, list orders, refreshes, copies and offline services.
#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "mc/config.h"
#include "platform/htmlview.h"
#include "search/listorder.h"
#include "search/searchtable.h"
#include "support/doubles.h"
#include "support/keywordfuzz.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace mc;

class TestStoresUnchanged final : public QObject {
    Q_OBJECT
private slots:
    void storesAreNeverWritten()
    {
        const test::WorkingFolder dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        const auto before = test::fileDigests(data);
        {
            RecordingMessages messages;
            app::Application application;
            QVERIFY(application.start());
            app::MainWindow *main = application.windows().main;
            auto find = [main](const QString &name) { return main->findChild<QObject *>(name); };
            const search::SearchControls controls = main->searchControls();

            for (const search::SearchEntry &entry : search::searches()) {
                if (QComboBox *modes = controls.modeLists.value(entry.modeControl))
                    modes->setCurrentIndex(entry.mode);
                if (entry.modeControl == search::ModeControl::Direction
                    && controls.direction->text() != entry.modeCaption)
                    controls.direction->click();
                for (const QString &keyword : {QStringLiteral("水"), QStringLiteral("口3"), QStringLiteral("8"),
                                               QStringLiteral("\"; drop table hz; --")}) {
                    controls.boxes.value(entry.box)->setText(keyword);
                    controls.buttons.value(entry.button)->click();
                }
            }
            for (QAbstractButton *order : controls.orderButtons) {
                for (int i = 0; i < 3; ++i)
                    order->click();
            }
            for (QAbstractButton *refresh : controls.refreshButtons)
                refresh->click();
            for (const char *copy : {"PDJButton30", "PDJButton31", "PDJButton32", "PDJButton33", "PDJButton34",
                                     "PDJButton35", "PDJButton37", "PDJButton38"}) {
                if (auto *button = qobject_cast<QAbstractButton *>(find(QLatin1StringView(copy))))
                    button->click();
            }
            auto *loader = main->findChild<web::HtmlView *>(QStringLiteral("WebBrowser1"));
            QVERIFY(loader);
            for (const QString &address :
                 {QStringLiteral(MC_HISTORY_URL), QStringLiteral(MC_LOOKUP_BASE "%E6%B0%B4&from=poem"),
                  QStringLiteral(MC_LEXICON_URL), QStringLiteral(MC_STROKE_BASE "/chinese/hzxx/%E6%B0%B4.swf")}) {
                QSignalSpy done(loader, &web::HtmlView::documentComplete);
                loader->navigate(address);
                QVERIFY2(done.wait(30000), qPrintable(address));
            }
            QVERIFY(messages.shown().size() > 0);
        }
        // No journal or lock file appeared beside them either.
        QCOMPARE(test::fileDigests(data), before);
    }
};

QTEST_MAIN(TestStoresUnchanged)
#include "tst_storesunchanged.moc"
