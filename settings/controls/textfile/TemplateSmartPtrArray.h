// A conversion buffer that starts on a fixed array of its owner and moves to
// a heap array of its own when a text needs more room; the heap array goes
// with the buffer object.
#pragma once

#include <cstring>
#include <new>

template <class T>
class CTemplateSmartPtrArray
{
public:
    CTemplateSmartPtrArray(T* pFixed, size_t nFixed) : m_p(pFixed), m_nSize(nFixed) {}
    ~CTemplateSmartPtrArray()
    {
        if (m_bOwned)
            delete[] m_p;
    }
    CTemplateSmartPtrArray(const CTemplateSmartPtrArray&) = delete;
    CTemplateSmartPtrArray& operator=(const CTemplateSmartPtrArray&) = delete;

    T* Get() const { return m_p; }
    size_t Size() const { return m_nSize; }
    T& operator[](size_t i) const { return m_p[i]; }

    // Makes room for at least nSize elements, keeping the first nKeep;
    // NULL when memory ran out (the old contents stay).
    T* Grow(size_t nSize, size_t nKeep)
    {
        if (nSize <= m_nSize)
            return m_p;
        // Twice the size at least, so a long line costs few copies.
        size_t next = m_nSize * 2 > nSize ? m_nSize * 2 : nSize;
        T* p = new (std::nothrow) T[next];
        if (!p)
            return nullptr;
        if (nKeep)
            memcpy(p, m_p, (nKeep < m_nSize ? nKeep : m_nSize) * sizeof(T));
        if (m_bOwned)
            delete[] m_p;
        m_p = p;
        m_nSize = next;
        m_bOwned = true;
        return m_p;
    }

private:
    T* m_p;
    size_t m_nSize;
    bool m_bOwned = false;
};
