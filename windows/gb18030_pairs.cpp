#include "gb18030_pairs.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace quorava {

const Gb18030Pairs &Gb18030Pairs::instance()
{
    static const Gb18030Pairs pairs;
    return pairs;
}

Gb18030Pairs::Gb18030Pairs() : m_units(size_t(kLastLead - kFirstLead + 1) * 256, 0)
{
    QStringDecoder decoder("GB18030", kNamesDecoderFlags);
    if (!decoder.isValid())
        return;

    // Bytes below 0x80 are passed through as themselves: only if ICU agrees.
    QByteArray ascii;
    for (int b = 1; b < 0x80; ++b)
        ascii.append(char(b));
    const QString asciiText = decoder.decode(ascii);
    if (asciiText.size() != ascii.size())
        return;
    for (int b = 1; b < 0x80; ++b) {
        if (asciiText[b - 1].unicode() != b)
            return;
    }

    // Every pair, each followed by a line feed.
    QByteArray all;
    all.reserve((kLastLead - kFirstLead + 1) * (kLastTrail - kFirstTrail + 1) * 3);
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
            if (trail == kNoTrail)
                continue;
            all.append(char(lead));
            all.append(char(trail));
            all.append('\n');
        }
    }
    const QString text = decoder.decode(all);
    qsizetype at = 0;
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
            if (trail == kNoTrail)
                continue;
            const qsizetype lineFeed = text.indexOf(u'\n', at);
            if (lineFeed < 0) {
                std::fill(m_units.begin(), m_units.end(), char16_t(0));
                return; // not what GB18030 is: leave it all to ICU
            }
            const QChar c = text[at];
            if (lineFeed - at == 1 && !c.isSurrogate() && c != QChar::ReplacementCharacter &&
                !c.isNull())
                m_units[size_t(lead - kFirstLead) * 256 + size_t(trail)] = c.unicode();
            at = lineFeed + 1;
        }
    }
    m_empty = false;
}

// Decodes `piece`, which ends on a clean split point: looked up where `pairs` knows the
// character, by ICU elsewhere, from a character boundary to the next clean split point.
QChar *decodeGb18030Piece(QStringDecoder &decoder, const Gb18030Pairs &pairs, QByteArrayView piece,
                          QChar *out)
{
    const auto *p = reinterpret_cast<const uchar *>(piece.data());
    const auto *const end = p + piece.size();
    while (p != end) {
        const uchar b = *p;
        if (b < 0x80) {
            *out++ = QChar(char16_t(b));
            ++p;
            continue;
        }
        if (b != 0x80 && b != 0xFF && end - p >= 2) {
            if (const char16_t unit = pairs.unit(b, p[1])) {
                *out++ = QChar(unit);
                p += 2;
                continue;
            }
        }
        const uchar *stop = p + 1;
        while (stop != end && *stop >= kLowestTrailByte)
            ++stop;
        if (stop != end)
            ++stop;
        out = decoder.appendToBuffer(out,
                                     QByteArrayView(reinterpret_cast<const char *>(p), stop - p));
        p = stop;
    }
    return out;
}

} // namespace quorava
