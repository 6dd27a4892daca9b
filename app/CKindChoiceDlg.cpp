#include "app/CKindChoiceDlg.h"

#include "document/CVarnoDoc.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const struct {
    int kind;
    UINT id;
    const char* text;
} kKindButtons[] = {
    {CVarnoDoc::kindNtCodePage, IDC_KIND_NT, "&NT Code Page"},
    {CVarnoDoc::kind9xCodePage, IDC_KIND_9X, "&9x Code Page"},
    {CVarnoDoc::kindKeyboard, IDC_KIND_KEYBOARD, "&Keyboard Layout"},
    {CVarnoDoc::kindGdiModule, IDC_KIND_GDI, "&GDI Module"},
};

} // namespace

CKindChoiceDlg::CKindChoiceDlg(const std::string& path) : CDialog(0), m_path(path), m_kind(CVarnoDoc::kindUndefined) {}

int CKindChoiceDlg::Ask(const std::string& path)
{
    CKindChoiceDlg dialog(path);
    return dialog.DoModal() == IDOK ? dialog.m_kind : CVarnoDoc::kindUndefined;
}

INT_PTR CKindChoiceDlg::DoModal()
{
    auto* window = new QDialog(ParentWidget());
    window->setWindowTitle(QString::fromUtf8(AfxMessageBoxCaption()));
    auto* layout = new QVBoxLayout(window);
    const std::string text = CVarnoDoc::UndefinedFormatText(m_path) + "\nOpen it as:";
    auto* message = new QLabel(QString::fromStdString(text), window);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setMinimumWidth(message->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    layout->addWidget(message);

    auto* buttons = new QDialogButtonBox(window);
    for (const auto& choice : kKindButtons) {
        auto* button = buttons->addButton(QString::fromLatin1(choice.text), QDialogButtonBox::AcceptRole);
        CWnd::SetDlgCtrlID(button, static_cast<int>(choice.id));
        QObject::connect(button, &QPushButton::clicked, window, [this, kind = choice.kind] {
            m_kind = kind;
            EndDialog(IDOK);
        });
    }
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    CWnd::SetDlgCtrlID(cancel, IDCANCEL);
    QObject::connect(cancel, &QPushButton::clicked, window, [this] { OnCancel(); });
    // Enter opens nothing that the user did not pick.
    cancel->setDefault(true);
    layout->addWidget(buttons);

    const INT_PTR result = RunModalWindow(window);
    DestroyWindow();
    return result;
}
