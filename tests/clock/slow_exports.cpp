// Extra exports of a test build of the module: each timer tick takes longer,
// and the test can count the ticks that finished.
#include "HoraletApp.h"

extern "C" {

void WINAPI TestSetTickDelay(DWORD milliseconds)
{
    theApp.Clock().SetTickDelay(milliseconds);
}

LONG WINAPI TestTicksDone()
{
    return theApp.Clock().TicksDone();
}

} // extern "C"
