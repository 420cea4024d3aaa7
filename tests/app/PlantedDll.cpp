// A DLL that lies beside vexilo.exe under a system DLL's name, as one
// dropped into a download folder would. It exports nothing: loaded in
// place of the system's DLL, the program finds none of its functions.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
