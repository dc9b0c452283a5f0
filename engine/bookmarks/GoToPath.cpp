#include "GoToPath.h"
#include "Prompt.h"
#include "EngineContext.h"
#include "TCProtocol.h"

bool BuildGoToPathBlock(LPCWSTR path, int mode, bool newTab, std::string& block)
{
    block.clear();
    if (!path)
        return false;
    int length = (int)wcslen(path);
    bool second = mode == GoToRight || mode == GoToTarget;
    // The UTF-8 length first: a path that does not fit is refused whole.
    int bytes = length ? ::WideCharToMultiByte(CP_UTF8, 0, path, length, nullptr, 0, nullptr, nullptr) : 0;
    if ((length && bytes <= 0) || (second ? 1 : 0) + 3 + (size_t)bytes > GoToPathLimit)
        return false;
    if (second)
        block += '\r';
    block += "\xEF\xBB\xBF";
    size_t start = block.size();
    block.resize(start + bytes);
    if (bytes)
        ::WideCharToMultiByte(CP_UTF8, 0, path, length, &block[start], bytes, nullptr, nullptr);
    if (!second)
        block += '\r';
    block += '\0';
    if (mode == GoToSource || mode == GoToTarget)
        block += 'S';
    block += 'A';
    if (newTab)
        block += 'T';
    block += '\0';
    return true;
}

bool GoToPath(CEngineContext& engine, LPCWSTR path, int mode, bool newTab)
{
    std::string block;
    HWND main = engine.Host().mainWindow;
    if (!main || !BuildGoToPathBlock(path, mode, newTab, block)) {
        AfxMessageBeep(MB_ICONASTERISK);
        return false;
    }
    COPYDATASTRUCT data = {CopyDataChangePath, (DWORD)block.size(), &block[0]};
    ::SendMessageW(main, WM_COPYDATA, 1, reinterpret_cast<LPARAM>(&data));
    return true;
}
