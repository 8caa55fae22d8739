#include "platform/webprofile.h"

namespace mc::web {

void registerSchemes() {}

} // namespace mc::web
