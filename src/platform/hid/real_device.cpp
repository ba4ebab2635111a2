#include "real_device.h"

#include "hidapi_backend.h"
#include "runtime_lock_file.h"

RealDeviceFactories realDevice()
{
    return {[] { return std::make_unique<HidapiBackend>(); },
            [] { return std::make_unique<RuntimeLockFile>(SimulatorSetup::kLockWaitMs); }};
}
