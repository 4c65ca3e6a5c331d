// A DLL named like the engine but without its entry: the program must stop
// with the fatal binding error instead of calling into nowhere.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI NotTheEngine() { return 0; }
