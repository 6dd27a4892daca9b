#include "platform/CWnd.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <cstring>

namespace {
constexpr const char* kControlIdProperty = "varnoControlId";

// The text of a window as the window system keeps it: a control's content, a top-level window's title.
QString TextOf(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return group->title();
    }
    return widget->windowTitle();
}

void SetTextOf(QWidget* widget, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else {
        widget->setWindowTitle(text);
    }
}
} // namespace

struct CWnd::Impl {
    QPointer<QWidget> widget;
    bool owns = false;
};

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd()
{
    if (m_impl->owns && m_impl->widget != nullptr) {
        delete m_impl->widget.data();
    }
}

void CWnd::Attach(QWidget* widget, bool owns)
{
    m_impl->widget = widget;
    m_impl->owns = owns;
}

QWidget* CWnd::Detach()
{
    QWidget* widget = m_impl->widget.data();
    m_impl->widget = nullptr;
    m_impl->owns = false;
    return widget;
}

QWidget* CWnd::GetWidget() const { return m_impl->widget.data(); }

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::DestroyWindow()
{
    QWidget* widget = Detach();
    if (widget == nullptr) {
        return FALSE;
    }
    delete widget;
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    QWidget* widget = GetWidget();
    if (widget == nullptr) {
        return FALSE;
    }
    BOOL wasVisible = widget->isVisible() ? TRUE : FALSE;
    switch (nCmdShow) {
    case SW_HIDE: widget->hide(); break;
    case SW_SHOWMINIMIZED: widget->showMinimized(); break;
    case SW_SHOWMAXIMIZED: widget->showMaximized(); break;
    default: widget->show(); break;
    }
    return wasVisible;
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
    rect->left = 0;
    rect->top = 0;
    rect->right = widget != nullptr ? widget->width() : 0;
    rect->bottom = widget != nullptr ? widget->height() : 0;
}

void CWnd::InvalidateRect(const RECT* rect, BOOL)
{
    QWidget* widget = GetWidget();
    if (widget == nullptr) {
        return;
    }
    if (rect == nullptr) {
        widget->update();
    } else {
        widget->update(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    }
}

void CWnd::SetWindowText(LPCSTR text)
{
    if (QWidget* widget = GetWidget()) {
        SetTextOf(widget, QString::fromUtf8(text != nullptr ? text : ""));
    }
}

int CWnd::GetWindowText(LPSTR buffer, int maxCount) const
{
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    QWidget* widget = GetWidget();
    QByteArray text = widget != nullptr ? TextOf(widget).toUtf8() : QByteArray();
    int count = static_cast<int>(std::min<qsizetype>(text.size(), maxCount - 1));
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

int CWnd::GetWindowTextLength() const
{
    QWidget* widget = GetWidget();
    return widget != nullptr ? static_cast<int>(TextOf(widget).toUtf8().size()) : 0;
}

int CWnd::GetDlgCtrlID() const { return GetDlgCtrlID(GetWidget()); }

int CWnd::GetDlgCtrlID(const QWidget* widget)
{
    return widget != nullptr ? widget->property(kControlIdProperty).toInt() : 0;
}

void CWnd::SetDlgCtrlID(QWidget* widget, int id)
{
    if (widget != nullptr) {
        widget->setProperty(kControlIdProperty, id);
    }
}
