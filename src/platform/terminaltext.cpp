#include "terminaltext.h"

namespace velmora {

QString shownOnTerminal(const QString &text)
{
    QString shown;
    for (const QChar ch : text) {
        // Control characters (escape sequences, line breaks) and the marks that reorder or
        // hide text would act on the terminal rather than be read.
        const QChar::Category category = ch.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            shown += ch.unicode() < 0x100
                         ? QStringLiteral("\\x") +
                               QString::number(ch.unicode(), 16).toUpper().rightJustified(2, u'0')
                         : QStringLiteral("\\u") +
                               QString::number(ch.unicode(), 16).toUpper().rightJustified(4, u'0');
        else
            shown += ch;
    }
    return shown;
}

} // namespace velmora
