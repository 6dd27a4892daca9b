#include "platform/CWnd.h"

#include "platform/CFrameWnd.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include <cstring>

namespace {
// The dynamic properties of a bound widget: its object, and the control id of a dialog's control.
constexpr const char* kWindowProperty = "varnoWindow";
constexpr const char* kControlIdProperty = "varnoControlId";
} // namespace

CWnd::~CWnd() { delete Detach(); }

void CWnd::Attach(QWidget* widget)
{
    m_widget = widget;
    widget->setProperty(kWindowProperty, QVariant::fromValue(static_cast<void*>(this)));
}

QWidget* CWnd::Detach()
{
    QWidget* widget = m_widget.data();
    m_widget = nullptr;
    if (widget != nullptr) {
        widget->setProperty(kWindowProperty, QVariant());
    }
    return widget;
}

QWidget* CWnd::GetWidget() const { return m_widget.data(); }

QWidget* CWnd::GetClientWidget() const
{
    if (auto* scrolled = qobject_cast<QAbstractScrollArea*>(GetWidget())) {
        return scrolled->viewport();
    }
    return GetWidget();
}

CWnd* CWnd::FromHandle(const QWidget* widget)
{
    if (widget == nullptr) {
        return nullptr;
    }
    return static_cast<CWnd*>(widget->property(kWindowProperty).value<void*>());
}

BOOL CWnd::DestroyWindow()
{
    QWidget* widget = GetWidget();
    if (widget == nullptr) {
        return FALSE;
    }
    // May delete this object: a frame or a view goes with its widget.
    delete widget;
    return TRUE;
}

void CWnd::OnClose() { DestroyWindow(); }

LRESULT CWnd::SendMessage(UINT message)
{
    if (message == WM_CLOSE) {
        OnClose();
    }
    return 0;
}

void CWnd::DragAcceptFiles(BOOL bAccept) { GetWidget()->setAcceptDrops(bAccept != FALSE); }

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetWidget() == nullptr) {
        return nullptr;
    }
    for (QWidget* parent = GetWidget()->parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, FromHandle(parent))) {
            return frame;
        }
    }
    return nullptr;
}

void CWnd::ShowWindow(int) { GetWidget()->show(); }

void CWnd::UpdateWindow() { GetWidget()->repaint(); }

void CWnd::InvalidateRect(const RECT* rect, BOOL /*bErase: every paint is erased*/)
{
    QWidget* client = GetClientWidget();
    if (rect == nullptr) {
        client->update();
        return;
    }
    client->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
}

void CWnd::GetClientRect(RECT* rect) const
{
    const QWidget* client = GetClientWidget();
    *rect = RECT{0, 0, client->width(), client->height()};
}

void CWnd::SetWindowText(LPCSTR text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(GetWidget())) {
        edit->setText(QString::fromUtf8(text));
    }
}

int CWnd::GetWindowText(LPSTR buffer, int maxCount) const
{
    QByteArray text;
    if (const auto* edit = qobject_cast<const QLineEdit*>(GetWidget())) {
        text = edit->text().toUtf8();
    }
    const int count = static_cast<int>(std::min<qsizetype>(text.size(), maxCount - 1));
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

int CWnd::GetDlgCtrlID(const QWidget* widget)
{
    if (widget == nullptr) {
        return 0;
    }
    return widget->property(kControlIdProperty).toInt();
}

void CWnd::SetDlgCtrlID(QWidget* widget, int id) { widget->setProperty(kControlIdProperty, id); }
