#pragma once
// Message maps: a static table per class of (message, command id, handler),
// searched from the most derived class to its bases. Each entry calls its
// handler through a small function of its own, with the handler's own arguments.

#include "platform/CObject.h"

enum : UINT { WM_CLOSE = 0x0010, WM_COMMAND = 0x0111, WM_LBUTTONDOWN = 0x0201 };

class CCmdTarget;
class CWnd;

struct AFX_MSGMAP_ENTRY {
    // WM_COMMAND or WM_LBUTTONDOWN; 0 ends the table.
    UINT nMessage;
    // The command of a WM_COMMAND entry.
    UINT nID;
    // The handler of a WM_COMMAND entry: void handler().
    void (*pfnCommand)(CCmdTarget& target);
    // The handler of a WM_LBUTTONDOWN entry: void handler(UINT nFlags, POINT point), point in client coordinates.
    void (*pfnLButtonDown)(CWnd& window, UINT nFlags, POINT point);
};

struct AFX_MSGMAP {
    // The map of the base class; null for the direct classes of CCmdTarget, which has none.
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
public:
    // Runs the handler of the command in this object's message map; FALSE when none handles it.
    virtual BOOL OnCmdMsg(UINT nID);

    // The entry for the message and id in this object's map or its bases', or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT id) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                                                                                        \
protected:                                                                                                           \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                    \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                       \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                  \
    {                                                                                                                \
        using ThisClass [[maybe_unused]] = theClass;                                                                 \
        using TheBaseClass = baseClass;                                                                              \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                            \
    {0, 0, nullptr, nullptr}                                                                                         \
    }                                                                                                                \
    ;                                                                                                                \
    static const AFX_MSGMAP messageMap = {TheBaseClass::GetThisMessageMap(), &messageEntries[0]};                    \
    return &messageMap;                                                                                              \
    }

#define ON_COMMAND(id, memberFxn)                                                                                    \
    {WM_COMMAND, (id), [](CCmdTarget& target) { static_cast<ThisClass&>(target).memberFxn(); }, nullptr},
