#include "view/CTakeTableDlg.h"

#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "platform/CFileDialog.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "tables/BuiltInCodePages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Widget>
Widget* Control(Widget* widget, UINT id)
{
    CWnd::SetDlgCtrlID(widget, static_cast<int>(id));
    return widget;
}

QLineEdit* ByteField(QWidget* parent, UINT id, const char* text)
{
    auto* field = Control(new QLineEdit(QString::fromLatin1(text), parent), id);
    field->setMaxLength(4); // "0x80"
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("FFFF")) + 12);
    return field;
}

} // namespace

CTakeTableDlg::CTakeTableDlg(const CVarnoDoc& target, const std::vector<CVarnoDoc*>& openDocuments)
    : CDialog(0), m_target(target), m_openDocuments(openDocuments)
{
}

bool CTakeTableDlg::Ask(const CVarnoDoc& target, const std::vector<CVarnoDoc*>& openDocuments, TakeTableChoice& choice)
{
    CTakeTableDlg dialog(target, openDocuments);
    if (dialog.DoModal() != IDOK) {
        return false;
    }
    choice = dialog.m_choice;
    return true;
}

INT_PTR CTakeTableDlg::DoModal()
{
    auto* window = new QDialog(ParentWidget());
    window->setWindowTitle(QStringLiteral("Take Table From"));
    auto* grid = new QGridLayout(window);
    auto* intro = new QLabel(window);
    grid->addWidget(intro, 0, 0, 1, 3);
    AddSources(*window, *grid);

    auto* bytes = new QLabel(QStringLiteral("&Bytes:"), window);
    m_first = ByteField(window, IDC_TAKE_FIRST, "80");
    m_last = ByteField(window, IDC_TAKE_LAST, "FF");
    bytes->setBuddy(m_first);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_first);
    rangeRow->addWidget(new QLabel(QStringLiteral("to"), window));
    rangeRow->addWidget(m_last);
    rangeRow->addStretch();
    grid->addWidget(bytes, 4, 0);
    grid->addLayout(rangeRow, 4, 1, 1, 2);

    m_everyOpen = Control(new QCheckBox(QStringLiteral("Give them to &every open code-page file and GDI module"), window),
                          IDC_TAKE_EVERY_OPEN);
    grid->addWidget(m_everyOpen, 5, 0, 1, 3);
    const auto tellTargets = [this, intro] {
        const std::string targets = m_everyOpen->isChecked() ? "every open code-page file and GDI module" : m_target.GetTitle();
        intro->setText(QString::fromStdString("The bytes of " + targets + " take the values of:"));
    };
    tellTargets();
    QObject::connect(m_everyOpen, &QCheckBox::toggled, intro, tellTargets);

    auto* ok = Control(new QPushButton(QStringLiteral("OK"), window), IDOK);
    auto* cancel = Control(new QPushButton(QStringLiteral("Cancel"), window), IDCANCEL);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 6, 0, 1, 3);
    QObject::connect(ok, &QPushButton::clicked, window, [this] { OnOK(); });
    QObject::connect(cancel, &QPushButton::clicked, window, [this] { OnCancel(); });

    const INT_PTR result = RunModalWindow(window);
    DestroyWindow();
    return result;
}

void CTakeTableDlg::AddSources(QDialog& window, QGridLayout& grid)
{
    m_fromOpen = Control(new QRadioButton(QStringLiteral("&Open file:"), &window), IDC_TAKE_FROM_OPEN);
    m_document = Control(new QComboBox(&window), IDC_TAKE_DOCUMENT);
    for (const CVarnoDoc* document : m_openDocuments) {
        m_document->addItem(QString::fromStdString(document->GetTitle()));
        m_document->setItemData(m_document->count() - 1, QString::fromStdString(document->GetPathName()), Qt::ToolTipRole);
    }
    grid.addWidget(m_fromOpen, 1, 0);
    grid.addWidget(m_document, 1, 1, 1, 2);

    m_fromFile = Control(new QRadioButton(QStringLiteral("&File or mapping text:"), &window), IDC_TAKE_FROM_FILE);
    m_file = Control(new QLineEdit(&window), IDC_TAKE_FILE);
    m_file->setMinimumWidth(m_file->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    auto* browse = Control(new QPushButton(QStringLiteral("B&rowse..."), &window), IDC_TAKE_BROWSE);
    browse->setAutoDefault(false);
    grid.addWidget(m_fromFile, 2, 0);
    grid.addWidget(m_file, 2, 1);
    grid.addWidget(browse, 2, 2);

    m_fromCodePage = Control(new QRadioButton(QStringLiteral("Built-in &code page:"), &window), IDC_TAKE_FROM_CODEPAGE);
    m_codePage = Control(new QComboBox(&window), IDC_TAKE_CODEPAGE);
    for (const BuiltInCodePage& codePage : BuiltInCodePages()) {
        m_codePage->addItem(QStringLiteral("%1 (%2)").arg(QLatin1String(codePage.name), QLatin1String(codePage.script)));
    }
    grid.addWidget(m_fromCodePage, 3, 0);
    grid.addWidget(m_codePage, 3, 1, 1, 2);

    // Another open document is the usual source; without one, a built-in code page is.
    const bool anyOpen = !m_openDocuments.empty();
    m_fromOpen->setEnabled(anyOpen);
    m_document->setEnabled(anyOpen);
    (anyOpen ? m_fromOpen : m_fromCodePage)->setChecked(true);
    (anyOpen ? m_document : m_codePage)->setFocus();
    QObject::connect(m_document, &QComboBox::activated, m_fromOpen, [this] { m_fromOpen->setChecked(true); });
    QObject::connect(m_file, &QLineEdit::textEdited, m_fromFile, [this] { m_fromFile->setChecked(true); });
    QObject::connect(m_codePage, &QComboBox::activated, m_fromCodePage, [this] { m_fromCodePage->setChecked(true); });
    QObject::connect(browse, &QPushButton::clicked, &window, [this] { Browse(); });
}

void CTakeTableDlg::Browse()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, 0, "Tables (*.nls *.exe *.txt)|*.nls *.exe *.txt|All Files (*.*)|*.*||",
                       this);
    if (dialog.DoModal() == IDOK) {
        m_file->setText(QString::fromStdString(dialog.GetPathName()));
        m_fromFile->setChecked(true);
    }
}

void CTakeTableDlg::OnOK()
{
    const std::optional<unsigned> first = ParseHexArgument(m_first->text().trimmed().toStdString(), 0xFF);
    const std::optional<unsigned> last = ParseHexArgument(m_last->text().trimmed().toStdString(), 0xFF);
    if (!first || !last || *first > *last) {
        AfxMessageBox("The bytes are two hexadecimal values from 00 to FF, such as 80 to FF, the first not above the second.",
                      MB_ICONEXCLAMATION);
        return;
    }
    const std::string file = m_file->text().toStdString();
    if (m_fromFile->isChecked() && file.empty()) {
        AfxMessageBox("Name the file or mapping text to take the table from.", MB_ICONEXCLAMATION);
        return;
    }
    m_choice = {};
    m_choice.range = {*first, *last};
    m_choice.everyOpenTable = m_everyOpen->isChecked();
    if (m_fromFile->isChecked()) {
        m_choice.file = AfxFullPath(file.c_str());
    } else if (m_fromCodePage->isChecked()) {
        m_choice.codePage = &BuiltInCodePages()[static_cast<std::size_t>(m_codePage->currentIndex())];
    } else {
        m_choice.document = m_openDocuments.at(static_cast<std::size_t>(m_document->currentIndex()));
    }
    CDialog::OnOK();
}
