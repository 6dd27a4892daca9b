#include "view/CChangeCharDlg.h"

#include "document/HexArgument.h"
#include "tables/CTableHandler.h"
#include "view/CharacterNames.h"
#include "view/DialogLiveLine.h"

#include <QStringList>

#include <optional>
#include <string>

namespace {
// "held by C0", "held by 41, C1", or "held by no byte".
QString Holders(CTableHandler& table, std::uint16_t unicode)
{
    QStringList bytes;
    for (int byte = 0; byte <= 0xFF; ++byte) {
        if (table.Lookup(static_cast<std::uint8_t>(byte)) == unicode) {
            bytes << HexText(static_cast<unsigned>(byte), 2);
        }
    }
    return QStringLiteral("held by ")
        + (bytes.isEmpty() ? QStringLiteral("no byte") : bytes.join(QStringLiteral(", ")));
}

// What OK would take from the fields, read as OnOK reads them.
LiveLineState Preview(const CHexEdit& charField, const CHexEdit& unicodeField, CTableHandler* table)
{
    int byte = 0;
    int unicode = 0;
    if (!charField.ReadHex(&byte)) {
        return {QStringLiteral("Char: not a hexadecimal number"), false};
    }
    if (byte > 0xFF) {
        return {QStringLiteral("Char: not a byte (00 to FF)"), false};
    }
    if (!unicodeField.ReadHex(&unicode)) {
        return {QStringLiteral("Unicode: not a hexadecimal number"), false};
    }
    if (const std::optional<std::string> refusal = UnicodeValueRefusal(static_cast<unsigned>(unicode))) {
        return {QStringLiteral("Unicode: ") + QString::fromStdString(*refusal), false};
    }
    QString text = DescribeUnicode(static_cast<std::uint16_t>(unicode));
    if (table != nullptr) {
        text += QLatin1Char('\n') + Holders(*table, static_cast<std::uint16_t>(unicode));
    }
    return {text, true};
}
} // namespace

void CChangeCharDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UNICODE, m_editUnicode);
    DDX_Control(pDX, IDC_CHAR, m_editChar);
}

BOOL CChangeCharDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editChar.ShowHex(m_nChar, 2);
    m_editUnicode.ShowHex(m_nUnicode, 4);
    // Room for the longest names (83 letters) on three lines, and the holders.
    AddLiveLine(*this, {&m_editChar, &m_editUnicode}, 4,
                [this] { return Preview(m_editChar, m_editUnicode, m_pHandler); });
    return TRUE;
}

void CChangeCharDlg::OnOK()
{
    m_editChar.ReadHex(&m_nChar);
    m_editUnicode.ReadHex(&m_nUnicode);
    CDialog::OnOK();
}
