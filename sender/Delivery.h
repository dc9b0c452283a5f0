// Sending the command to the engine's dispatcher window.
#pragma once

#include "CommandLine.h"

typedef LRESULT (WINAPI *SendMessageFunction)(HWND, UINT, WPARAM, LPARAM);

// Sends WM_SETTEXT(number, text) to the dispatcher and shows the system's
// text when the send was denied. The engine's answer is not reported.
void DeliverCommand(HWND dispatcher, const SenderCommand& command,
                    SendMessageFunction send = SendMessageW);
