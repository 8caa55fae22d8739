#pragma once
// The program started on the fixture stores in a temporary working directory, for the tests of
// read-aloud, copying and stroke order.
#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/messages.h"
#include "platform/webprofile.h"
#include "store/dataset.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QTest>
#include <memory>

namespace mc::test {

class RunningProgram final {
public:
    RunningProgram()
    {
        m_started = m_application.start();
        messages.clear();
    }
    bool started() const { return m_started; }
    QString dir() const { return m_folder.path(); }
    app::Windows &windows() { return m_application.windows(); }
    QWidget *main() { return windows().main; }
    store::Dataset *dataset(const QString &name) { return main()->findChild<store::Dataset *>(name); }
    template <typename T>
    T *find(const QString &name)
    {
        return main()->findChild<T *>(name);
    }

    // Makes the first row whose column holds value current; false when there is none.
    bool select(const QString &datasetName, const QString &column, const QString &value)
    {
        store::Dataset *d = dataset(datasetName);
        for (int row = 0; d && row < d->recordCount(); ++row) {
            d->setCurrentRow(row);
            if (d->value(column) == value)
                return true;
        }
        return false;
    }

    // Reopens a dataset on a query that finds nothing.
    void empty(const QString &datasetName, const QString &column)
    {
        store::Dataset *d = dataset(datasetName);
        const QString table = d->table();
        d->clearQuery();
        d->appendQuery(QStringLiteral("select * from %1 where %2 = \"no such entry\"").arg(table, column));
        d->open();
    }

    RecordingMessages messages; // installed before the program starts

private:
    WorkingFolder m_folder; // the working directory from before the program is made to after it is gone
    app::Application m_application;
    bool m_started = false;
};

} // namespace mc::test

// The program's web views need their URL schemes registered before the application exists.
#define MC_PROGRAM_TEST_MAIN(TestClass)                                                                                \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        mc::web::registerSchemes();                                                                                    \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
