#include "platform/CDialog.h"

#include "platform/DialogTemplate.h"
#include "platform/Display.h"
#include "platform/FontConversion.h"

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

#include <cstdio>
#include <map>
#include <vector>

namespace {

AfxModalDialogHook& Hook()
{
    static AfxModalDialogHook hook;
    return hook;
}

// The window system's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// Dialog base units from the dialog font, measured as the window system does:
// the average width of the 52 letters, rounded, and the character cell height.
struct BaseUnits {
    int x;
    int y;
};

BaseUnits MeasureBaseUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    int alphabetWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {std::max(1, (alphabetWidth / 26 + 1) / 2), std::max(1, metrics.height())};
}

// The dialog window: Escape and the close box arrive as reject(), which sends
// IDCANCEL through the dialog's message map instead of closing by itself, so
// an OnCancel that does not end the dialog keeps it open.
class CModalDialogWidget : public QDialog {
public:
    CModalDialogWidget(CDialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

    void accept() override { m_owner.OnCmdMsg(IDOK); }
    void reject() override { m_owner.OnCmdMsg(IDCANCEL); }

private:
    CDialog& m_owner;
};

// Lets the window system show and activate the window, so a test hook sees
// the dialog as a user would. Bounded: a platform that never activates
// windows still runs the hook.
void WaitUntilActive(QWidget& window)
{
    QDeadlineTimer deadline(5000);
    while (!window.isActiveWindow() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

} // namespace

struct CDialog::Controls {
    struct Control {
        int id;
        DWORD style;
        QPointer<QWidget> widget;
    };
    std::vector<Control> controls;
    // Window objects handed out by GetDlgItem, one per id.
    std::map<int, std::unique_ptr<CWnd>> items;
};

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_controls(std::make_unique<Controls>())
{
}

CDialog::~CDialog() = default;

AfxModalDialogHook AfxSetModalDialogHook(AfxModalDialogHook hook)
{
    AfxModalDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool AfxHasModalDialogHook() { return static_cast<bool>(Hook()); }

INT_PTR CDialog::DoModal()
{
    const AfxDialogTemplate* dialogTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        std::fprintf(stderr, "varno: no dialog template %u\n", m_nIDTemplate);
        return -1;
    }
    AfxEnsureGuiApplication();
    QWidget* parent = m_pParentWnd != nullptr ? m_pParentWnd->GetWidget() : QApplication::activeWindow();
    auto* dialog = new CModalDialogWidget(*this, parent);
    Attach(dialog, true);
    BuildControls(*dialogTemplate);

    if (OnInitDialog()) {
        SetInitialFocus();
    }
    INT_PTR result = RunModalLoop();
    DestroyDialogWindow();
    return result;
}

void CDialog::BuildControls(const AfxDialogTemplate& dialogTemplate)
{
    QWidget* dialog = GetWidget();
    dialog->setWindowTitle(QString::fromUtf8(dialogTemplate.caption != nullptr ? dialogTemplate.caption : ""));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((dialogTemplate.style & WS_CAPTION) == WS_CAPTION) {
        flags |= Qt::WindowTitleHint;
    }
    if ((dialogTemplate.style & WS_SYSMENU) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    dialog->setWindowFlags(flags);

    QFont font = dialog->font();
    if ((dialogTemplate.style & DS_SETFONT) != 0 && dialogTemplate.pointSize > 0) {
        font = QFont(AfxFontFamilyFor(dialogTemplate.fontFace));
        font.setPointSize(dialogTemplate.pointSize);
    }
    dialog->setFont(font);
    const BaseUnits base = MeasureBaseUnits(font);
    auto rect = [&](int x, int y, int cx, int cy) {
        return QRect(MulDiv(x, base.x, 4), MulDiv(y, base.y, 8), MulDiv(cx, base.x, 4), MulDiv(cy, base.y, 8));
    };
    dialog->setFixedSize(rect(0, 0, dialogTemplate.cx, dialogTemplate.cy).size());

    m_controls->controls.clear();
    m_controls->items.clear();
    QWidget* previousTabStop = nullptr;
    for (const AfxDialogItem& item : dialogTemplate.items) {
        const QString text = QString::fromUtf8(item.text != nullptr ? item.text : "");
        const bool tabStop = (item.style & WS_TABSTOP) != 0;
        QWidget* control = nullptr;
        QAbstractButton* button = nullptr;
        QRect geometry = rect(item.x, item.y, item.cx, item.cy);
        switch (item.kind) {
        case AfxControlKind::Edit: {
            auto* edit = new QLineEdit(dialog);
            edit->setFrame((item.style & WS_BORDER) != 0);
            control = edit;
            break;
        }
        case AfxControlKind::PushButton:
        case AfxControlKind::DefPushButton: {
            auto* push = new QPushButton(text, dialog);
            push->setAutoDefault(true);
            push->setDefault(item.kind == AfxControlKind::DefPushButton);
            control = button = push;
            break;
        }
        case AfxControlKind::AutoCheckBox: control = button = new QCheckBox(text, dialog); break;
        case AfxControlKind::StaticLeft:
        case AfxControlKind::StaticRight: {
            auto* label = new QLabel(dialog);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setWordWrap(true);
            label->setAlignment((item.kind == AfxControlKind::StaticRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            control = label;
            break;
        }
        case AfxControlKind::GroupBox: {
            auto* group = new QGroupBox(text, dialog);
            // It encloses other controls: keep it beneath them and out of their clicks.
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            control = group;
            break;
        }
        case AfxControlKind::Icon: {
            // An icon control takes the size of its image; without an image it shows nothing.
            auto* label = new QLabel(dialog);
            QPixmap image(QStringLiteral(":/varno/icon-%1-32.png").arg(item.iconId));
            if (!image.isNull()) {
                label->setPixmap(image);
                geometry.setSize(image.size());
            }
            control = label;
            break;
        }
        }
        control->setGeometry(geometry);
        if (item.kind == AfxControlKind::GroupBox) {
            control->lower();
        }
        CWnd::SetDlgCtrlID(control, item.id);
        control->setEnabled((item.style & WS_DISABLED) == 0);
        if ((item.style & WS_VISIBLE) == 0) {
            control->hide();
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            control->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        }
        if (tabStop) {
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            }
            previousTabStop = control;
        }
        if (button != nullptr) {
            const UINT id = static_cast<UINT>(item.id);
            QObject::connect(button, &QAbstractButton::clicked, dialog, [this, id] { OnCmdMsg(id); });
        }
        m_controls->controls.push_back({item.id, item.style, control});
    }
}

void CDialog::SetInitialFocus()
{
    for (const Controls::Control& control : m_controls->controls) {
        QWidget* widget = control.widget.data();
        if (widget == nullptr || (control.style & WS_TABSTOP) == 0 || (control.style & WS_VISIBLE) == 0 ||
            !widget->isEnabled()) {
            continue;
        }
        widget->setFocus(Qt::TabFocusReason);
        // As the window system does for the edit control that gets the focus.
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->selectAll();
        }
        return;
    }
}

INT_PTR CDialog::RunModalLoop()
{
    auto* dialog = qobject_cast<QDialog*>(GetWidget());
    if (dialog == nullptr) {
        return -1;
    }
    if (!m_bEnded) {
        if (Hook()) {
            QTimer::singleShot(0, dialog, [this, dialog] {
                WaitUntilActive(*dialog);
                // A copy: the hook may replace itself while it runs.
                AfxModalDialogHook hook = Hook();
                if (hook && !m_bEnded) {
                    hook(*this);
                }
                if (!m_bEnded) {
                    std::fprintf(stderr, "varno: the modal dialog hook left dialog %u open\n", m_nIDTemplate);
                    EndDialog(-1);
                }
            });
        }
        dialog->exec();
    }
    INT_PTR result = m_bEnded ? m_nModalResult : -1;
    m_nModalResult = -1;
    m_bEnded = false;
    return result;
}

void CDialog::EndDialog(int nResult)
{
    // The window may report its own end first (see SetModalResult); the result given here wins.
    if (auto* dialog = qobject_cast<QDialog*>(GetWidget())) {
        dialog->done(nResult);
    }
    SetModalResult(nResult);
}

void CDialog::SetModalResult(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
}

void CDialog::DestroyDialogWindow()
{
    m_controls->items.clear();
    m_controls->controls.clear();
    DestroyWindow();
}

CWnd* CDialog::GetDlgItem(int nID) const
{
    auto existing = m_controls->items.find(nID);
    if (existing != m_controls->items.end() && existing->second->IsWindow()) {
        return existing->second.get();
    }
    for (const Controls::Control& control : m_controls->controls) {
        if (control.id == nID && control.widget != nullptr) {
            auto item = std::make_unique<CWnd>();
            item->Attach(control.widget.data(), false);
            CWnd* result = item.get();
            m_controls->items[nID] = std::move(item);
            return result;
        }
    }
    return nullptr;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}
