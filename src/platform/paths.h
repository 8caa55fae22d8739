#pragma once
#include <QString>
#include <QStringList>

// Where the program finds its read-only files and where it writes its own. A copy run from the
// project folder keeps everything where it always was: stores in data/ under the working
// directory, written files beside the program. An installed copy (<prefix>/bin/mingchuan with
// <prefix>/share/mingchuan) reads from the shared folder and writes into the user's folders.
namespace mc::paths {

// The program's folder; the one the functions below use unless given another.
QString programFolder();

// <prefix>/share/mingchuan for a program in <prefix>/bin.
QString sharedFolder(const QString &program = programFolder());

// True for a program in <prefix>/bin whose <prefix>/share/mingchuan exists.
bool isInstalled(const QString &program = programFolder());

// The folders looked at for the stores, in order: "data" (relative: the working directory's, the
// one named in every message as before), data/ beside the program, <prefix>/share/mingchuan/data.
QStringList storeFolders(const QString &program = programFolder());

// The first of storeFolders() that holds at least one of the given store files; a folder holding
// some is chosen, so a missing store is reported there. Throws mc::Error naming every folder
// looked at when none holds any.
QString findStoreFolder(const QStringList &storeFiles, const QString &program = programFolder());

// A read-only file shipped with the program (relative, e.g. "data/xhm.db"): beside the program,
// else in the shared folder; beside the program when neither holds it.
QString shippedFile(const QString &relative, const QString &program = programFolder());

// The user's folders for the program, created when missing: ~/.cache/mingchuan,
// ~/.config/mingchuan and ~/.local/share/mingchuan (or under the XDG_*_HOME folders). Named
// here rather than taken from the organisation and application names, which also place the
// settings file.
QString cacheFolder();
QString configFolder();
QString dataFolder();

// Sets the names that place the settings file at ~/.config/mingchuan/mingchuan.conf. A settings
// file that an earlier version kept under "Unknown Organization" is carried over once (its
// values copied, the old file removed), unless the new one already holds settings.
void setUpSettings();

// Where the program writes its own files: beside the program when that folder is writable and
// not an installed copy's; otherwise the user's cache folder (pages) or configuration folder
// (settings), created when missing.
enum class Written { Page, Setting };
QString writeFolder(Written kind, const QString &program = programFolder());

} // namespace mc::paths
