// CObject: the root of the framework's classes that carry a run-time class.
//
// A run-time class names a class, links it to its base and, for classes
// declared creatable, makes new objects of it. Code identifies objects by it
// (IsKindOf, GetRuntimeClass()->m_lpszClassName) and creates objects of a
// class chosen at run time (CreateObject).
//
//     class CMyCell : public CGridCell
//     {
//         DECLARE_DYNCREATE(CMyCell)
//         ...
//     };
//     IMPLEMENT_DYNCREATE(CMyCell, CGridCell)   // in the .cpp file
//
//     const CRuntimeClass* rc = RUNTIME_CLASS(CMyCell);
//     CObject* p = rc->CreateObject();
//     if (p && p->IsKindOf(RUNTIME_CLASS(CGridCellBase))) ...
//
// DECLARE_DYNAMIC / IMPLEMENT_DYNAMIC give the name and the base only.
#pragma once

#include <windows.h>
#include <new>

class CObject;

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)(); // NULL: not creatable at run time
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or NULL when the class is not creatable
    // or memory ran out.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject
{
public:
    virtual ~CObject() {}
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    // The run-time class's name.
    LPCSTR GetRuntimeClassName() const { return GetRuntimeClass()->m_lpszClassName; }

    static const CRuntimeClass classCObject;

protected:
    CObject() {}
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                     \
public:                                                 \
    static const CRuntimeClass class##class_name;       \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                            \
    const CRuntimeClass class_name::class##class_name = { #class_name, (int)sizeof(class_name), pfnNew, \
                                                          RUNTIME_CLASS(base_class_name) };          \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                        \
    CObject* class_name::CreateObject() { return new (std::nothrow) class_name; }                \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)
