// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "citationformats.h"

#include "bibtexreader.h"
#include "csljsonreader.h"
#include "risreader.h"

#include <QCoreApplication>

namespace velmora::citation {

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
    void record(const Book &book, const QString &key, bool, QByteArray *out) const override
    {
        *out += "TY  - BOOK\n";
        const auto tag = [out](const char *name, const QString &value) {
            if (value.isEmpty())
                return;
            *out += name;
            *out += "  - ";
            *out += value.toUtf8();
            *out += '\n';
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
        *out += "ER  - \n\n";
    }
};

// Inside braces every character stands for itself: the ones TeX gives a meaning are
// written as commands, braces included, so that braces always pair.
QString texText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
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
            out += QLatin1Char('\\');
            out += c;
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

// A field of a BibTeX entry; `braced`: a list of biblatex kept whole, "THAMES AND HUDSON"
// is one publisher.
void texField(QByteArray *out, const char *name, const QString &value, bool braced = false)
{
    if (value.isEmpty())
        return;
    *out += "  ";
    *out += name;
    *out += braced ? " = {{" : " = {";
    *out += value.toUtf8();
    *out += braced ? "}},\n" : "},\n";
}

// biblatex's own fields, UTF-8, for biber.
class Biblatex : public CitationFormat
{
public:
    void record(const Book &book, const QString &key, bool, QByteArray *out) const override
    {
        *out += "@book{";
        *out += key.toUtf8();
        *out += ",\n";
        texField(out, "author", texNames(book.authors));
        texField(out, "title", texText(book.title));
        texField(out, "editor", texNames(book.editors));
        texField(out, "translator", texNames(book.translators));
        texField(out, "publisher", texText(book.publisher), true);
        texField(out, "location", texText(book.place), true);
        texField(out, "date", book.year);
        texField(out, "volumes", book.volumes);
        texField(out, "pagetotal", book.pages);
        texField(out, "isbn", texText(book.isbn));
        texField(out, "note", texText(noteOf(book)));
        texField(out, "langid", book.language.isEmpty() ? QString() : QStringLiteral("greek"));
        *out += "}\n\n";
    }
};

// Classic BibTeX: the fields its standard styles (plain, alpha ...) print, UTF-8. What they
// have no field for (a translator, the volumes, the pages, an editor beside an author,
// which they refuse) is in the note as the card writes it.
class BibTex : public CitationFormat
{
public:
    void record(const Book &book, const QString &key, bool, QByteArray *out) const override
    {
        QStringList note;
        if (!book.authors.isEmpty())
            for (const PersonName &editor : book.editors)
                if (!namedInNotes(book.notes, editor))
                    note << roleText(Role::Editor, editor);
        for (const PersonName &translator : book.translators)
            if (!namedInNotes(book.notes, translator))
                note << roleText(Role::Translator, translator);
        note << volumesText(book) << pagesText(book.pages) << book.notes;
        note.removeAll(QString());

        *out += "@book{";
        *out += key.toUtf8();
        *out += ",\n";
        texField(out, "author", texNames(book.authors));
        if (book.authors.isEmpty())
            texField(out, "editor", texNames(book.editors));
        // Braces keep a Greek title's capitals from a style that changes case, as langid
        // does for biblatex.
        texField(out, "title", texText(book.title), !book.language.isEmpty());
        texField(out, "publisher", texText(book.publisher));
        texField(out, "address", texText(book.place));
        texField(out, "year", book.year);
        texField(out, "isbn", texText(book.isbn));
        texField(out, "note", texText(note.join(QStringLiteral("; "))));
        // What the styles sort a book with no author or editor by.
        if (book.authors.isEmpty() && book.editors.isEmpty())
            texField(out, "key", texText(book.title));
        *out += "}\n\n";
    }
};

// A JSON string: quotes, backslashes and control characters escaped, the rest as UTF-8.
void appendJsonString(QByteArray *out, const QString &text)
{
    *out += '"';
    for (const char c : text.toUtf8()) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            *out += '\\';
            *out += c;
        } else if (b < 0x20 || b == 0x7F) {
            *out += "\\u00";
            *out += "0123456789abcdef"[b >> 4];
            *out += "0123456789abcdef"[b & 15];
        } else {
            *out += c;
        }
    }
    *out += '"';
}

// The citation style language's JSON: one array, each book an object on a line of its own,
// written as it is made.
class CslJson : public CitationFormat
{
public:
    void head(QByteArray *out) const override { *out += '['; }
    void record(const Book &book, const QString &key, bool first, QByteArray *out) const override
    {
        *out += first ? "\n{\"id\":" : ",\n{\"id\":";
        appendJsonString(out, key);
        *out += ",\"type\":\"book\"";
        const auto field = [out](const char *name, const QString &value) {
            if (value.isEmpty())
                return;
            *out += ",\"";
            *out += name;
            *out += "\":";
            appendJsonString(out, value);
        };
        const auto names = [out](const char *name, const QList<PersonName> &people) {
            if (people.isEmpty())
                return;
            *out += ",\"";
            *out += name;
            *out += "\":[";
            for (qsizetype i = 0; i < people.size(); ++i) {
                const PersonName &p = people[i];
                *out += i == 0 ? "{" : ",{";
                if (p.family.isEmpty()) {
                    *out += "\"literal\":";
                    appendJsonString(out, p.literal);
                } else {
                    *out += "\"family\":";
                    appendJsonString(out, p.family);
                    if (!p.given.isEmpty()) {
                        *out += ",\"given\":";
                        appendJsonString(out, p.given);
                    }
                }
                *out += '}';
            }
            *out += ']';
        };
        field("title", book.title);
        names("author", book.authors);
        names("editor", book.editors);
        names("translator", book.translators);
        field("publisher", book.publisher);
        field("publisher-place", book.place);
        if (!book.year.isEmpty()) // four digits
            *out += ",\"issued\":{\"date-parts\":[[" + book.year.toLatin1() + "]]}";
        field("number-of-volumes", book.volumes);
        field("number-of-pages", book.pages);
        field("ISBN", book.isbn);
        field("note", noteOf(book));
        field("language", book.language);
        *out += '}';
    }
    void tail(bool empty, QByteArray *out) const override { *out += empty ? "]\n" : "\n]\n"; }
};

ReadOutcome readClassicBibtex(QIODevice &input, const ReferenceSink &sink)
{
    return readBibtex(input, BibtexDialect::Classic, sink);
}

ReadOutcome readBiblatex(QIODevice &input, const ReferenceSink &sink)
{
    return readBibtex(input, BibtexDialect::Biblatex, sink);
}

} // namespace

const QList<ReferenceFormat> &referenceFormats()
{
    static const Ris ris;
    static const BibTex bibtex;
    static const Biblatex biblatex;
    static const CslJson cslJson;
    // .bibtex is pandoc's name for classic BibTeX; a .bib is read as biblatex, which reads
    // classic BibTeX too.
    static const QList<ReferenceFormat> formats = {
        {QLatin1String("ris"), {QStringLiteral(".ris")}, readRis, &ris},
        {QLatin1String("bibtex"), {QStringLiteral(".bibtex")}, readClassicBibtex, &bibtex},
        {QLatin1String("biblatex"), {QStringLiteral(".bib")}, readBiblatex, &biblatex},
        {QLatin1String("csl-json"), {QStringLiteral(".json")}, readCslJson, &cslJson},
    };
    return formats;
}

const ReferenceFormat *referenceFormatNamed(const QString &name)
{
    for (const ReferenceFormat &format : referenceFormats())
        if (format.name == name)
            return &format;
    return nullptr;
}

const ReferenceFormat *referenceFormatOfFile(const QString &path)
{
    const QString name = path.toLower();
    for (const ReferenceFormat &format : referenceFormats())
        for (const QString &ending : format.endings)
            if (name.endsWith(ending))
                return &format;
    return nullptr;
}

QString listedFormats(Joined joined, const QStringList &before)
{
    QStringList names = before;
    for (const ReferenceFormat &format : referenceFormats())
        names << format.name;
    const QString last = names.takeLast();
    return (joined == Joined::Or ? QCoreApplication::translate("Citation", "%1 or %2")
                                 : QCoreApplication::translate("Citation", "%1 and %2"))
        .arg(names.join(QStringLiteral(", ")), last);
}

} // namespace velmora::citation
