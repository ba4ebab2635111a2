#include "xinput2_functions.h"

#include <dlfcn.h>

namespace {

template<typename Function>
bool resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

XInput2Functions loadFrom(void *library)
{
    XInput2Functions functions;
    if (!library)
        return functions;
    if (!resolve(library, "XIQueryVersion", functions.queryVersion) ||
        !resolve(library, "XIQueryDevice", functions.queryDevice) ||
        !resolve(library, "XIFreeDeviceInfo", functions.freeDeviceInfo) ||
        !resolve(library, "XIGetProperty", functions.getProperty) ||
        !resolve(library, "XIChangeProperty", functions.changeProperty))
        functions.queryVersion = nullptr;
    return functions;
}

} // namespace

const XInput2Functions *XInput2Functions::load()
{
    // The library stays loaded for the rest of the run.
    static const XInput2Functions functions = loadFrom(dlopen("libXi.so.6", RTLD_NOW | RTLD_LOCAL));
    return functions.queryVersion ? &functions : nullptr;
}
