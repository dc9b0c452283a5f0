#include "MenuHotkeyTexts.h"

void CMenuHotkeyTexts::Set(UINT command, LPCWSTR text)
{
    if (command < FirstEngineCommand || command > LastEngineCommand)
        return;
    WCHAR* slot = m_texts[command - FirstEngineCommand];
    int i = 0;
    if (text) {
        for (; i < MenuHotkeyTextLength - 1 && text[i]; ++i)
            slot[i] = text[i];
    }
    slot[i] = 0;
}

LPCWSTR CMenuHotkeyTexts::Text(UINT command) const
{
    if (command < FirstEngineCommand || command > LastEngineCommand)
        return L"";
    return m_texts[command - FirstEngineCommand];
}

void CMenuHotkeyTexts::Clear()
{
    for (WCHAR* slot : m_texts)
        slot[0] = 0;
}
