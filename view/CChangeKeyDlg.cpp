#include "view/CChangeKeyDlg.h"

#include "view/CharacterNames.h"
#include "view/DialogLiveLine.h"
#include "view/DisplayFont.h"
#include "view/EntryDescription.h"

#include <QWidget>

namespace {
// A field holds a byte when it reads, as OnOK reads it, as a value 00-FF.
bool ReadByte(const CHexEdit& field, int* value)
{
    return field.ReadHex(value) && *value >= 0 && *value <= 0xFF;
}

LiveLineState Preview(const CHexEdit& lowField, const CHexEdit& highField)
{
    int low = 0;
    int high = 0;
    if (!ReadByte(lowField, &low)) {
        return {QStringLiteral("Low: not a byte (00 to FF)"), false};
    }
    if (!ReadByte(highField, &high)) {
        return {QStringLiteral("High: not a byte (00 to FF)"), false};
    }
    const char* codePage = DisplayCodePage();
    return {QStringLiteral("Low ") + ByteWithGlyph(static_cast<std::uint8_t>(low), codePage)
                + QStringLiteral(" · High ") + ByteWithGlyph(static_cast<std::uint8_t>(high), codePage)
                + QStringLiteral(" in ") + QString::fromLatin1(codePage),
            true};
}
} // namespace

void CChangeKeyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAPSLOCK, m_checkCapsLock);
    DDX_Control(pDX, IDC_LOW, m_editLow);
    DDX_Control(pDX, IDC_HIGH, m_editHigh);
}

BOOL CChangeKeyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editHigh.ShowHex(m_nHigh, 2);
    m_editLow.ShowHex(m_nLow, 2);
    m_checkCapsLock.SetCheck(m_bCapsLock ? BST_CHECKED : BST_UNCHECKED);
    if (const QString name = KeyName(m_nKey); !name.isEmpty()) {
        GetWidget()->setWindowTitle(GetWidget()->windowTitle() + QStringLiteral(": ") + name);
    }
    AddLiveLine(*this, {&m_editLow, &m_editHigh}, 1, [this] { return Preview(m_editLow, m_editHigh); });
    return TRUE;
}

void CChangeKeyDlg::OnOK()
{
    m_editHigh.ReadHex(&m_nHigh);
    m_editLow.ReadHex(&m_nLow);
    m_bCapsLock = m_checkCapsLock.GetCheck() == BST_CHECKED;
    CDialog::OnOK();
}
