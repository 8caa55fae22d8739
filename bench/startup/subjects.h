#pragma once
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace mc::bench {

// A program the start-up bench starts, in a home of its own that it keeps from start to start.
struct Subject {
    QString name, program;
    QStringList arguments;
    QString workDir, home;
    QString mainTitle;         // the main window's title holds this; empty: the first window is it
    int warmUpSettleMs = 3000; // how long the uncounted first start runs
};

// The program, the floor and, when wanted and installed, the peer, in that order; homes and the
// peer's dictionary are made under work.
QList<Subject> startupSubjects(const QString &binDir, const QString &work, bool peer);

QProcessEnvironment subjectEnvironment(const Subject &subject, const QString &display);

} // namespace mc::bench
