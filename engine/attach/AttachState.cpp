#include "AttachState.h"

void CAttachState::RecordCreation(HWND window, const HostTreeSnapshot& live)
{
    const HWND watched[] = {live.bar2[0], live.bar2[1], live.tabs[0], live.tabs[1], live.fileList[0], live.fileList[1]};
    for (HWND w : watched)
        if (w && w == window && !CreatedSinceScan(window))
            m_reborn.push_back(window);
}

bool CAttachState::CreatedSinceScan(HWND window) const
{
    for (HWND reborn : m_reborn)
        if (reborn == window)
            return true;
    return false;
}
