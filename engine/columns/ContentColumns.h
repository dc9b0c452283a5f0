// The content-plug-in columns the host can show and set: "Order" (the
// file's sticky place), "Mark" (its bookmark place) and "Autostart" (always
// 0). The host passes ANSI names; every call refuses null pointers and
// buffers too small for its answer, and answers without a running engine.
#pragma once
#include <windows.h>

class CEngineContext;
class CBookmarks;
class CStickyFile;

enum ContentField { FieldOrder = 0, FieldMark = 1, FieldAutostart = 2, FieldCount = 3 };

class CContentColumns {
public:
    CContentColumns(CEngineContext& engine, CBookmarks& bookmarks, CStickyFile& sticky)
        : m_engine(engine), m_bookmarks(bookmarks), m_sticky(sticky) {}

    static int SupportedField(int index, char* name, char* units, int maxLength);
    static int SupportedFieldFlags(int index);
    static int DetectString(char* text, int maxLength);
    // `running`: the engine is started (else no value is given).
    int GetValue(const char* file, int field, void* value, int maxLength, bool running);
    // "Order" while a file list has the focus: the file's sticky place and a
    // rebuild of that list; 0 (success) also when nothing was done, as for a
    // path holding "?".
    int SetValue(const char* file, int field, const void* value, bool running);
    // Writes 8 and opens the sticky-files dialog over `parent`: 0 on OK,
    // else cancel.
    int EditValue(HWND parent, int field, void* value, int maxLength);

private:
    CEngineContext& m_engine;
    CBookmarks& m_bookmarks;
    CStickyFile& m_sticky;
};
