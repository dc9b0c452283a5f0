// The records of user functions and constants read from "Numbra.ini", and
// the menu tree the functions are arranged in.
#pragma once
#include "Framework.h"

const int UserFunctionSlots = 100;
const int UfdNameLength = 32;
const int UfdTextLength = 1024;
const int UfdParameters = 9;

// One user function or constant.
struct _UFDEntry {
    WCHAR key[UfdNameLength];         // the signature as written, trimmed
    WCHAR name[UfdNameLength];        // function or constant name
    WCHAR expression[UfdTextLength];  // the body, trimmed
    WCHAR comment[UfdTextLength];     // from the comment delimiter on, trimmed
    WCHAR parameters[UfdParameters][UfdTextLength];
    INT parameterCount;               // 0: any number of arguments
    double value;                     // a constant's value
};

// Empties every field.
void ClearEntry(_UFDEntry& entry);

// A node of the menu tree: an item (with a slot), a separator (no slot, no
// title) or a submenu (with children, titled). Children are owned.
template <class T>
class CNode {
public:
    CNode(T* data = nullptr, CNode* parent = nullptr, LPCWSTR title = L"", int number = 0)
        : m_data(data), m_parent(parent), m_title(title), m_number(number)
    {
    }
    ~CNode() { RemoveChildren(); }
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    CNode* AddChild(T* data, LPCWSTR title, int number)
    {
        CNode* child = new CNode(data, this, title, number);
        m_children.Add(child);
        return child;
    }
    void RemoveChildren()
    {
        for (int i = 0; i < (int)m_children.GetSize(); ++i)
            delete m_children[i];
        m_children.RemoveAll();
    }
    int GetChildCount() const { return (int)m_children.GetSize(); }
    CNode* GetChild(int index) const { return m_children[index]; }
    CNode* GetParent() const { return m_parent; }
    T* GetData() const { return m_data; }
    const CString& GetTitle() const { return m_title; }
    int GetNumber() const { return m_number; }
    BOOL IsSeparator() const { return m_data == nullptr && m_title.IsEmpty() && m_children.IsEmpty(); }

private:
    T* m_data;
    CNode* m_parent;
    CString m_title;
    int m_number; // slot + 1 for an item
    CArray<CNode*> m_children;
};

typedef CNode<_UFDEntry> CUserFunctionNode;

// Fills a record from a [Functions] line: the signature splits into the name
// and up to nine parameter names; a comment starts at the delimiter.
void ParseFunctionDefinition(LPCWSTR key, LPCWSTR value, LPCWSTR delimiter, _UFDEntry& entry);
// Cuts the value at the delimiter: the comment (trimmed, starting with the
// delimiter) goes to comment, the trimmed rest stays in value.
void SplitComment(CString& value, CString& comment, LPCWSTR delimiter);
// Copies at most size - 1 characters and terminates.
void CopyBounded(WCHAR* target, size_t size, LPCWSTR source);
