// The host's command list ("totalcmd.inc" or "wincmd.inc" in the host's
// folder): "cm_" names with their command numbers.
#pragma once
#include <windows.h>
#include <unordered_map>
#include <string>
#include "Strings.h"
#include "HostFolder.h"

// Command numbers by name, loaded once from the command file. The file may be
// ANSI, UTF-8 or UTF-16 (with a byte-order mark).
class CHostCommandTable {
public:
    // Replaces the table by the file's lines "name=number;comment"; the first
    // line of a name wins. A missing or empty path leaves the table empty.
    bool Load(LPCWSTR path);
    void Clear() { m_numbers.clear(); }
    // The number of `name` (compared without case); 0 when unknown.
    int Number(LPCWSTR name) const;
    int Count() const { return (int)m_numbers.size(); }

private:
    std::unordered_map<std::wstring, int> m_numbers;
};

// Decodes the bytes of a text file: UTF-16 LE/BE or UTF-8 after their
// byte-order marks, else the ANSI code page.
std::wstring DecodeTextFile(const char* data, size_t size);
