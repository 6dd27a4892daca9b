#include "platform/CObject.h"

#include <cstring>
#include <vector>

namespace {
std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}
} // namespace

CRuntimeClass::CRuntimeClass(LPCSTR className, CreateFunction create, const CRuntimeClass* baseClass)
    : m_lpszClassName(className), m_pfnCreateObject(create), m_pBaseClass(baseClass)
{
    Registry().push_back(this);
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const
{
    for (const CRuntimeClass* current = this; current != nullptr; current = current->m_pBaseClass) {
        if (current == baseClass) {
            return TRUE;
        }
    }
    return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(LPCSTR className)
{
    for (const CRuntimeClass* runtimeClass : Registry()) {
        if (std::strcmp(runtimeClass->m_lpszClassName, className) == 0) {
            return runtimeClass;
        }
    }
    return nullptr;
}

const CRuntimeClass CObject::classCObject("CObject", nullptr, nullptr);

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const { return GetRuntimeClass()->IsDerivedFrom(runtimeClass); }
