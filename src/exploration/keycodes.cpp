#include "keycodes.h"

#include <QKeyEvent>

namespace velmora {

namespace {

// The standard Greek layout, key by key from A to Z, in capitals. Q carries no letter
// there, and W the final sigma, which has no capital of its own.
constexpr char16_t GreekByLatin[26 + 1] = u"ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠ-ΡΣΤΘΩ-ΧΥΖ";

int latinOf(QChar ch)
{
    if (ch == u'ς') // W on the Greek layout; in capitals it would pass for Σ, the S key
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

} // namespace

int keyCodeOf(const QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isLetter())
        if (const int latin = latinOf(text.at(0)))
            return latin;
    if (key > 0 && key <= 0xFFFF)
        if (const int latin = latinOf(QChar(char16_t(key))))
            return latin;
    return key;
}

int shiftMaskOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace velmora
