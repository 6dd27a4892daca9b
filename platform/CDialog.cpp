#include "platform/CDialog.h"

#include "platform/DialogTemplate.h"
#include "platform/Display.h"
#include "platform/FontConversion.h"
#include "platform/ResourceIcons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
// The window system's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

QWidget* CreateControl(QDialog& window, const AfxDialogItem& item, QRect& geometry)
{
    const QString text = QString::fromUtf8(item.text != nullptr ? item.text : "");
    switch (item.kind) {
    case AfxControlKind::Edit: {
        auto* edit = new QLineEdit(&window);
        edit->setFrame((item.style & WS_BORDER) != 0);
        return edit;
    }
    case AfxControlKind::PushButton:
    case AfxControlKind::DefPushButton: {
        auto* push = new QPushButton(text, &window);
        push->setAutoDefault(true);
        push->setDefault(item.kind == AfxControlKind::DefPushButton);
        return push;
    }
    case AfxControlKind::AutoCheckBox: return new QCheckBox(text, &window);
    case AfxControlKind::StaticLeft:
    case AfxControlKind::StaticRight: {
        auto* label = new QLabel(&window);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setWordWrap(true);
        label->setAlignment((item.kind == AfxControlKind::StaticRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        return label;
    }
    case AfxControlKind::GroupBox: {
        auto* group = new QGroupBox(text, &window);
        // It encloses other controls: keep it beneath them and out of their clicks.
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        group->lower();
        return group;
    }
    case AfxControlKind::Icon: {
        // An icon control takes the size of its image; without an image it shows nothing.
        auto* label = new QLabel(&window);
        QPixmap image(AfxIconPath(item.iconId, 32));
        if (!image.isNull()) {
            label->setPixmap(image);
            geometry.setSize(image.size());
        }
        return label;
    }
    }
    return nullptr;
}

// The window laid out from its template: caption, font, and the controls at their
// places in dialog units of that font, in template (tab) order. A click on a button
// calls onClick with its id. Returns the first control that Tab stops at, or null.
QWidget* BuildDialogControls(QDialog& window, const AfxDialogTemplate& dialogTemplate,
                             const std::function<void(UINT id)>& onClick)
{
    window.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
    QFont font(AfxFontFamilyFor(dialogTemplate.fontFace));
    font.setPointSize(dialogTemplate.pointSize);
    window.setFont(font);
    // Dialog base units measured as the window system does: the average width of
    // the 52 letters, rounded, and the character cell height.
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const QSize base(std::max(1, (alphabet / 26 + 1) / 2), std::max(1, metrics.height()));
    auto rect = [&](int x, int y, int cx, int cy) {
        return QRect(MulDiv(x, base.width(), 4), MulDiv(y, base.height(), 8), MulDiv(cx, base.width(), 4),
                     MulDiv(cy, base.height(), 8));
    };
    window.setFixedSize(rect(0, 0, dialogTemplate.cx, dialogTemplate.cy).size());

    QWidget* firstTabStop = nullptr;
    QWidget* previousTabStop = nullptr;
    for (const AfxDialogItem& item : dialogTemplate.items) {
        QRect geometry = rect(item.x, item.y, item.cx, item.cy);
        QWidget* control = CreateControl(window, item, geometry);
        control->setGeometry(geometry);
        CWnd::SetDlgCtrlID(control, item.id);
        if ((item.style & WS_TABSTOP) != 0) {
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            }
            previousTabStop = control;
            firstTabStop = firstTabStop != nullptr ? firstTabStop : control;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const UINT id = static_cast<UINT>(item.id);
            QObject::connect(button, &QAbstractButton::clicked, &window, [onClick, id] { onClick(id); });
        }
    }
    return firstTabStop;
}

AfxModalDialogHook& Hook()
{
    static AfxModalDialogHook hook;
    return hook;
}

// Once the modal loop runs, hands the dialog to the hook and ends it with -1 if the hook left it open.
void AnswerModalDialogLater(CDialog& dialog)
{
    QWidget* window = dialog.GetWidget();
    if (!Hook() || window == nullptr) {
        return;
    }
    QTimer::singleShot(0, window, [&dialog, window = QPointer<QWidget>(window)] {
        // The window shown and active first, so that the hook sees the dialog as a user
        // would. Bounded: a platform that never activates windows still runs the hook.
        for (QDeadlineTimer deadline(5000); !window->isActiveWindow() && !deadline.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        // A copy: the hook may replace itself while it runs.
        AfxModalDialogHook hook = Hook();
        if (hook) {
            hook(dialog);
        }
        if (window != nullptr && window->isVisible()) {
            std::fprintf(stderr, "varno: the modal dialog hook left a dialog open\n");
            dialog.EndDialog(-1);
        }
    });
}
} // namespace

AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook)
{
    AfxModalDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool AfxHasModalDialogHook() { return static_cast<bool>(Hook()); }

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

QWidget* CDialog::ParentWidget() const
{
    AfxEnsureGuiApplication();
    return m_pParentWnd != nullptr ? m_pParentWnd->GetWidget() : QApplication::activeWindow();
}

INT_PTR CDialog::DoModal()
{
    const AfxDialogTemplate* dialogTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        std::fprintf(stderr, "varno: no dialog template %u\n", m_nIDTemplate);
        return -1;
    }
    auto* window = new QDialog(ParentWidget());
    QWidget* firstTabStop = BuildDialogControls(*window, *dialogTemplate, [this](UINT id) { OnCmdMsg(id); });
    Attach(window, true);
    if (OnInitDialog() && firstTabStop != nullptr) {
        firstTabStop->setFocus(Qt::TabFocusReason);
        // As the window system does for the edit control that gets the focus.
        if (auto* edit = qobject_cast<QLineEdit*>(firstTabStop)) {
            edit->selectAll();
        }
    }
    INT_PTR result = RunModalWindow(window);
    DestroyWindow();
    return result;
}

INT_PTR CDialog::RunModalWindow(QDialog* window)
{
    if (GetWidget() != window) {
        Attach(window, true);
    }
    m_bEnded = false;
    QObject::connect(window, &QDialog::finished, window, [this](int result) {
        m_nModalResult = result == QDialog::Accepted ? IDOK : IDCANCEL;
        m_bEnded = true;
    });
    AnswerModalDialogLater(*this);
    window->exec();
    return m_bEnded ? m_nModalResult : -1;
}

void CDialog::EndDialog(int nResult)
{
    // The window reports its own end as it closes; the result given here wins.
    if (auto* window = qobject_cast<QDialog*>(GetWidget())) {
        window->done(nResult);
    }
    m_nModalResult = nResult;
    m_bEnded = true;
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange exchange{this};
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    QWidget* dialog = pDX != nullptr && pDX->m_pDlgWnd != nullptr ? pDX->m_pDlgWnd->GetWidget() : nullptr;
    if (dialog == nullptr) {
        return;
    }
    const auto children = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (CWnd::GetDlgCtrlID(child) == nIDC) {
            if (rControl.GetWidget() != child) {
                rControl.Attach(child, false);
            }
            return;
        }
    }
    // A template and its class that disagree: a programming error, said where it shows.
    std::fprintf(stderr, "varno: DDX_Control: the dialog has no control %d\n", nIDC);
}
