#include "platform/voice.h"
