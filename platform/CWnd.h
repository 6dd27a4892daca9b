#pragma once
// A window: a C++ object bound to one Qt widget, which knows its object again
// (FromHandle). The two end together. Frames and views belong to their widget,
// a CWindowWidget, and go with it; any other window object takes its widget
// with it when it goes (a dialog on the stack, the controls of a dialog).

#include "platform/CCmdTarget.h"

#include <QPointer>

class QMenu;
class QWidget;
class CFrameWnd;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Binds this object to the widget, which must have none, until one of them goes.
    void Attach(QWidget* widget);
    // The bound widget, or null when there is none (never made, or destroyed).
    QWidget* GetWidget() const;
    // The widget of the client area: the bound widget, or the part of it inside its scroll bars.
    QWidget* GetClientWidget() const;
    // The object bound to the widget, or null.
    static CWnd* FromHandle(const QWidget* widget);

    // Destroys the widget: a frame or a view goes with it, other objects stay.
    virtual BOOL DestroyWindow();

    // Shows the window (the program shows its windows in their normal state only).
    void ShowWindow(int nCmdShow);
    void UpdateWindow();
    // Asks for a paint of the rectangle of the client area (all of it when null), erased first.
    void InvalidateRect(const RECT* rect, BOOL bErase = TRUE);
    // The client area, inside the scroll bars of a window that has them.
    void GetClientRect(RECT* rect) const;
    // The content of an edit control (the program's only windows with text of their own).
    void SetWindowText(LPCSTR text);
    // Copies at most maxCount - 1 characters (maxCount at least 1) and a terminating zero; returns the count copied.
    int GetWindowText(LPSTR buffer, int maxCount) const;

    // The control id of a child window; 0 when it has none.
    static int GetDlgCtrlID(const QWidget* widget);
    static void SetDlgCtrlID(QWidget* widget, int id);

    // Default processing of the message being handled: nothing more is needed on this platform.
    LRESULT Default() { return 0; }

    // Delivers a message now: WM_CLOSE to OnClose (commands go to OnCmdMsg). Any other message
    // does nothing. Gives 0.
    LRESULT SendMessage(UINT message);

    void DragAcceptFiles(BOOL bAccept = TRUE);
    // The frame window that holds this window (not this window itself); null when none.
    CFrameWnd* GetParentFrame() const;

    // One of the window's menus is about to open: its items (each with its command id as its
    // data) may take their text, state and check here. Nothing by default.
    virtual void OnInitMenuPopup(QMenu* pPopupMenu) { (void)pPopupMenu; }

protected:
    // WM_CLOSE: destroys the window. Frames ask first.
    virtual void OnClose();
    // Ends the binding and gives the widget, which stays.
    QWidget* Detach();

private:
    template <class Base>
    friend class CWindowWidget;

    QPointer<QWidget> m_widget;
};

// The widget of a frame or a view: the object bound to it is its own and goes with it.
template <class Base>
class CWindowWidget : public Base {
public:
    using Base::Base;
    ~CWindowWidget() override
    {
        if (CWnd* window = CWnd::FromHandle(this)) {
            window->Detach();
            delete window;
        }
    }
};

constexpr UINT MK_LBUTTON = 0x0001;

#define ON_WM_LBUTTONDOWN()                                                                                          \
    {WM_LBUTTONDOWN, 0, nullptr,                                                                                     \
     [](CWnd& window, UINT nFlags, POINT point) { static_cast<ThisClass&>(window).OnLButtonDown(nFlags, point); }},
