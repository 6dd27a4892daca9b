#include "view/EntryDescription.h"

#include "document/CVarnoDoc.h"
#include "tables/CKeyboardHandler.h"
#include "view/CharacterNames.h"

namespace {
QString InCodePage(const QString& text, const char* codePage)
{
    return text + QStringLiteral(" in ") + QString::fromLatin1(codePage);
}

QStringList DescribeChar(CTableHandler& handler, bool hasReverseTable, std::uint8_t byte, const char* codePage)
{
    const QString glyph = ByteGlyph(byte, codePage);
    const std::uint16_t unicode = handler.Lookup(byte);
    QStringList parts{HexText(byte, 2), InCodePage(glyph.isEmpty() ? QStringLiteral("no glyph") : glyph, codePage),
                      DescribeUnicode(unicode)};
    if (!hasReverseTable) {
        return parts;
    }
    // Why a cell is red: its value leads back to another byte.
    const std::uint8_t back = handler.ReverseLookup(unicode);
    QString mapsBack = QStringLiteral("maps back to ") + HexText(back, 2);
    if (back != byte) {
        mapsBack += QStringLiteral(", not to ") + HexText(byte, 2);
    }
    parts << mapsBack;
    return parts;
}

QStringList DescribeKey(const CKeyboardHandler& keys, int key, const char* codePage)
{
    const QString bytes = QStringLiteral("low ") + ByteWithGlyph(keys.GetLow(key), codePage) + QStringLiteral(", high ")
        + ByteWithGlyph(keys.GetHigh(key), codePage);
    return {QStringLiteral("Key ") + KeyName(key), InCodePage(bytes, codePage),
            QStringLiteral("CapsLock ") + (keys.GetCapsLock(key) ? QStringLiteral("ON") : QStringLiteral("off"))};
}
} // namespace

QString KeyName(int key)
{
    if (key < 0 || key >= CKeyboardHandler::kKeyCount) {
        return {};
    }
    // The names are written for drawing, where "&&" shows one "&".
    return QString::fromLatin1(CKeyboardHandler::kKeyNames[key]).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QString KeyBytesNote(const char* codePage)
{
    return QStringLiteral("Keys show their bytes in ") + QString::fromLatin1(codePage)
        + QStringLiteral(", the display code page: a layout has no table of its own.");
}

QStringList DescribeEntry(CVarnoDoc& doc, int entry, const char* codePage)
{
    if (doc.m_pHandler == nullptr) {
        return {};
    }
    if (doc.m_nKind == CVarnoDoc::kindKeyboard) {
        const auto* keys = dynamic_cast<const CKeyboardHandler*>(doc.m_pHandler);
        if (keys == nullptr || entry < 0 || entry >= CKeyboardHandler::kKeyCount) {
            return {};
        }
        return DescribeKey(*keys, entry, codePage);
    }
    if (!CVarnoDoc::IsCodePageKind(doc.m_nKind) || entry < 0 || entry > 0xFF) {
        return {};
    }
    return DescribeChar(*doc.m_pHandler, doc.m_nKind != CVarnoDoc::kindGdiModule, static_cast<std::uint8_t>(entry),
                        codePage);
}
