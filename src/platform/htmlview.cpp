#include "platform/htmlview.h"
