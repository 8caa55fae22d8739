#pragma once
#include "platform/webaddress.h"

class QWebEngineProfile;

// The web profile every HTML view shares: our URL schemes, the redirect of the offline host to
// the in-process services, and the settings (GB18030 as the default text encoding).
namespace mc::web {

// Registers the program's URL schemes; must run before QApplication is created.
void registerSchemes();

// The shared profile, configured on first use (needs the QApplication).
QWebEngineProfile *profile();

} // namespace mc::web
