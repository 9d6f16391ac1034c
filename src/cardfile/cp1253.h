// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace velmora::cp1253 {

// Windows-1253 with a table of our own: every one of the 256 byte values decodes to a
// character that encodes back to the same byte, so a card read and written again keeps
// every byte. The bytes the code page leaves undefined decode to C1 controls (0x81 ->
// U+0081 ...), to U+00AA for 0xAA, and to private-use U+F8D2 and U+F8FF for 0xD2 and 0xFF.
QString decode(QByteArrayView bytes);
char16_t decodeByte(unsigned char byte);

// A character the code page cannot hold is written as '?'. A control picture
// (U+2400..U+241F, as shown for control bytes) is written as the control byte itself.
constexpr char Replacement = '?';
QByteArray encode(QStringView text);

// What a field stores for `text`, at most `width` bytes: the text in its canonical
// composed form (NFC), so that what the code page holds under another code point (a letter
// typed with a combining accent, U+1F71, the ano teleia U+0387, the Greek question mark
// U+037E) is stored as itself; then one Replacement for each character the code page
// cannot hold, a character beyond U+FFFF included. A text too long is cut between
// characters as a reader sees them: never inside a surrogate pair, never between a letter
// and its combining marks. Searches compare with encodeExact() instead, untouched.
QByteArray encodeForStorage(QStringView text, int width);
// The canonical composed form (NFC) that encodeForStorage() stores.
QString composed(QStringView text);

// Returns false when the text holds a character the code page cannot hold.
bool encodeExact(QStringView text, QByteArray *out);
bool isEncodable(char16_t ch);

// True for the bytes that Windows-1253 leaves undefined.
bool isUndefinedByte(unsigned char byte);

} // namespace velmora::cp1253
