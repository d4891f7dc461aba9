// The process entry of the shared library on Windows: thread notifications are turned off, since
// the library keeps no per-thread state; all set-up waits for Tal_Birth.
#if defined(_WIN32) && !defined(TAL_STATIC_DEFINE)
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif
