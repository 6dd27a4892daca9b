#include "platform/CWnd.h"

#include "platform/CFrameWnd.h"

#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <cstring>
#include <unordered_map>

namespace {
constexpr const char* kControlIdProperty = "varnoControlId";

// The window objects by widget, so that a widget can find its object (events, parents).
std::unordered_map<const QWidget*, CWnd*>& WindowMap()
{
    static std::unordered_map<const QWidget*, CWnd*> map;
    return map;
}
} // namespace

struct CWnd::Impl {
    QPointer<QWidget> widget;
    // The widget's address as the map knows it, kept when Qt has deleted the widget.
    const QWidget* key = nullptr;
    bool owns = false;
};

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd()
{
    const bool owns = m_impl->owns;
    // Detached first, so that the widget's end does not come back to this object.
    QWidget* widget = Detach();
    if (owns) {
        delete widget;
    }
}

void CWnd::Attach(QWidget* widget, bool owns)
{
    Detach();
    m_impl->widget = widget;
    m_impl->owns = owns;
    m_impl->key = widget;
    WindowMap()[widget] = this;
}

QWidget* CWnd::Detach()
{
    QWidget* widget = m_impl->widget.data();
    auto found = WindowMap().find(m_impl->key);
    if (found != WindowMap().end() && found->second == this) {
        WindowMap().erase(found);
    }
    m_impl->key = nullptr;
    m_impl->widget = nullptr;
    m_impl->owns = false;
    return widget;
}

CWnd* CWnd::FromHandle(const QWidget* widget)
{
    auto found = WindowMap().find(widget);
    // A widget that went without telling leaves a stale entry: its object is bound elsewhere or to nothing.
    if (found == WindowMap().end() || found->second->GetWidget() != widget) {
        return nullptr;
    }
    return found->second;
}

void CWnd::NotifyWidgetDestroyed(QWidget* widget)
{
    auto found = WindowMap().find(widget);
    if (found == WindowMap().end()) {
        return;
    }
    CWnd* window = found->second;
    window->Detach();
    window->PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

void CWnd::OnClose() { DestroyWindow(); }

QWidget* CWnd::GetWidget() const { return m_impl->widget.data(); }

BOOL CWnd::DestroyWindow()
{
    QWidget* widget = Detach();
    if (widget == nullptr) {
        return FALSE;
    }
    delete widget;
    // May delete this object.
    PostNcDestroy();
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: return OnCmdMsg(static_cast<UINT>(wParam & 0xFFFF));
    case WM_CLOSE: OnClose(); return 0;
    case WM_LBUTTONDOWN:
        if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_LBUTTONDOWN, 0);
            entry != nullptr && entry->nSig == AfxSig_vwp) {
            auto handler = std::bit_cast<void (CWnd::*)(UINT, POINT)>(entry->pfn);
            (this->*handler)(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        return 0;
    default: return 0;
    }
}

void CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    QWidget* widget = GetWidget();
    if (widget == nullptr) {
        return;
    }
    // Bound to the widget: a message for a window that has gone by then is dropped.
    QMetaObject::invokeMethod(
        widget,
        [widget, message, wParam, lParam] {
            if (CWnd* window = FromHandle(widget)) {
                window->SendMessage(message, wParam, lParam);
            }
        },
        Qt::QueuedConnection);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    if (QWidget* widget = GetWidget()) {
        widget->setAcceptDrops(bAccept != FALSE);
    }
}

CFrameWnd* CWnd::GetParentFrame() const
{
    QWidget* widget = GetWidget();
    for (QWidget* parent = widget != nullptr ? widget->parentWidget() : nullptr; parent != nullptr;
         parent = parent->parentWidget()) {
        if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, FromHandle(parent))) {
            return frame;
        }
    }
    return nullptr;
}

void CWnd::ShowWindow(int)
{
    if (QWidget* widget = GetWidget()) {
        widget->show();
    }
}

void CWnd::UpdateWindow()
{
    if (QWidget* widget = GetWidget()) {
        widget->repaint();
    }
}

void CWnd::GetClientRect(RECT* rect) const
{
    QWidget* widget = GetWidget();
    *rect = RECT{0, 0, widget != nullptr ? widget->width() : 0, widget != nullptr ? widget->height() : 0};
}

void CWnd::Invalidate(BOOL)
{
    if (QWidget* widget = GetWidget()) {
        widget->update();
    }
}

void CWnd::SetWindowText(LPCSTR text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(GetWidget())) {
        edit->setText(QString::fromUtf8(text));
    }
}

int CWnd::GetWindowText(LPSTR buffer, int maxCount) const
{
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    const auto* edit = qobject_cast<const QLineEdit*>(GetWidget());
    const QByteArray text = edit != nullptr ? edit->text().toUtf8() : QByteArray();
    int count = static_cast<int>(std::min<qsizetype>(text.size(), maxCount - 1));
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

int CWnd::GetDlgCtrlID(const QWidget* widget)
{
    return widget != nullptr ? widget->property(kControlIdProperty).toInt() : 0;
}

void CWnd::SetDlgCtrlID(QWidget* widget, int id) { widget->setProperty(kControlIdProperty, id); }
