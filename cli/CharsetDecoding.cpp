#include "cli/CharsetDecoding.h"

#include <QStringDecoder>

bool IsSingleByteCharset(const std::string& charset)
{
    QStringDecoder decoder(charset.c_str(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return false;
    }
    // A single-byte set turns every byte into one character, so that any text
    // keeps its length; a multi-byte set joins some of the 65,536 pairs of
    // bytes into one character, or splits them.
    QByteArray pairs;
    pairs.reserve(2 * 65536);
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            pairs.append(static_cast<char>(first)).append(static_cast<char>(second));
        }
    }
    const QString text = decoder.decode(pairs);
    return text.size() == pairs.size();
}
