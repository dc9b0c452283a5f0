// Arrays and hash maps in the style of the Windows application framework.
#pragma once

#include <windows.h>
#include <new>
#include <type_traits>
#include <utility>
#include "Strings.h"

// Opaque iteration position of a map; NULL means "no more".
struct __POSITION {};
typedef __POSITION* POSITION;

// A growable array. ARG_TYPE is how elements are passed in (const T& or T).
// Storage grows geometrically; elements are value-initialised (zero for
// plain types).
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    CArray() {}
    CArray(const CArray& src) { Copy(src); }
    CArray(CArray&& src) noexcept { Swap(src); }
    CArray& operator=(const CArray& src) { if (this != &src) Copy(src); return *this; }
    CArray& operator=(CArray&& src) noexcept { if (this != &src) { RemoveAll(); Swap(src); } return *this; }
    ~CArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy > 0 fixes the growth step; otherwise growth is geometric.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize < 0)
            nNewSize = 0;
        if (nNewSize > m_nMaxSize)
            Reserve(NextCapacity(nNewSize));
        for (INT_PTR i = m_nSize; i < nNewSize; ++i)
            new (&m_pData[i]) TYPE();
        for (INT_PTR i = nNewSize; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize = nNewSize;
    }

    void RemoveAll()
    {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    }

    void FreeExtra()
    {
        if (m_nSize < m_nMaxSize)
            Reserve(m_nSize, true);
    }

    const TYPE& GetAt(INT_PTR i) const { return m_pData[i]; }
    TYPE& GetAt(INT_PTR i) { return m_pData[i]; }
    TYPE& ElementAt(INT_PTR i) { return m_pData[i]; }
    const TYPE& ElementAt(INT_PTR i) const { return m_pData[i]; }
    const TYPE& operator[](INT_PTR i) const { return m_pData[i]; }
    TYPE& operator[](INT_PTR i) { return m_pData[i]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    // Out-of-range indexes are ignored.
    void SetAt(INT_PTR i, ARG_TYPE newElement)
    {
        if (i >= 0 && i < m_nSize)
            m_pData[i] = newElement;
    }

    // Sets element i, growing the array when i is past the end.
    void SetAtGrow(INT_PTR i, ARG_TYPE newElement)
    {
        if (i < 0)
            return;
        TYPE value(newElement); // newElement may live inside this array
        if (i >= m_nSize)
            SetSize(i + 1);
        m_pData[i] = std::move(value);
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        TYPE value(newElement);
        INT_PTR i = m_nSize;
        SetSize(m_nSize + 1);
        m_pData[i] = std::move(value);
        return i;
    }

    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = m_nSize;
        if (&src == this) {
            CArray copy(src);
            return Append(copy);
        }
        SetSize(m_nSize + src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_pData[old + i] = src.m_pData[i];
        return old;
    }

    void Copy(const CArray& src)
    {
        if (&src == this)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    // Inserts nCount copies at nIndex; an index past the end grows the array.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            return;
        TYPE value(newElement);
        if (nIndex >= m_nSize) {
            SetSize(nIndex + nCount);
        } else {
            INT_PTR old = m_nSize;
            SetSize(m_nSize + nCount);
            for (INT_PTR i = old - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = value;
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (!pNewArray || pNewArray->m_nSize == 0 || nStartIndex < 0)
            return;
        CArray copy(*pNewArray);
        InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
        for (INT_PTR i = 1; i < copy.m_nSize; ++i)
            m_pData[nStartIndex + i] = copy.m_pData[i];
    }

    // Removes up to nCount elements at nIndex; out-of-range parts are ignored.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nIndex >= m_nSize || nCount <= 0)
            return;
        if (nCount > m_nSize - nIndex)
            nCount = m_nSize - nIndex;
        for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
            m_pData[i - nCount] = std::move(m_pData[i]);
        SetSize(m_nSize - nCount);
    }

    INT_PTR GetCapacity() const { return m_nMaxSize; }

private:
    INT_PTR NextCapacity(INT_PTR need) const
    {
        INT_PTR grow = m_nGrowBy > 0 ? m_nGrowBy : (m_nMaxSize < 4 ? 4 : m_nMaxSize / 2);
        INT_PTR cap = m_nMaxSize + grow;
        return cap < need ? need : cap;
    }

    void Reserve(INT_PTR cap, bool shrink = false)
    {
        if (cap < m_nSize || (!shrink && cap <= m_nMaxSize))
            return;
        TYPE* p = cap ? static_cast<TYPE*>(::operator new(sizeof(TYPE) * cap)) : nullptr;
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            new (&p[i]) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        ::operator delete(m_pData);
        m_pData = p;
        m_nMaxSize = cap;
    }

    void Swap(CArray& o)
    {
        std::swap(m_pData, o.m_pData);
        std::swap(m_nSize, o.m_nSize);
        std::swap(m_nMaxSize, o.m_nMaxSize);
        std::swap(m_nGrowBy, o.m_nGrowBy);
    }

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

typedef CArray<CString, const CString&> CStringArray;
typedef CArray<void*, void*> CPtrArray;
typedef CArray<DWORD, DWORD> CDWordArray;
typedef CArray<UINT, UINT> CUIntArray;
typedef CArray<WORD, WORD> CWordArray;
typedef CArray<BYTE, BYTE> CByteArray;

// Hashing and equality used by CMap; overload for new key types.
inline UINT HashKey(LPCWSTR key)
{
    UINT h = 2166136261u; // FNV-1a
    for (; key && *key; ++key)
        h = (h ^ (UINT)*key) * 16777619u;
    return h;
}
inline UINT HashKey(const CString& key) { return HashKey(key.GetString()); }
inline UINT HashKey(LPWSTR key) { return HashKey((LPCWSTR)key); }
inline UINT HashKey(LPCSTR key)
{
    UINT h = 2166136261u;
    for (; key && *key; ++key)
        h = (h ^ (UINT)(BYTE)*key) * 16777619u;
    return h;
}
template <class KEY>
inline UINT HashKey(KEY key)
{
    UINT64 v;
    if constexpr (std::is_pointer<KEY>::value)
        v = (UINT64)(UINT_PTR)key >> 4;
    else
        v = (UINT64)key;
    return (UINT)(v ^ (v >> 32)) * 2654435761u;
}

template <class KEY, class ARG_KEY>
inline bool CompareElements(const KEY& a, ARG_KEY b) { return a == b; }

// A hash map. Iterate with GetStartPosition/GetNextAssoc; removing the entry
// just returned by GetNextAssoc is allowed.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap
{
    struct CAssoc : __POSITION
    {
        CAssoc* pNext;
        UINT nHash;
        KEY key;
        VALUE value;
        explicit CAssoc(ARG_KEY k) : pNext(nullptr), nHash(0), key(k), value() {}
    };

public:
    explicit CMap(UINT nHashSize = 17) : m_nHashSize(nHashSize ? nHashSize : 17) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashSize; }

    // Sets the bucket count before the first insertion (ignored later).
    void InitHashTable(UINT nHashSize)
    {
        if (!m_pTable && nHashSize)
            m_nHashSize = nHashSize;
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* a = Find(key);
        if (!a)
            return FALSE;
        rValue = a->value;
        return TRUE;
    }

    // Pointer to the stored value, or NULL.
    VALUE* PLookup(ARG_KEY key) { CAssoc* a = Find(key); return a ? &a->value : nullptr; }

    VALUE& operator[](ARG_KEY key)
    {
        if (CAssoc* a = Find(key))
            return a->value;
        return Insert(key)->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pTable)
            return FALSE;
        UINT h = HashKey(key);
        CAssoc** pp = &m_pTable[h % m_nHashSize];
        for (CAssoc* a = *pp; a; pp = &a->pNext, a = a->pNext) {
            if (a->nHash == h && CompareElements<KEY, ARG_KEY>(a->key, key)) {
                *pp = a->pNext;
                delete a;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pTable) {
            for (UINT i = 0; i < m_nHashSize; ++i) {
                for (CAssoc* a = m_pTable[i]; a;) {
                    CAssoc* next = a->pNext;
                    delete a;
                    a = next;
                }
            }
            delete[] m_pTable;
            m_pTable = nullptr;
        }
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount ? FirstFrom(0) : nullptr; }

    void GetNextAssoc(POSITION& rPos, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* a = static_cast<CAssoc*>(rPos);
        if (!a)
            return;
        rKey = a->key;
        rValue = a->value;
        rPos = a->pNext ? a->pNext : FirstFrom(a->nHash % m_nHashSize + 1);
    }

private:
    CAssoc* Find(ARG_KEY key) const
    {
        if (!m_pTable)
            return nullptr;
        UINT h = HashKey(key);
        for (CAssoc* a = m_pTable[h % m_nHashSize]; a; a = a->pNext)
            if (a->nHash == h && CompareElements<KEY, ARG_KEY>(a->key, key))
                return a;
        return nullptr;
    }

    CAssoc* Insert(ARG_KEY key)
    {
        if (!m_pTable)
            m_pTable = new CAssoc*[m_nHashSize]();
        else if ((UINT)m_nCount >= m_nHashSize * 2)
            Rehash(m_nHashSize * 2 + 1);
        CAssoc* a = new CAssoc(key);
        a->nHash = HashKey(key);
        CAssoc*& head = m_pTable[a->nHash % m_nHashSize];
        a->pNext = head;
        head = a;
        ++m_nCount;
        return a;
    }

    void Rehash(UINT nNewSize)
    {
        CAssoc** table = new CAssoc*[nNewSize]();
        for (UINT i = 0; i < m_nHashSize; ++i) {
            for (CAssoc* a = m_pTable[i]; a;) {
                CAssoc* next = a->pNext;
                CAssoc*& head = table[a->nHash % nNewSize];
                a->pNext = head;
                head = a;
                a = next;
            }
        }
        delete[] m_pTable;
        m_pTable = table;
        m_nHashSize = nNewSize;
    }

    CAssoc* FirstFrom(UINT bucket) const
    {
        if (!m_pTable)
            return nullptr;
        for (UINT i = bucket; i < m_nHashSize; ++i)
            if (m_pTable[i])
                return m_pTable[i];
        return nullptr;
    }

    CAssoc** m_pTable = nullptr;
    UINT m_nHashSize;
    INT_PTR m_nCount = 0;
};

typedef CMap<CString, LPCWSTR, void*, void*> CMapStringToPtr;
typedef CMap<CString, LPCWSTR, CString, LPCWSTR> CMapStringToString;
typedef CMap<void*, void*, void*, void*> CMapPtrToPtr;
typedef CMap<WORD, WORD, void*, void*> CMapWordToPtr;
