// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cp1253.h"

#include <QTextBoundaryFinder>

#include <array>

namespace velmora::cp1253 {
namespace {

// 0x80..0xFF. Zero marks the undefined bytes, filled in below.
constexpr char16_t HighHalf[128] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0,      0x2030, 0,      0x2039, 0,      0,      0,      0,      // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0,      0x2122, 0,      0x203A, 0,      0,      0,      0,      // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0,      0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015, // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F, // B8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397, // C0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F, // C8
    0x03A0, 0x03A1, 0,      0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7, // D0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF, // D8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7, // E0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF, // E8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7, // F0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0,      // F8
};

struct Tables
{
    std::array<char16_t, 256> toUnicode{};
    // Reverse map for U+0000..U+03FF and, separately, the few characters above it.
    std::array<short, 0x400> low{};
    std::array<std::pair<char16_t, unsigned char>, 40> high{};
    int highCount = 0;

    Tables()
    {
        for (int b = 0; b < 0x80; ++b)
            toUnicode[b] = char16_t(b);
        for (int b = 0x80; b < 0x100; ++b) {
            char16_t ch = HighHalf[b - 0x80];
            if (ch == 0) {
                if (b == 0xD2)
                    ch = 0xF8D2;
                else if (b == 0xFF)
                    ch = 0xF8FF;
                else
                    ch = char16_t(b); // C1 control or U+00AA, neither used elsewhere
            }
            toUnicode[b] = ch;
        }
        low.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const char16_t ch = toUnicode[b];
            if (ch < low.size())
                low[ch] = short(b);
            else
                high[highCount++] = {ch, static_cast<unsigned char>(b)};
        }
    }

    int toByte(char16_t ch) const
    {
        if (ch < low.size())
            return low[ch];
        if (ch >= 0x2400 && ch <= 0x241F) // control pictures
            return ch - 0x2400;
        for (int i = 0; i < highCount; ++i)
            if (high[i].first == ch)
                return high[i].second;
        return -1;
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

char16_t decodeByte(unsigned char byte)
{
    return tables().toUnicode[byte];
}

QString decode(QByteArrayView bytes)
{
    const auto &t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(t.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return out;
}

bool isEncodable(char16_t ch)
{
    return tables().toByte(ch) >= 0;
}

bool encodeExact(QStringView text, QByteArray *out)
{
    const auto &t = tables();
    out->resize(text.size());
    bool exact = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = t.toByte(text[i].unicode());
        if (b < 0)
            exact = false;
        (*out)[i] = b < 0 ? Replacement : char(b);
    }
    return exact;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    encodeExact(text, &out);
    return out;
}

QString composed(QStringView text)
{
    return text.toString().normalized(QString::NormalizationForm_C);
}

QByteArray encodeForStorage(QStringView text, int width)
{
    const QString nfc = composed(text);
    const auto &t = tables();
    QByteArray out;
    out.reserve(width);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, nfc);
    for (qsizetype start = 0; start < nfc.size();) {
        qsizetype end = characters.toNextBoundary();
        if (end <= start)
            end = nfc.size();
        QByteArray character;
        for (qsizetype i = start; i < end; ++i) {
            const bool pair = nfc[i].isHighSurrogate() && i + 1 < end && nfc[i + 1].isLowSurrogate();
            const int b = pair ? -1 : t.toByte(nfc[i].unicode());
            character += b < 0 ? Replacement : char(b);
            i += pair ? 1 : 0;
        }
        if (out.size() + character.size() > width)
            break;
        out += character;
        start = end;
    }
    return out;
}

bool isUndefinedByte(unsigned char byte)
{
    return byte >= 0x80 && HighHalf[byte - 0x80] == 0;
}

} // namespace velmora::cp1253
