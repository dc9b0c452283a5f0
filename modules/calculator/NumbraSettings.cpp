#include "NumbraSettings.h"
#include <cwchar>

namespace {

const LPCWSTR Blanks = L" \t";
const int ValueLength = 1024;
// Sections are read into a buffer that grows up to this many characters.
const DWORD MaxSectionLength = 1 << 22;

} // namespace

void CNumbraSettings::SetPath(LPCWSTR path)
{
    m_path = path;
    Forget();
}

void CNumbraSettings::Forget()
{
    for (int i = 0; i < (int)m_sections.GetSize(); ++i)
        delete m_sections[i];
    m_sections.RemoveAll();
    if (++m_generation == 0)
        m_generation = 1;
}

void CNumbraSettings::Refresh()
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    BOOL exists = GetFileAttributesExW(m_path, GetFileExInfoStandard, &data);
    ULONGLONG size = exists ? ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow : 0;
    if (exists != m_exists || size != m_size || CompareFileTime(&data.ftLastWriteTime, &m_written) != 0) {
        Forget();
        m_exists = exists;
        m_size = size;
        m_written = exists ? data.ftLastWriteTime : FILETIME{};
    }
}

const CArray<CIniLine>& CNumbraSettings::GetSection(LPCWSTR section)
{
    for (int i = 0; i < (int)m_sections.GetSize(); ++i) {
        if (m_sections[i]->name.CompareNoCase(section) == 0)
            return m_sections[i]->lines;
    }
    CSection* entry = new CSection;
    entry->name = section;
    ReadSection(m_path, section, entry->lines);
    m_sections.Add(entry);
    return entry->lines;
}

// GetPrivateProfileSectionW keeps lines without "=", which the key list of
// GetPrivateProfileStringW may leave out.
void CNumbraSettings::ReadSection(LPCWSTR path, LPCWSTR section, CArray<CIniLine>& lines)
{
    DWORD size = 65536;
    CArray<WCHAR, WCHAR> buffer;
    DWORD length;
    for (;;) {
        buffer.SetSize(size);
        length = GetPrivateProfileSectionW(section, buffer.GetData(), size, path);
        if (length < size - 2 || size >= MaxSectionLength)
            break;
        size *= 2;
    }
    const WCHAR* text = buffer.GetData();
    const WCHAR* end = text + (length < size ? length : size - 1);
    while (text < end && *text) {
        size_t lineLength = wcsnlen(text, (size_t)(end - text));
        CString line(text, (int)lineLength);
        text += lineLength + 1;
        line.Trim(Blanks);
        if (line.IsEmpty() || line[0] == L';')
            continue;
        CIniLine entry;
        int equal = line.Find(L'=');
        if (equal < 0) {
            entry.key = line;
        } else {
            entry.key = line.Left(equal);
            entry.key.Trim(Blanks);
            entry.value = line.Mid(equal + 1);
            entry.value.Trim(Blanks);
            int valueLength = entry.value.GetLength();
            if (valueLength >= 2 && ((entry.value[0] == L'"' && entry.value[valueLength - 1] == L'"') ||
                                        (entry.value[0] == L'\'' && entry.value[valueLength - 1] == L'\'')))
                entry.value = entry.value.Mid(1, valueLength - 2);
            if (entry.value.GetLength() > ValueLength - 1)
                entry.value = entry.value.Left(ValueLength - 1);
            entry.hasValue = TRUE;
        }
        lines.Add(entry);
    }
}

CString CNumbraSettings::GetString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, int size)
{
    const CArray<CIniLine>& lines = GetSection(section);
    CString value = defaultValue;
    for (int i = 0; i < (int)lines.GetSize(); ++i) {
        if (lines[i].key.CompareNoCase(key) == 0) {
            value = lines[i].value;
            break;
        }
    }
    if (size > 0 && value.GetLength() > size - 1)
        value = value.Left(size - 1);
    return value;
}

int CNumbraSettings::GetInt(LPCWSTR section, LPCWSTR key, int defaultValue)
{
    CString value = GetString(section, key, L"");
    if (value.IsEmpty())
        return defaultValue;
    return (int)wcstol(value, nullptr, 10);
}
