// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keypositions.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace velmora {

namespace {

// The standard Greek layout, key by key from A to Z, in capitals. Q carries no letter
// there, and W the final sigma, which has no capital of its own.
constexpr char16_t GreekByLatin[26 + 1] = u"ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠ-ΡΣΤΘΩ-ΧΥΖ";

int latinKeyOf(QChar ch)
{
    if (ch == u'ς') // the W key; in capitals it would pass for Σ, the S key
        return Qt::Key_W;
    const char16_t upper = ch.toUpper().unicode();
    if (upper >= u'A' && upper <= u'Z')
        return upper;
    if (upper < 0x0386) // below the Greek capitals
        return 0;
    for (int at = 0; at < 26; ++at)
        if (GreekByLatin[at] == upper)
            return Qt::Key_A + at;
    return 0;
}

// X keycodes of the letter rows (evdev codes + 8), for layouts with letters of neither
// alphabet: the key's position is all that is left.
int latinKeyOfScanCode(quint32 scanCode)
{
    static constexpr struct
    {
        quint8 code;
        char letter;
    } Keys[] = {{24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'},
                {31, 'I'}, {32, 'O'}, {33, 'P'}, {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'},
                {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'}, {52, 'Z'}, {53, 'X'},
                {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'}};
    for (const auto &k : Keys)
        if (k.code == scanCode)
            return k.letter;
    return 0;
}

} // namespace

int latinKeyOfQtKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key > 0 && key <= 0xFFFF && QChar(char16_t(key)).isLetter())
        return latinKeyOf(QChar(char16_t(key)));
    return 0;
}

int keyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    const QString text = event.text();
    if (text.size() == 1 && text.front().isLetter())
        if (const int latin = latinKeyOf(text.front()))
            return latin;
    if (const int latin = latinKeyOfQtKey(key))
        return latin;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        if (const int latin = latinKeyOfScanCode(event.nativeScanCode()))
            return latin;
    return key;
}

int shiftMaskOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftBit : 0) | (modifiers & Qt::ControlModifier ? CtrlBit : 0) |
           (modifiers & Qt::AltModifier ? AltBit : 0);
}

} // namespace velmora
