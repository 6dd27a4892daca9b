#pragma once
// Run-time class information and dynamic creation, over the language's own type
// information: a class's record makes an object of the class and tells whether
// an object is one.

#include "platform/WinTypes.h"

class CObject;

struct CRuntimeClass {
    // Makes an object of the class; null when the class is not dynamically creatable.
    CObject* (*m_pfnCreateObject)();
    // Whether the object is of the class or of a class derived from it.
    bool (*m_pfnIsKindOf)(const CObject* object);
};

class CObject {
public:
    virtual ~CObject() = default;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const { return runtimeClass->m_pfnIsKindOf(this); }

protected:
    CObject() = default;
};

template <class T>
bool AfxIsKindOf(const CObject* object)
{
    return dynamic_cast<const T*>(object) != nullptr;
}

// A new object of the class, which must be dynamically creatable and a T: the program names its
// document, frame and view classes in its document template.
template <class T>
T* AfxCreateObject(const CRuntimeClass* runtimeClass)
{
    return static_cast<T*>(runtimeClass->m_pfnCreateObject());
}

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// The object as a class_name*, or null when it is null or of another class.
#define DYNAMIC_DOWNCAST(class_name, object) dynamic_cast<class_name*>(object)

#define DECLARE_DYNAMIC(class_name)                                                                                  \
public:                                                                                                              \
    static const CRuntimeClass class##class_name;

#define DECLARE_DYNCREATE(class_name) DECLARE_DYNAMIC(class_name)

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                               \
    const CRuntimeClass class_name::class##class_name{nullptr, &AfxIsKindOf<class_name>};

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                             \
    const CRuntimeClass class_name::class##class_name{[]() -> CObject* { return new class_name; },                   \
                                                      &AfxIsKindOf<class_name>};
