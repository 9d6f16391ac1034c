// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bibtexreader.h"

#include "bibtexentries.h"
#include "fileops.h"
#include "texdecoding.h"

#include <QCoreApplication>

#include <QHash>
#include <QIODevice>
#include <QSet>

#include <algorithm>
#include <btparse.h>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace velmora::citation {

namespace {

// A value once its macros are expanded, and all the macros together: far more than any card
// holds, and a macro defined as itself twice over ("@string{a = a # a}", again and again)
// must not double until it takes all the memory there is.
constexpr qsizetype MaxValueBytes = 64 * 1024;
constexpr qsizetype MaxMacroBytes = 16 << 20;
// libbtparse keeps an entry's fields on a stack of fixed size, and ends the process when an
// entry has about a hundred.
constexpr int MaxFields = 64;
// The cross-referenced entries held while reading.
constexpr qsizetype MaxParents = 10000;

// libbtparse tells what it finds wrong on the standard error, and has no way to be told
// otherwise: while it works, its messages go to a file in memory, to be reported with the
// entry they are about.
class LibraryMessages
{
public:
    LibraryMessages() : m_fd(memfd_create("btparse-messages", MFD_CLOEXEC))
    {
        if (Result<FileDescriptor> saved = duplicated(STDERR_FILENO))
            m_stderr = std::move(*saved);
    }
    LibraryMessages(const LibraryMessages &) = delete;
    LibraryMessages &operator=(const LibraryMessages &) = delete;

    template<class Work> QStringList during(Work &&work)
    {
        std::fflush(stderr);
        if (!m_fd || !m_stderr || ::dup2(m_fd.get(), STDERR_FILENO) < 0) {
            work();
            return {};
        }
        work();
        std::fflush(stderr);
        ::dup2(m_stderr.get(), STDERR_FILENO);
        const off_t size = ::lseek(m_fd.get(), 0, SEEK_CUR);
        if (size <= 0)
            return {};
        QByteArray text(qMin<off_t>(size, 4096), Qt::Uninitialized);
        const ssize_t read = ::pread(m_fd.get(), text.data(), size_t(text.size()), 0);
        if (!truncateTo(m_fd.get(), 0) || ::lseek(m_fd.get(), 0, SEEK_SET) != 0)
            m_fd.reset();
        QStringList messages;
        for (const QByteArray &line : text.left(qMax<ssize_t>(read, 0)).split('\n'))
            if (const QByteArray m = line.trimmed(); !m.isEmpty())
                messages << QString::fromUtf8(m).remove(QStringLiteral(" (skipping to next \"@\")"));
        return messages;
    }

private:
    FileDescriptor m_fd;
    FileDescriptor m_stderr; // the standard error as it was
};

using FieldList = QList<std::pair<QByteArray, QByteArray>>; // names lower case, values expanded

// Fields a card says otherwise or that only sort, label and index the entry: taken without
// a word. The language is the card's script; a date's month and day are not on cards.
bool isConsumed(const QByteArray &name)
{
    static const QSet<QByteArray> consumed = {
        "key",         "ids",        "crossref", "langid",    "language",   "hyphenation",
        "month",       "day",        "sortkey",  "sortname",  "sorttitle",  "sortyear",
        "presort",     "indextitle", "label",    "shorthand", "shorttitle", "shortauthor",
        "shorteditor", "options",    "entryset", "execute",   "gender",     "indexsorttitle"};
    return consumed.contains(name);
}

// What an entry of the cross-referenced one does not take from it.
bool isOwnField(const QByteArray &name)
{
    static const QSet<QByteArray> own = {"title",     "subtitle",   "titleaddon", "shorttitle",
                                         "sorttitle", "indextitle", "ids",        "crossref",
                                         "key",       "label",      "pages"};
    return own.contains(name);
}

// "crossref" in any case, without a copy of the entry in small letters.
bool mentionsCrossref(const QByteArray &text)
{
    for (qsizetype i = 0; i + 8 <= text.size(); ++i)
        if ((text[i] | 0x20) == 'c' && qstrnicmp(text.constData() + i, "crossref", 8) == 0)
            return true;
    return false;
}

ReferenceKind kindOf(const QByteArray &type)
{
    static const QSet<QByteArray> articles = {"article", "suppperiodical"};
    static const QSet<QByteArray> parts = {"inbook",         "bookinbook",    "suppbook",   "incollection",
                                           "suppcollection", "inproceedings", "conference", "inreference"};
    return articles.contains(type) ? ReferenceKind::Article
           : parts.contains(type)  ? ReferenceKind::Part
                                   : ReferenceKind::Book;
}

class Reader
{
public:
    Reader(BibtexDialect dialect, const ReferenceSink &sink) : m_dialect(dialect), m_sink(sink) {}

    // `emitting`: references go to the sink; otherwise only the cross-referenced entries are
    // gathered.
    ReadOutcome pass(QIODevice &input, bool emitting)
    {
        m_emit = emitting;
        m_macros.clear();
        m_macroBytes = 0;
        static const char *months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                       "jul", "aug", "sep", "oct", "nov", "dec"};
        for (const char *m : months)
            m_macros.insert(m, m);
        EntrySplitter entries(input);
        RawEntry raw;
        m_parsed = false;
        while (entries.next(&raw))
            read(raw);
        // The library's own clean-up, which fails when it has parsed nothing.
        if (m_parsed)
            bt_parse_entry_s(nullptr, nullptr, 1, 0, nullptr);
        if (!entries.failure().ok())
            return entries.failure();
        if (entries.nothingButText())
            return {
                QCoreApplication::translate("Citation", "no BibTeX entry (\"@book{KEY, ...}\") in the file"),
                1};
        return {};
    }

private:
    void fail(const RawEntry &raw, const QString &why)
    {
        if (!m_emit)
            return;
        Reference r;
        r.line = raw.line;
        r.failure = why;
        m_sink(r);
    }

    // Gathering, an entry is parsed only when it may cross-reference or be cross-referenced.
    bool mayMatter(const RawEntry &raw) const
    {
        if (m_emit || raw.type == "string" || mentionsCrossref(raw.text))
            return true;
        const qsizetype open = raw.type.size() + 2, comma = raw.text.indexOf(',', open);
        return comma < 0 || m_targets.contains(raw.text.mid(open, comma - open).trimmed().toLower());
    }

    void read(RawEntry &raw)
    {
        if (raw.type == "comment" || raw.type == "preamble" || !mayMatter(raw))
            return;
        if (!raw.closed)
            return fail(raw, QCoreApplication::translate(
                                 "Citation", "its braces or quotes do not pair: the entry runs to the next "
                                             "one or to the end of the file"));
        if (raw.assignments > MaxFields)
            return fail(raw, QCoreApplication::translate("Citation", "more than %1 fields").arg(MaxFields));
        AST *entry = nullptr;
        boolean ok = FALSE;
        const QStringList messages = m_messages.during(
            [&] { entry = bt_parse_entry_s(raw.text.data(), nullptr, int(raw.line), BTO_NOSTORE, &ok); });
        m_parsed = true;
        if (!entry || !ok) {
            fail(raw, messages.isEmpty()
                          ? QCoreApplication::translate("Citation", "not an entry as BibTeX writes one")
                          : messages.join(QStringLiteral("; ")));
        } else if (bt_entry_metatype(entry) == BTE_MACRODEF) {
            define(entry, raw, messages);
        } else if (bt_entry_metatype(entry) == BTE_REGULAR) {
            regular(entry, raw, messages);
        }
        if (entry)
            bt_free_ast(entry);
    }

    // A value's simple values pasted together, its macros expanded: a string as its text, a
    // number as its digits.
    QByteArray expanded(AST *field, const char *name, QStringList *problems)
    {
        QByteArray out;
        bt_nodetype type;
        char *text = nullptr;
        AST *value = nullptr;
        while ((value = bt_next_value(field, value, &type, &text))) {
            if (type == BTAST_MACRO) {
                const auto macro = m_macros.constFind(QByteArray(text).toLower());
                if (macro == m_macros.constEnd())
                    *problems << QCoreApplication::translate("Citation",
                                                             "%1: no @string \"%2\", taken as empty")
                                     .arg(QString::fromUtf8(name), QString::fromUtf8(text));
                else
                    out += *macro;
            } else if (text) {
                out += text;
            }
            if (out.size() > MaxValueBytes) {
                out.truncate(MaxValueBytes);
                *problems << QCoreApplication::translate("Citation", "%1: longer than %2 bytes, cut")
                                 .arg(QString::fromUtf8(name))
                                 .arg(MaxValueBytes);
                break;
            }
        }
        return out;
    }

    void define(AST *entry, const RawEntry &raw, QStringList problems)
    {
        char *name = nullptr;
        AST *field = nullptr;
        while ((field = bt_next_macro(entry, field, &name))) {
            const QByteArray macro = QByteArray(name).toLower();
            const QByteArray value = expanded(field, name, &problems);
            const qsizetype bytes = m_macroBytes - m_macros.value(macro).size() + value.size();
            if (bytes > MaxMacroBytes) {
                problems << QStringLiteral(
                                "%1: the @string macros would hold more than %2 bytes; not defined")
                                .arg(QString::fromUtf8(name))
                                .arg(MaxMacroBytes);
                continue;
            }
            m_macroBytes = bytes;
            m_macros.insert(macro, value);
        }
        if (!problems.isEmpty() && m_emit) {
            Reference r;
            r.line = raw.line;
            r.name = QStringLiteral("@string");
            r.definition = true;
            r.problems = problems;
            m_sink(r);
        }
    }

    void regular(AST *entry, const RawEntry &raw, QStringList problems)
    {
        const QByteArray key = QByteArray(bt_entry_key(entry) ? bt_entry_key(entry) : "");
        FieldList fields;
        QStringList seconds;
        char *name = nullptr;
        AST *field = nullptr;
        while ((field = bt_next_field(entry, field, &name))) {
            const QByteArray lower = QByteArray(name).toLower();
            const QByteArray value = expanded(field, name, &problems);
            if (std::any_of(fields.cbegin(), fields.cend(), [&](const auto &f) { return f.first == lower; }))
                seconds << QString::fromUtf8(lower) + QCoreApplication::translate("Citation", " (a second)");
            else
                fields.append({lower, value});
        }
        const QByteArray keyLower = key.toLower();
        QByteArray parent;
        for (const auto &[n, v] : fields)
            if (n == "crossref")
                parent = v.trimmed().toLower();
        if (!parent.isEmpty())
            m_targets.insert(parent);
        if (m_targets.contains(keyLower) && !m_parents.contains(keyLower) && m_parents.size() < MaxParents)
            m_parents.insert(keyLower, fields);
        if (!m_emit)
            return;
        if (!parent.isEmpty()) {
            const auto found = m_parents.constFind(parent);
            if (found == m_parents.constEnd())
                problems << QCoreApplication::translate("Citation", "crossref: no entry \"%1\" found")
                                .arg(QString::fromUtf8(parent));
            else
                inherit(&fields, *found);
        }
        Reference r;
        problems << m_messages.during([&] { r = referenceOf(raw, key, fields, &problems); });
        r.notKept << seconds;
        r.problems = problems;
        m_sink(r);
    }

    // The fields an entry lacks, from the one it cross-references; that one's title is the
    // book the entry is in.
    static void inherit(FieldList *fields, const FieldList &parent)
    {
        const auto has = [fields](const QByteArray &name) {
            return std::any_of(fields->cbegin(), fields->cend(),
                               [&](const auto &f) { return f.first == name; });
        };
        for (const auto &[name, value] : parent) {
            if (name == "title" && !has("booktitle"))
                fields->append({"booktitle", value});
            else if (!isOwnField(name) && !has(name))
                fields->append({name, value});
        }
    }

    Reference referenceOf(const RawEntry &raw, const QByteArray &key, const FieldList &entryFields,
                          QStringList *problems)
    {
        FieldList fields = entryFields; // a few each: looked through, not hashed
        Reference r;
        r.line = raw.line;
        r.name = QString::fromUtf8(key);
        r.kind = kindOf(raw.type);
        const auto take = [&](const char *name) {
            for (auto f = fields.begin(); f != fields.end(); ++f) {
                if (f->first == name) {
                    const QByteArray value = f->second.simplified();
                    fields.erase(f);
                    return value;
                }
            }
            return QByteArray();
        };
        const auto textOf = [&](const QByteArray &tex, const char *name) {
            if (tex.isEmpty())
                return QString();
            QSet<QString> unknown;
            const QString text = textOfTex(decodedUtf8(tex, QString::fromUtf8(name), problems), &unknown);
            for (const QString &command : unknown)
                *problems << QCoreApplication::translate("Citation", "%1: TeX command %2 left out")
                                 .arg(QString::fromUtf8(name), command);
            return text.simplified();
        };
        const auto text = [&](const char *name) { return textOf(take(name), name); };
        const auto joined = [](const QString &a, const char *between, const QString &b) {
            return a.isEmpty() || b.isEmpty() ? QString(a + b) : a + QString::fromUtf8(between) + b;
        };
        // biblatex's lists of publishers and places: "Berlin and New York".
        const auto list = [&](const char *name) {
            QByteArray value = take(name);
            if (m_dialect == BibtexDialect::Classic || value.isEmpty())
                return textOf(value, name);
            QStringList items;
            bt_stringlist *split = bt_split_list(value.data(), const_cast<char *>("and"), nullptr,
                                                 int(raw.line), const_cast<char *>(name));
            for (int i = 0; split && i < split->num_items; ++i)
                if (split->items[i])
                    items << textOf(split->items[i], name);
            bt_free_list(split);
            return items.join(QStringLiteral(" - "));
        };
        bool others = false;
        const auto names = [&](const char *name) {
            QByteArray value = take(name);
            QList<PersonName> people;
            if (value.isEmpty())
                return people;
            bt_stringlist *split = bt_split_list(value.data(), const_cast<char *>("and"), nullptr,
                                                 int(raw.line), const_cast<char *>(name));
            for (int i = 0; split && i < split->num_items; ++i) {
                if (!split->items[i])
                    continue;
                if (qstrcmp(split->items[i], "others") == 0) {
                    others = true;
                    continue;
                }
                bt_name *parts = bt_split_name(split->items[i], nullptr, int(raw.line), i + 1);
                const auto part = [&](bt_namepart p) {
                    QByteArray tokens;
                    for (int t = 0; parts && t < parts->part_len[p]; ++t)
                        tokens += (tokens.isEmpty() ? "" : " ") + QByteArray(parts->parts[p][t]);
                    return textOf(tokens, name);
                };
                const QString family = joined(joined(part(BTN_VON), " ", part(BTN_LAST)), " ", part(BTN_JR));
                const QString given = part(BTN_FIRST);
                people << (family.isEmpty() ? PersonName{{}, {}, given} : PersonName{family, given, {}});
                bt_free_name(parts);
            }
            bt_free_list(split);
            return people;
        };

        Book &b = r.book;
        b.title = joined(text("title"), ": ", text("subtitle"));
        b.authors = names("author");
        b.editors = names("editor");
        b.translators = names("translator");
        b.publisher = list("publisher");
        for (const char *place : {"location", "address"})
            if (const QString p = list(place); b.place.isEmpty())
                b.place = p;
        for (const char *date : {"date", "year"})
            if (const QString y = yearIn(text(date)); b.year.isEmpty())
                b.year = y;
        b.volumes = text("volumes");
        const QString pages = text("pages"), total = text("pagetotal");
        b.pages = r.kind == ReferenceKind::Book && !total.isEmpty() ? total : pages.isEmpty() ? total : pages;
        b.isbn = text("isbn");
        b.language = text("langid");
        for (const char *organisation : {"school", "institution", "organization"})
            if (const QString o = list(organisation); !o.isEmpty()) {
                if (b.publisher.isEmpty())
                    b.publisher = o;
                else
                    b.notes << o;
            }
        const QString volume = text("volume"), number = text("number");
        QString container = joined(text("journaltitle"), ": ", text("journalsubtitle"));
        if (const QString journal = text("journal"); container.isEmpty())
            container = journal;
        const QString bookTitle = joined(text("booktitle"), ": ", text("booksubtitle"));
        r.series = text("series");
        if (r.kind == ReferenceKind::Article) {
            r.container = container;
            r.containerVolume = number.isEmpty() ? volume : volume + u'(' + number + u')';
        } else {
            r.container = r.kind == ReferenceKind::Part ? bookTitle : QString();
            r.volume = volume;
            r.series = joined(r.series, " ", number);
        }
        r.edition = text("edition");
        for (const char *note : {"titleaddon", "type", "howpublished", "note", "addendum"})
            if (const QString n = text(note); !n.isEmpty())
                b.notes << n;
        if (others)
            b.notes << (isGreek(b.title) ? QStringLiteral("ΚΑΙ ΑΛΛΟΙ") : QStringLiteral("ET AL."));
        for (const auto &[name, value] : fields)
            if (!isConsumed(name))
                r.notKept << QString::fromUtf8(name);
        if (r.kind != ReferenceKind::Part && !bookTitle.isEmpty())
            r.notKept << QStringLiteral("booktitle");
        if (r.kind != ReferenceKind::Article && !container.isEmpty())
            r.notKept << QStringLiteral("journal");
        r.notKept.sort();
        return r;
    }

    BibtexDialect m_dialect;
    const ReferenceSink &m_sink;
    bool m_emit = false;
    bool m_parsed = false;
    LibraryMessages m_messages;
    QHash<QByteArray, QByteArray> m_macros; // names lower case
    qsizetype m_macroBytes = 0;
    QSet<QByteArray> m_targets;
    QHash<QByteArray, FieldList> m_parents;
};

} // namespace

ReadOutcome readBibtex(QIODevice &input, BibtexDialect dialect, const ReferenceSink &sink)
{
    static const bool initialized = [] {
        bt_initialize();
        // Values as written, simple value by simple value: the macros are expanded here, with
        // bounds, and the library's own table of them stays empty.
        bt_set_stringopts(BTE_REGULAR, 0);
        bt_set_stringopts(BTE_MACRODEF, 0);
        return true;
    }();
    Q_UNUSED(initialized);
    Reader reader(dialect, sink);
    // A file is read twice, so that an entry finds the one it cross-references wherever that
    // stands; a pipe once, and an entry finds only those before it.
    if (!input.isSequential()) {
        if (const ReadOutcome first = reader.pass(input, false); !first.ok())
            return first;
        if (!input.seek(0))
            return {QCoreApplication::translate("Citation", "cannot read the file a second time: ") +
                        input.errorString(),
                    0};
    }
    return reader.pass(input, true);
}

} // namespace velmora::citation
