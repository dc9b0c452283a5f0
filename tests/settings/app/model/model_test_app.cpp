// The application object of the model's tests: the prompt service lives
// in it.
#include "WinApp.h"

CWinApp theApp(L"MerovSet");
