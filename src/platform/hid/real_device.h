#pragma once

#include "session/core_session.h"

// The real mouse as both programs reach it: through hidapi, held with a lock
// file per device in the user's runtime folder.
RealDeviceFactories realDevice();
