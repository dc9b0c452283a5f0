// The application object of the Drive List and mark page tests.
#include "WinApp.h"

CWinApp theApp(L"MerovSet");
