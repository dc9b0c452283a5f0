#include "HostKeyText.h"

namespace {

struct OemName {
    const WCHAR* host;
    const WCHAR* word;
};

// Tried in this order; the first one found is replaced.
const OemName OemNames[] = {
    {L"OEM_.", L"Dot"},
    {L"OEM_,", L"Comma"},
    {L"OEM_+", L"Plus"},
    {L"OEM_-", L"Minus"},
    {L"OEM_US`~", L"`"},
    {L"OEM_US[{", L"["},
    {L"OEM_US]}", L"]"},
    {L"OEM_US;:", L";"},
    {L"OEM_US'\"", L"'"},
    {L"OEM_US\\|", L"|"},
    {L"OEM_<\\>}", L"\\"},
    {L"OEM_/?", L"/"},
};

struct HostModifier {
    WCHAR letter;
    const WCHAR* name;
};

// Written in this order.
const HostModifier HostModifiers[] = {
    {L'W', L"Win"},
    {L'A', L"Alt"},
    {L'C', L"Ctrl"},
    {L'S', L"Shift"},
};

} // namespace

void TranslateHostKey(const WCHAR* hostKey, std::wstring& out)
{
    if (!hostKey)
        return;
    std::wstring text;
    for (const WCHAR* p = hostKey; *p; ++p) {
        if (*p != L' ' && *p != L'\t')
            text.push_back(*p);
    }
    for (const OemName& oem : OemNames) {
        size_t at = text.find(oem.host);
        if (at != std::wstring::npos) {
            text.replace(at, wcslen(oem.host), oem.word);
            break;
        }
    }
    if (text.find(L'+') == std::wstring::npos) {
        out.append(text);
        return;
    }
    unsigned present = 0; // bit i: HostModifiers[i] was given
    size_t rest = 0;
    for (; rest < text.size(); ++rest) {
        size_t i = 0;
        while (i < 4 && HostModifiers[i].letter != text[rest])
            ++i;
        if (i == 4)
            break;
        present |= 1u << i;
    }
    bool first = true;
    for (size_t i = 0; i < 4; ++i) {
        if (present & (1u << i)) {
            if (!first)
                out.push_back(L'+');
            out.append(HostModifiers[i].name);
            first = false;
        }
    }
    out.append(text, rest, std::wstring::npos);
}
