#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

// The XInput 2 calls the X11 store makes, looked up in libXi when a store
// first opens instead of linked: the command-line tool then starts on a
// machine without libXi, and only the X11 store goes without it.
struct XInput2Functions
{
    decltype(&XIQueryVersion) queryVersion = nullptr;
    decltype(&XIQueryDevice) queryDevice = nullptr;
    decltype(&XIFreeDeviceInfo) freeDeviceInfo = nullptr;
    decltype(&XIGetProperty) getProperty = nullptr;
    decltype(&XIChangeProperty) changeProperty = nullptr;

    // Null when libXi or one of the calls is missing. Loaded once.
    static const XInput2Functions *load();
};
