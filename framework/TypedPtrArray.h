// CTypedPtrArray: a pointer array whose elements have one pointer type.
//
//     CTypedPtrArray<CPtrArray, CGridCellBase*> row;
//     row.Add(pCell);
//     CGridCellBase* p = row[0];
//     row.SetAt(0, pOther);
//
// The array holds the pointers only; whoever fills it deletes the objects.
#pragma once

#include "Collections.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR i) const { return static_cast<TYPE>(BASE_CLASS::GetAt(i)); }
    // Read access only: elements change through SetAt.
    TYPE operator[](INT_PTR i) const { return GetAt(i); }
    void SetAt(INT_PTR i, TYPE ptr) { BASE_CLASS::SetAt(i, ptr); }
    void SetAtGrow(INT_PTR i, TYPE ptr) { BASE_CLASS::SetAtGrow(i, ptr); }
    INT_PTR Add(TYPE ptr) { return BASE_CLASS::Add(ptr); }
    void InsertAt(INT_PTR nIndex, TYPE ptr, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, ptr, nCount); }
};
