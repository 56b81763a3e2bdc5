#include "data/text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char* const kCodePage = "windows-1252";

}  // namespace

QString fromCp1252(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

std::optional<char> toCp1252(QChar c)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(QStringView(&c, 1));
    if (encoder.hasError() || bytes.size() != 1)
        return std::nullopt;
    return bytes.front();
}

QByteArray toCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // a character beyond the 16-bit range is one character, however it is stored
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes.append('?');
            ++i;
            continue;
        }
        bytes.append(toCp1252(text[i]).value_or('?'));
    }
    return bytes;
}
