#include "Delivery.h"

#include "SenderMessages.h"

void DeliverCommand(HWND dispatcher, const SenderCommand& command, SendMessageFunction send)
{
    // Cleared first: a successful call can leave an earlier error behind.
    SetLastError(0);
    send(dispatcher, WM_SETTEXT, static_cast<WPARAM>(command.number),
         reinterpret_cast<LPARAM>(command.text));
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED)
        ShowSystemError(error, L"SendMessage");
}
