// MerovSet, the settings utility: the one application object and the entry.
#include "MerovinUtil.h"

CMerovinUtil theApp;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
