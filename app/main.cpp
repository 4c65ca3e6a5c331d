#include <windows.h>

#include "app/frame.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app::start(); }
