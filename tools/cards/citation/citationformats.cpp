#include "citationformats.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace velmora::cards {

namespace {

// Notes joined into the one note field each format has.
QString noteOf(const Book &book)
{
    return book.notes.join(QStringLiteral("; "));
}

// RIS: "TY  - BOOK" ... "ER  - ", a tag of two letters or digits, two blanks, a hyphen and a
// blank before each value. Values never hold a line break: a card's control bytes arrive as
// their control pictures.
class Ris : public CitationFormat
{
public:
    QByteArray record(const Book &book, const QString &key, bool) const override
    {
        QString r = QStringLiteral("TY  - BOOK\n");
        const auto tag = [&r](const char *name, const QString &value) {
            if (!value.isEmpty())
                r += QLatin1String(name) + QStringLiteral("  - ") + value + QLatin1Char('\n');
        };
        const auto names = [&tag](const char *name, const QList<PersonName> &people) {
            for (const PersonName &p : people)
                tag(name, p.family.isEmpty()  ? p.literal
                          : p.given.isEmpty() ? p.family
                                              : p.family + QStringLiteral(", ") + p.given);
        };
        tag("ID", key);
        names("AU", book.authors);
        tag("TI", book.title);
        names("ED", book.editors);
        names("A4", book.translators);
        tag("PY", book.year);
        tag("PB", book.publisher);
        tag("CY", book.place);
        tag("NV", book.volumes);
        tag("SP", book.pages);
        tag("SN", book.isbn);
        tag("N1", noteOf(book));
        tag("LA", book.language);
        r += QStringLiteral("ER  - \n\n");
        return r.toUtf8();
    }
};

// Inside braces every character stands for itself: the ones TeX gives a meaning are
// written as commands, braces included, so that braces always pair.
QString texText(const QString &text)
{
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\textbackslash{}");
            break;
        case '{':
            out += QStringLiteral("\\textbraceleft{}");
            break;
        case '}':
            out += QStringLiteral("\\textbraceright{}");
            break;
        case '~':
            out += QStringLiteral("\\textasciitilde{}");
            break;
        case '^':
            out += QStringLiteral("\\textasciicircum{}");
            break;
        case '%':
        case '&':
        case '#':
        case '$':
        case '_':
            out += QLatin1Char('\\') + c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A name list of biblatex: family names in braces, so that a blank or an "and" in them
// never splits a name; a name that fits no pattern in double braces, kept whole.
QString texNames(const QList<PersonName> &people)
{
    QStringList names;
    for (const PersonName &p : people) {
        if (p.family.isEmpty())
            names << QStringLiteral("{%1}").arg(texText(p.literal));
        else if (p.given.isEmpty())
            names << QStringLiteral("{%1}").arg(texText(p.family));
        else
            names << QStringLiteral("{%1}, %2").arg(texText(p.family), texText(p.given));
    }
    return names.join(QStringLiteral(" and "));
}

// biblatex, UTF-8.
class BibTex : public CitationFormat
{
public:
    QByteArray record(const Book &book, const QString &key, bool) const override
    {
        QString r = QStringLiteral("@book{") + key + QStringLiteral(",\n");
        const auto field = [&r](const char *name, const QString &value) {
            if (!value.isEmpty())
                r += QStringLiteral("  %1 = {%2},\n").arg(QLatin1String(name), value);
        };
        field("author", texNames(book.authors));
        field("title", texText(book.title));
        field("editor", texNames(book.editors));
        field("translator", texNames(book.translators));
        // Lists in biblatex: braced whole, "THAMES AND HUDSON" is one publisher.
        if (!book.publisher.isEmpty())
            field("publisher", QLatin1Char('{') + texText(book.publisher) + QLatin1Char('}'));
        if (!book.place.isEmpty())
            field("location", QLatin1Char('{') + texText(book.place) + QLatin1Char('}'));
        field("date", book.year);
        field("volumes", book.volumes);
        field("pagetotal", book.pages);
        field("isbn", texText(book.isbn));
        field("note", texText(noteOf(book)));
        field("langid", book.language.isEmpty() ? QString() : QStringLiteral("greek"));
        r += QStringLiteral("}\n\n");
        return r.toUtf8();
    }
};

QJsonArray cslNames(const QList<PersonName> &people)
{
    QJsonArray names;
    for (const PersonName &p : people) {
        QJsonObject name;
        if (p.family.isEmpty()) {
            name.insert(QStringLiteral("literal"), p.literal);
        } else {
            name.insert(QStringLiteral("family"), p.family);
            if (!p.given.isEmpty())
                name.insert(QStringLiteral("given"), p.given);
        }
        names.append(name);
    }
    return names;
}

// The citation style language's JSON: one array, each book an object on a line of its own.
class CslJson : public CitationFormat
{
public:
    QByteArray head() const override { return "["; }
    QByteArray record(const Book &book, const QString &key, bool first) const override
    {
        QJsonObject o;
        const auto field = [&o](const char *name, const QString &value) {
            if (!value.isEmpty())
                o.insert(QLatin1String(name), value);
        };
        const auto names = [&o](const char *name, const QList<PersonName> &people) {
            if (!people.isEmpty())
                o.insert(QLatin1String(name), cslNames(people));
        };
        o.insert(QStringLiteral("id"), key);
        o.insert(QStringLiteral("type"), QStringLiteral("book"));
        field("title", book.title);
        names("author", book.authors);
        names("editor", book.editors);
        names("translator", book.translators);
        field("publisher", book.publisher);
        field("publisher-place", book.place);
        if (!book.year.isEmpty())
            o.insert(QStringLiteral("issued"),
                     QJsonObject{{QStringLiteral("date-parts"), QJsonArray{QJsonArray{book.year.toInt()}}}});
        field("number-of-volumes", book.volumes);
        field("number-of-pages", book.pages);
        field("ISBN", book.isbn);
        field("note", noteOf(book));
        field("language", book.language);
        return (first ? "\n" : ",\n") + QJsonDocument(o).toJson(QJsonDocument::Compact);
    }
    QByteArray tail(bool empty) const override { return empty ? "]\n" : "\n]\n"; }
};

} // namespace

std::unique_ptr<CitationFormat> citationFormat(const QString &name)
{
    if (name == QLatin1String("ris"))
        return std::make_unique<Ris>();
    if (name == QLatin1String("bibtex"))
        return std::make_unique<BibTex>();
    if (name == QLatin1String("csl-json"))
        return std::make_unique<CslJson>();
    return nullptr;
}

} // namespace velmora::cards
