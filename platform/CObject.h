#pragma once
// Run-time class information and dynamic creation.

#include "platform/WinTypes.h"

class CObject;

struct CRuntimeClass {
    using CreateFunction = CObject* (*)();

    BOOL IsDerivedFrom(const CRuntimeClass* baseClass) const;

    CreateFunction m_pfnCreateObject;
    const CRuntimeClass* m_pBaseClass;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
};

// A new object of the class when it derives from baseClass and is dynamically creatable; else null.
template <class T>
T* AfxCreateObject(const CRuntimeClass* runtimeClass, const CRuntimeClass* baseClass)
{
    const bool creatable = runtimeClass != nullptr && runtimeClass->m_pfnCreateObject != nullptr;
    if (!creatable || !runtimeClass->IsDerivedFrom(baseClass)) {
        return nullptr;
    }
    return static_cast<T*>(runtimeClass->m_pfnCreateObject());
}

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// The object as a class_name*, or null when it is null or of another class.
#define DYNAMIC_DOWNCAST(class_name, object) dynamic_cast<class_name*>(object)

#define DECLARE_DYNAMIC(class_name)                                                                                  \
public:                                                                                                              \
    static const CRuntimeClass class##class_name;                                                                    \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                                \
    DECLARE_DYNAMIC(class_name)                                                                                      \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                               \
    const CRuntimeClass class_name::class##class_name{nullptr, RUNTIME_CLASS(base_class_name)};                      \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                             \
    CObject* class_name::CreateObject() { return new class_name; }                                                   \
    const CRuntimeClass class_name::class##class_name{&class_name::CreateObject, RUNTIME_CLASS(base_class_name)};    \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }
