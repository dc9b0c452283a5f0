#include "HotkeyText.h"

namespace {

// A token of the text: a range of characters, never empty.
struct Token {
    const WCHAR* text;
    size_t length;
};

bool EqualsNoCase(const WCHAR* text, size_t length, const char* name)
{
    size_t i = 0;
    for (; i < length && name[i]; ++i) {
        WCHAR c = text[i];
        if (c >= L'a' && c <= L'z')
            c = WCHAR(c - (L'a' - L'A'));
        if (c != WCHAR(name[i]))
            return false;
    }
    return i == length && name[i] == 0;
}

// The modifier bit (low nibble) of a modifier name, 0 when it is none.
BYTE ModifierBit(const WCHAR* text, size_t length)
{
    if (EqualsNoCase(text, length, "ALT"))
        return HotkeyLAlt;
    if (EqualsNoCase(text, length, "SHIFT"))
        return HotkeyLShift;
    if (EqualsNoCase(text, length, "CTRL"))
        return HotkeyLCtrl;
    if (EqualsNoCase(text, length, "WIN"))
        return HotkeyLWin;
    return 0;
}

// A single character through the current keyboard layout. Shift is dropped
// (the character already names the key); Ctrl and Alt states add both sides.
bool ParseCharacter(WCHAR c, BYTE* modifiers, BYTE* key)
{
    SHORT scan = VkKeyScanW(c);
    if (scan == -1)
        return false;
    // The layout's second backslash key ('|' on US layouts with its
    // shift state) stands for the key of the 102nd key position.
    if (scan == 0x01DC) {
        *key = VK_OEM_102;
        return true;
    }
    BYTE state = HIBYTE(scan);
    if (state & 2)
        *modifiers |= HotkeyCtrl;
    if (state & 4)
        *modifiers |= HotkeyAlt;
    *key = LOBYTE(scan);
    return true;
}

// Parses one token; a token that names a key sets *key (possibly with
// modifiers), a modifier token only adds to *modifiers.
bool ParseToken(const Token& token, const KeyNameRow* table, BYTE* modifiers, BYTE* key)
{
    if (token.length == 1)
        return ParseCharacter(token.text[0], modifiers, key);

    WCHAR first = token.text[0];
    if (first == L'L' || first == L'l' || first == L'R' || first == L'r') {
        BYTE bit = ModifierBit(token.text + 1, token.length - 1);
        if (bit) {
            *modifiers |= (first == L'L' || first == L'l') ? bit : BYTE(bit << 4);
            return true;
        }
    } else {
        BYTE bit = ModifierBit(token.text, token.length);
        if (bit) {
            *modifiers |= BYTE(bit | (bit << 4));
            return true;
        }
    }
    // Key names that begin with L or R ("LEFT", "RIGHT") are looked up whole.
    BYTE named = FindKeyName(table, token.text, token.length);
    if (!named)
        return false;
    *key = named;
    return true;
}

} // namespace

bool ParseHotkeyText(const WCHAR* text, const KeyNameRow* table, HotkeyCode* code)
{
    BYTE modifiers = 0;
    BYTE key = 0;
    bool haveKey = false;
    const WCHAR* p = text ? text : L"";
    while (*p) {
        const WCHAR* end = p;
        while (*end && *end != L'+')
            ++end;
        if (end > p) {
            if (haveKey)
                return false; // nothing may follow the key
            BYTE tokenKey = 0;
            if (!ParseToken(Token{p, size_t(end - p)}, table, &modifiers, &tokenKey))
                return false;
            if (tokenKey) {
                key = tokenKey;
                haveKey = true;
            }
        }
        p = *end ? end + 1 : end;
    }
    if (code)
        *code = MakeHotkeyCode(modifiers, key);
    return true;
}

bool IsValidHotkeyText(const WCHAR* text, const KeyNameRow* table)
{
    if (!text || !text[0] || !text[1])
        return false;
    HotkeyCode code = 0;
    return ParseHotkeyText(text, table, &code) && HotkeyKey(code) != 0;
}
