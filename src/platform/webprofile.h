#pragma once

namespace mc::web {

// Registers the program's URL schemes; must run before QApplication is created.
void registerSchemes();

} // namespace mc::web
