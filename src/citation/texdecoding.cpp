// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "texdecoding.h"

#include <QHash>

namespace velmora::citation {

namespace {

// The combining mark of each accent command; the spacing accent stands for an accent with
// no letter ("\'{}").
struct Accent
{
    char16_t combining;
    char16_t spacing;
};

const QHash<QString, Accent> &accents()
{
    static const QHash<QString, Accent> table = {
        {QStringLiteral("'"), {0x0301, 0x00B4}}, {QStringLiteral("`"), {0x0300, u'`'}},
        {QStringLiteral("^"), {0x0302, u'^'}},   {QStringLiteral("\""), {0x0308, 0x00A8}},
        {QStringLiteral("~"), {0x0303, u'~'}},   {QStringLiteral("="), {0x0304, 0x00AF}},
        {QStringLiteral("."), {0x0307, 0x02D9}}, {QStringLiteral("u"), {0x0306, 0x02D8}},
        {QStringLiteral("v"), {0x030C, 0x02C7}}, {QStringLiteral("H"), {0x030B, 0x02DD}},
        {QStringLiteral("c"), {0x0327, 0x00B8}}, {QStringLiteral("k"), {0x0328, 0x02DB}},
        {QStringLiteral("r"), {0x030A, 0x02DA}}, {QStringLiteral("d"), {0x0323, u'.'}},
        {QStringLiteral("b"), {0x0331, u'_'}},   {QStringLiteral("t"), {0x0361, 0x2040}},
    };
    return table;
}

const QHash<QString, QString> &symbols()
{
    static const QHash<QString, QString> table = [] {
        // Command and text, in pairs: the letters and the text symbols.
        const QStringList pairs =
            QStringLiteral(
                "ss ß o ø O Ø ae æ AE Æ oe œ OE Œ aa å AA Å l ł L Ł i ı j ȷ dh ð DH Ð th þ TH Þ ng ŋ NG Ŋ "
                "textbackslash \\ textbraceleft { textbraceright } textasciitilde ~ textasciicircum ^ "
                "textunderscore _ textbar | textless < textgreater > textendash – textemdash — "
                "textquoteleft ‘ textquoteright ’ textquotedblleft “ textquotedblright ” guillemotleft « "
                "guillemotright » guillemetleft « guillemetright » textellipsis … dots … ldots … S § "
                "textsection § P ¶ copyright © textcopyright © textregistered ® pounds £ textsterling £ "
                "texteuro € euro € textdegree ° textperiodcentered · slash / LaTeX LaTeX TeX TeX BibTeX "
                "BibTeX")
                .split(u' ');
        QHash<QString, QString> t;
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            t.insert(pairs[i], pairs[i + 1]);
        for (const char *space : {"quad", "qquad", "space", "nobreakspace"})
            t.insert(QString::fromLatin1(space), QStringLiteral(" "));
        // Commands that only set the type or guard the case: nothing of their own is printed.
        for (const QString &c :
             QStringLiteral(
                 "emph textit textbf textsc textup textsf texttt textrm textsl textnormal textmd "
                 "mkbibquote mkbibemph mkbibitalic mkbibbold enquote textgreek textlatin mbox hbox "
                 "MakeUppercase MakeLowercase uppercase lowercase NoCaseChange url relax protect "
                 "ensuremath textsuperscript textsubscript it bf sc em rm sf tt sl upshape itshape "
                 "scshape bfseries normalfont")
                 .split(u' '))
            t.insert(c, QString());
        return t;
    }();
    return table;
}

// Commands whose first argument is not printed: \foreignlanguage{greek}{...}.
bool dropsFirstArgument(const QString &command)
{
    return command == QLatin1String("foreignlanguage") || command == QLatin1String("noopsort") ||
           command == QLatin1String("hyphenation");
}

class Decoder
{
public:
    Decoder(const QString &tex, QSet<QString> *unknown) : m_tex(tex), m_unknown(unknown) {}

    QString run()
    {
        QString out;
        while (m_at < m_tex.size())
            out += next();
        return out;
    }

private:
    QChar peek(qsizetype ahead = 0) const
    {
        return m_at + ahead < m_tex.size() ? m_tex.at(m_at + ahead) : QChar();
    }
    void skipBlanks()
    {
        while (peek().isSpace())
            ++m_at;
    }

    // A group's contents, its braces left out; the text to the end when it is not closed.
    QString group()
    {
        const qsizetype from = ++m_at;
        for (int depth = 1; m_at < m_tex.size(); ++m_at) {
            if (m_tex.at(m_at) == u'\\') {
                ++m_at;
            } else if (m_tex.at(m_at) == u'{') {
                ++depth;
            } else if (m_tex.at(m_at) == u'}' && --depth == 0) {
                return m_tex.mid(from, m_at++ - from);
            }
        }
        return m_tex.mid(from);
    }

    // What an accent goes on: a group, a command (\i) or one character.
    QString argument()
    {
        skipBlanks();
        if (peek() == u'{')
            return Decoder(group(), m_unknown).run();
        if (peek() == u'\\')
            return next();
        return m_at < m_tex.size() ? QString(m_tex.at(m_at++)) : QString();
    }

    QString accented(const Accent &accent)
    {
        QString base = argument();
        if (base.isEmpty())
            return QString(QChar(accent.spacing));
        // The dotless i and j of "\'\i" take the accent as i and j.
        if (base.front() == u'ı')
            base.front() = u'i';
        else if (base.front() == u'ȷ')
            base.front() = u'j';
        return base.insert(1, QChar(accent.combining));
    }

    QString command()
    {
        ++m_at; // the backslash
        const qsizetype from = m_at;
        while (peek().isLetter() && peek().unicode() < 128)
            ++m_at;
        if (m_at == from) { // a control symbol: \& \' \\ ...
            if (m_at >= m_tex.size())
                return {};
            const QString symbol = m_tex.mid(m_at++, 1);
            if (const auto a = accents().constFind(symbol); a != accents().constEnd())
                return accented(*a);
            if (QStringLiteral("&%$#_{}").contains(symbol))
                return symbol;
            if (symbol == QLatin1String("-") || symbol == QLatin1String("/") || symbol == QLatin1String("!"))
                return {};
            return QStringLiteral(" "); // "\\", "\ ", "\,": a break or a space
        }
        const QString name = m_tex.mid(from, m_at - from);
        skipBlanks();
        if (const auto a = accents().constFind(name); a != accents().constEnd())
            return accented(*a);
        if (const auto s = symbols().constFind(name); s != symbols().constEnd())
            return *s;
        if (dropsFirstArgument(name)) {
            if (peek() == u'{')
                group();
            return {};
        }
        m_unknown->insert(QLatin1Char('\\') + name);
        return {};
    }

    QString next()
    {
        const QChar c = m_tex.at(m_at);
        if (c == u'\\')
            return command();
        ++m_at;
        if (c == u'{' || c == u'}' || c == u'$')
            return {};
        if (c == u'~')
            return QStringLiteral(" ");
        if (c == u'-' && peek() == u'-') {
            ++m_at;
            if (peek() == u'-') {
                ++m_at;
                return QStringLiteral("—");
            }
            return QStringLiteral("–");
        }
        if (c == u'`' && peek() == u'`') {
            ++m_at;
            return QStringLiteral("“");
        }
        if (c == u'`')
            return QStringLiteral("‘");
        if (c == u'\'' && peek() == u'\'') {
            ++m_at;
            return QStringLiteral("”");
        }
        return QString(c);
    }

    const QString m_tex;
    QSet<QString> *m_unknown;
    qsizetype m_at = 0;
};

} // namespace

QString textOfTex(const QString &tex, QSet<QString> *unknown)
{
    if (!tex.contains(u'\\') && !tex.contains(u'{') && !tex.contains(u'~') && !tex.contains(u'-') &&
        !tex.contains(u'`') && !tex.contains(u'$') && !tex.contains(u'\''))
        return tex;
    return Decoder(tex, unknown).run();
}

} // namespace velmora::citation
