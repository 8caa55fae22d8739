#pragma once
#include "platform/webaddress.h"

class QWebEngineProfile;

// The web profile every HTML view shares: our URL schemes, the redirect of the offline host to
// the in-process services, and the settings (GB18030 as the default text encoding).
namespace mc::web {

// Registers the program's URL schemes; must run before QApplication is created.
void registerSchemes();

// Sets the web engine up to be light: pages and windows drawn by the processor instead of
// through OpenGL, unless the user chose a way of drawing (QT_QUICK_BACKEND or
// QT_XCB_GL_INTEGRATION set), and one page process for all pages of one site. Must run before
// QApplication is created.
void setUpEngine();
// Takes what setUpEngine put into the environment back out, once the application object and the
// first web view exist (Qt and the engine have read it by then), so that programs started from
// ours (a browser, a help viewer) do not inherit it.
void restoreEnvironment();

// The shared profile, configured on first use (needs the QApplication).
QWebEngineProfile *profile();

} // namespace mc::web
