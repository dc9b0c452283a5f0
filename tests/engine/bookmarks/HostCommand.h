// Engine commands sent to the stand-in host the way an outside program sends
// them (WM_SETTEXT to the dispatcher, wParam = command number), with the
// message boxes they raise answered. A box is modal inside the sent message,
// so the command is sent from a thread of its own while this thread watches
// the host thread for boxes.
#pragma once
#include <windows.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "HostDriver.h"
#include "HostTestSupport.h"

// Runs `number`, answers the boxes in turn with `answers` (IDOK once they
// are used up) and returns their texts; the host has handled everything the
// command posted when it returns.
inline std::vector<std::wstring> RunCommand(CHostDriver& host, UINT number, std::vector<int> answers = {})
{
    HWND dispatcher = Dispatcher(host.ThreadId());
    std::atomic<bool> done{false};
    std::thread sender([&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dispatcher, WM_SETTEXT, number, (LPARAM)L"", SMTO_NORMAL, 10000, &ignored);
        done = true;
    });
    std::vector<std::wstring> texts;
    HWND answered = nullptr;
    while (!done) {
        HWND box = host.FindMessageBox(0);
        if (box && box != answered) {
            texts.push_back(CHostDriver::MessageBoxText(box));
            CHostDriver::AnswerMessageBox(box, texts.size() <= answers.size() ? answers[texts.size() - 1] : IDOK);
            answered = box;
        }
        Sleep(10);
    }
    sender.join();
    host.Flush();
    return texts;
}

// The host index of the row showing `name` in a list of the stand-in host; -1.
inline int HostRowOf(HWND list, const std::wstring& name)
{
    std::vector<std::wstring> rows = CHostDriver::ListRows(list);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].substr(0, rows[i].find(L'\t')) == name)
            return (int)i;
    return -1;
}
