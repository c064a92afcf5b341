#pragma once

#include <QChar>
#include <QStringDecoder>

#include <vector>

namespace quorava {

// Decoder flags for names files: each piece ends on a character boundary, and a byte-order
// mark left in the body stays a character.
inline constexpr QStringDecoder::Flags kNamesDecoderFlags =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

// No byte below 0x30 is ever part of a multi-byte GB18030 character, so the input splits
// cleanly after one.
inline constexpr uchar kLowestTrailByte = 0x30;

// GB18030's two-byte characters as ICU decodes them, so that the bulk of a GBK file is looked
// up instead of decoded one character at a time: ICU's decoder is the slowest step of an
// import. ICU fills the table once, from every pair at once; a pair that it does not turn into
// exactly one character is left to ICU wherever it occurs.
class Gb18030Pairs {
public:
    // Built on first use.
    static const Gb18030Pairs &instance();

    bool isEmpty() const { return m_empty; }
    // The character of a lead byte 0x81..0xFE and the byte after it; 0 when ICU decides.
    char16_t unit(uchar lead, uchar trail) const
    {
        return m_units[size_t(lead - kFirstLead) * 256 + trail];
    }

private:
    static constexpr int kFirstLead = 0x81;
    static constexpr int kLastLead = 0xFE;
    static constexpr int kFirstTrail = 0x40;
    static constexpr int kLastTrail = 0xFE;
    static constexpr int kNoTrail = 0x7F;

    Gb18030Pairs();

    std::vector<char16_t> m_units;
    bool m_empty = true;
};

// Decodes `piece`, which ends on a clean split point: looked up where `pairs` knows the
// character, by ICU elsewhere, from a character boundary to the next clean split point.
QChar *decodeGb18030Piece(QStringDecoder &decoder, const Gb18030Pairs &pairs, QByteArrayView piece,
                          QChar *out);

} // namespace quorava
