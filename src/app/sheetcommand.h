#pragma once
#include "learn/practicesheet.h"

#include <QString>
#include <optional>

class QCommandLineParser;

namespace mc::app {

// `mingchuan --sheet <text> --output <file.pdf> [--title …] [--cells N] [--tracing N] [--grid tian|mi]`:
// a practice sheet made without a window.
struct SheetRequest {
    QString text;
    QString output;
    learn::SheetOptions options;
};

void addSheetOptions(QCommandLineParser &parser);

// The sheet the parsed command line asks for; nothing when it asks for none. Sets error (and
// returns nothing) for options that make no sense.
std::optional<SheetRequest> sheetRequest(const QCommandLineParser &parser, QString &error);

// Writes the sheet and says so on standard output; returns the process exit code: 0, or 1 with a
// message when the stores cannot be found or the file cannot be written. Makes its own
// application object, with no window system.
int runSheet(int &argc, char **argv, const SheetRequest &request);

} // namespace mc::app
