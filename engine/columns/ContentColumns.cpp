#include "ContentColumns.h"
#include "ActiveFileList.h"
#include "Bookmarks.h"
#include "ContentPlugin.h"
#include "StickyFile.h"
#include "TCFileList.h"
#include <cstring>

namespace {

const char* const FieldNames[FieldCount] = {"Order", "Mark", "Autostart"};
// The host's names are converted to at most this many characters.
const int NameLength = 1023;
// ContentEditValue's value: the place the host then sets through ContentSetValue.
const int EditedPlace = 8;

CString WideName(const char* file)
{
    WCHAR wide[NameLength + 1] = {};
    int length = (int)strnlen(file, NameLength);
    int converted = ::MultiByteToWideChar(CP_ACP, 0, file, length, wide, NameLength);
    wide[converted > 0 ? converted : 0] = 0;
    return wide;
}

} // namespace

int CContentColumns::SupportedField(int index, char* name, char* units, int maxLength)
{
    if (index < 0 || index >= FieldCount || !name || !units || maxLength <= 0)
        return ContentNoMoreFields;
    lstrcpynA(name, FieldNames[index], maxLength);
    units[0] = 0;
    return ContentFieldNumeric32;
}

int CContentColumns::SupportedFieldFlags(int index)
{
    return index < 2 ? 1 : 0; // editable; -1 asks for all fields
}

int CContentColumns::DetectString(char* text, int maxLength)
{
    if (text && maxLength > 0)
        text[0] = 0;
    return 0;
}

int CContentColumns::GetValue(const char* file, int field, void* value, int maxLength, bool running)
{
    if (field < 0 || field >= FieldCount)
        return ContentNoSuchField;
    if (!file || !value || maxLength < (int)sizeof(int))
        return ContentFieldEmpty;
    int number = 0;
    if (field != FieldAutostart) {
        if (!running)
            return ContentFieldEmpty;
        CString path = WideName(file);
        number = field == FieldOrder ? m_sticky.Order(path) : m_bookmarks.IndexOf(path);
        if (number == 0)
            return ContentFieldEmpty;
    }
    memcpy(value, &number, sizeof number);
    return ContentFieldNumeric32;
}

int CContentColumns::SetValue(const char* file, int field, const void* value, bool running)
{
    if (field == FieldAutostart)
        return ContentSetCancel;
    if (!file || field != FieldOrder || !value || !running)
        return ContentSetSuccess;
    CString path = WideName(file);
    int slash = path.ReverseFind(L'\\');
    // The host writes "?" for a letter outside the code page: such a name
    // can never match a file, so it is not written.
    if (slash < 0 || path.Find(L'?') >= 0)
        return ContentSetSuccess;
    CTCFileList* list = ActiveFileList(m_engine);
    if (!list)
        return ContentSetSuccess;
    int place = 0;
    memcpy(&place, value, sizeof place);
    m_sticky.SetPosition(path.Left(slash), path.Mid(slash + 1), place);
    list->OnFolderChanged();
    list->RebuildOrder();
    ::InvalidateRect(list->Window(), nullptr, TRUE);
    return ContentSetSuccess;
}

int CContentColumns::EditValue(HWND parent, int field, void* value, int maxLength)
{
    if (field == FieldAutostart || !value || maxLength < (int)sizeof(int))
        return ContentSetCancel;
    int place = EditedPlace;
    memcpy(value, &place, sizeof place);
    // The host's window owns the dialog, so it cannot be used meanwhile.
    return m_sticky.ShowDialog(parent, L"", FALSE) == IDOK ? ContentSetSuccess : ContentSetCancel;
}
