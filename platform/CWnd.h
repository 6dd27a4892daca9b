#pragma once
// A window: a C++ object bound to one Qt widget. The CWnd owns its widget
// when it was attached as owner and destroys it with itself; a widget that Qt
// deletes first (with its parent) simply leaves the CWnd without a window.

#include "platform/CCmdTarget.h"

#include <memory>

class QWidget;

struct CREATESTRUCT {
    LPCSTR lpszName = nullptr;
    LONG style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Binds this object to the widget. With owns, the widget is destroyed with this object.
    void Attach(QWidget* widget, bool owns);
    QWidget* Detach();
    // The bound widget, or null when there is none (never bound, detached or destroyed).
    QWidget* GetWidget() const;
    BOOL IsWindow() const { return GetWidget() != nullptr; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Destroys the widget; the C++ object stays.
    virtual BOOL DestroyWindow();

    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    void GetClientRect(RECT* rect) const;
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void Invalidate(BOOL erase = TRUE) { InvalidateRect(nullptr, erase); }
    void SetWindowText(LPCSTR text);
    // Copies at most maxCount - 1 characters and a terminating zero; returns the count copied.
    int GetWindowText(LPSTR buffer, int maxCount) const;
    int GetWindowTextLength() const;

    // The control id of a child window; 0 when it has none.
    int GetDlgCtrlID() const;
    static int GetDlgCtrlID(const QWidget* widget);
    static void SetDlgCtrlID(QWidget* widget, int id);

    // Default processing of the message being handled: nothing more is needed on this platform.
    LRESULT Default() { return 0; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
