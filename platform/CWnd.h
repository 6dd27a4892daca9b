#pragma once
// A window: a C++ object bound to one Qt widget. The CWnd owns its widget
// when it was attached as owner and destroys it with itself; a widget that Qt
// deletes first (with its parent) simply leaves the CWnd without a window.

#include "platform/CCmdTarget.h"

#include <bit>
#include <memory>

class QMenu;
class QWidget;
class CFrameWnd;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    // Binds this object to the widget. With owns, the widget is destroyed with this object.
    void Attach(QWidget* widget, bool owns);
    QWidget* Detach();
    // The bound widget, or null when there is none (never bound, detached or destroyed).
    QWidget* GetWidget() const;

    // Destroys the widget; the C++ object stays.
    BOOL DestroyWindow();

    // Shows the window (the program shows its windows in their normal state only).
    void ShowWindow(int nCmdShow);
    void UpdateWindow();
    void GetClientRect(RECT* rect) const;
    // Repaints the whole window later; views erase their background at every paint.
    void Invalidate(BOOL bErase = TRUE);
    // The content of an edit control (the program's only windows with text of their own).
    void SetWindowText(LPCSTR text);
    // Copies at most maxCount - 1 characters and a terminating zero; returns the count copied.
    int GetWindowText(LPSTR buffer, int maxCount) const;

    // The control id of a child window; 0 when it has none.
    static int GetDlgCtrlID(const QWidget* widget);
    static void SetDlgCtrlID(QWidget* widget, int id);

    // Default processing of the message being handled: nothing more is needed on this platform.
    LRESULT Default() { return 0; }

    // Delivers a message now: WM_COMMAND (wParam the command id) through OnCmdMsg,
    // WM_LBUTTONDOWN (wParam the key flags, lParam the client point) through the
    // message map, WM_CLOSE to OnClose. Unhandled messages do nothing and give 0.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Delivers it from the event loop, after the current event has been handled:
    // for commands of menus and keys, which may close the window they come from.
    void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void DragAcceptFiles(BOOL bAccept = TRUE);
    // The frame window that holds this window (not this window itself); null when none.
    CFrameWnd* GetParentFrame() const;

    // One of the window's menus is about to open: its items (each with its command id as its
    // data) may take their text, state and check here. Nothing by default.
    virtual void OnInitMenuPopup(QMenu* pPopupMenu) { (void)pPopupMenu; }

    static CWnd* FromHandle(const QWidget* widget);
    // Called by the layer's own widgets as they are destroyed: the bound object
    // loses its window and gets PostNcDestroy.
    static void NotifyWidgetDestroyed(QWidget* widget);

protected:
    // Called once the window is gone; frames and views delete themselves here.
    virtual void PostNcDestroy();
    // WM_CLOSE: destroys the window. Frames ask first.
    virtual void OnClose();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

constexpr UINT MK_LBUTTON = 0x0001;

constexpr LPARAM MAKELPARAM(int low, int high)
{
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low))
                               | (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}
// Client coordinates are signed 16-bit values in lParam.
constexpr int GET_X_LPARAM(LPARAM lParam) { return static_cast<std::int16_t>(lParam & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM lParam) { return static_cast<std::int16_t>((lParam >> 16) & 0xFFFF); }

#define ON_WM_LBUTTONDOWN()                                                                                          \
    {WM_LBUTTONDOWN, 0, AfxSig_vwp,                                                                                  \
     std::bit_cast<AFX_PMSG>(static_cast<void (CWnd::*)(UINT, POINT)>(&ThisClass::OnLButtonDown))},
