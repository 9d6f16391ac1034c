// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "csljsonreader.h"

#include <QCoreApplication>

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringDecoder>

namespace velmora::citation {

namespace {

ReferenceKind kindOf(const QString &type)
{
    static const QSet<QString> articles = {QStringLiteral("article-journal"),
                                           QStringLiteral("article-magazine"),
                                           QStringLiteral("article-newspaper"),
                                           QStringLiteral("article"),
                                           QStringLiteral("review"),
                                           QStringLiteral("review-book")};
    static const QSet<QString> parts = {QStringLiteral("chapter"), QStringLiteral("paper-conference"),
                                        QStringLiteral("entry"), QStringLiteral("entry-dictionary"),
                                        QStringLiteral("entry-encyclopedia")};
    return articles.contains(type) ? ReferenceKind::Article
           : parts.contains(type)  ? ReferenceKind::Part
                                   : ReferenceKind::Book;
}

// A string or a number, as CSL-JSON writes either for most variables.
QString textOf(const QJsonValue &value)
{
    return (value.isDouble() ? QString::number(value.toDouble(), 'g', 15) : value.toString()).simplified();
}

QList<PersonName> namesOf(const QJsonValue &value)
{
    QList<PersonName> people;
    for (const QJsonValue &v : value.toArray()) {
        if (v.isString()) {
            people << PersonName{{}, {}, v.toString().simplified()};
            continue;
        }
        const QJsonObject o = v.toObject();
        QString family = o.value(QLatin1String("family")).toString().simplified();
        for (const char *particle : {"non-dropping-particle", "dropping-particle"})
            if (const QString p = o.value(QLatin1String(particle)).toString().simplified(); !p.isEmpty())
                family = p + u' ' + family;
        if (const QString suffix = o.value(QLatin1String("suffix")).toString().simplified();
            !suffix.isEmpty())
            family += u' ' + suffix;
        const QString given = o.value(QLatin1String("given")).toString().simplified();
        const QString literal = o.value(QLatin1String("literal")).toString().simplified();
        if (!literal.isEmpty() || family.isEmpty())
            people << PersonName{{}, {}, literal.isEmpty() ? given : literal};
        else
            people << PersonName{family.trimmed(), given, {}};
    }
    return people;
}

// "issued": date parts [[1992, 5, 1]] (a range as two of them), a literal, a raw date or,
// as older files have it, a plain string.
QString yearOf(const QJsonValue &issued)
{
    if (!issued.isObject())
        return yearIn(textOf(issued));
    const QJsonObject o = issued.toObject();
    const QJsonArray parts = o.value(QLatin1String("date-parts")).toArray();
    QStringList years;
    for (const QJsonValue &p : parts)
        years << yearIn(textOf(p.toArray().first()));
    years.removeAll(QString());
    if (!years.isEmpty())
        return years.size() > 1 && years.last() != years.first() ? years.first() + u'-' + years.last()
                                                                 : years.first();
    for (const char *other : {"literal", "raw"})
        if (const QString y = yearIn(o.value(QLatin1String(other)).toString()); !y.isEmpty())
            return y;
    return {};
}

Reference referenceOf(qint64 line, QJsonObject o)
{
    Reference r;
    r.line = line;
    const auto take = [&o](const char *name) { return o.take(QLatin1String(name)); };
    const auto text = [&](const char *name) { return textOf(take(name)); };
    r.name = text("id");
    r.kind = kindOf(text("type"));
    Book &b = r.book;
    b.title = text("title");
    b.authors = namesOf(take("author"));
    b.editors = namesOf(take("editor")) + namesOf(take("collection-editor"));
    b.translators = namesOf(take("translator"));
    b.year = yearOf(take("issued"));
    b.publisher = text("publisher");
    b.place = text("publisher-place");
    b.isbn = text("ISBN");
    b.volumes = text("number-of-volumes");
    const QString pages = text("page"), total = text("number-of-pages");
    b.pages = r.kind == ReferenceKind::Book && !total.isEmpty() ? total : pages.isEmpty() ? total : pages;
    b.language = text("language");
    if (const QString note = text("note"); !note.isEmpty())
        b.notes << note;
    const QString volume = text("volume"), issue = text("issue");
    r.container = text("container-title");
    if (r.kind == ReferenceKind::Article)
        r.containerVolume = issue.isEmpty() ? volume : volume + u'(' + issue + u')';
    else
        r.volume = volume;
    r.edition = text("edition");
    const QString number = text("collection-number");
    r.series = text("collection-title");
    if (!number.isEmpty())
        r.series += (r.series.isEmpty() ? QString() : QStringLiteral(" ")) + number;
    if (r.kind == ReferenceKind::Book && !r.container.isEmpty()) {
        r.container.clear();
        r.notKept << QStringLiteral("container-title");
    }
    if (r.kind != ReferenceKind::Article && !issue.isEmpty())
        r.notKept << QStringLiteral("issue");
    // Short forms of what is kept, and the key: nothing a card lacks.
    for (const char *shortForm :
         {"citation-key", "title-short", "shortTitle", "container-title-short", "journalAbbreviation"})
        take(shortForm);
    for (auto i = o.constBegin(); i != o.constEnd(); ++i)
        r.notKept << i.key();
    r.notKept.sort();
    return r;
}

// The top-level array's objects, found by their braces outside strings.
class ObjectSplitter
{
public:
    explicit ObjectSplitter(QIODevice &input) : m_input(input) {}

    enum class Next { Object, End, Failed };
    Next next(QByteArray *object, qint64 *line)
    {
        object->clear();
        while (fill()) {
            const char c = m_block[m_at];
            if (c == '{' && m_inArray) {
                *line = m_line;
                return readObject(object);
            }
            if (c == ']' && m_inArray)
                return Next::End; // what follows the array is not read
            if (c == '[' && !m_inArray && !m_sawArray)
                m_inArray = m_sawArray = true;
            else if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r' && !(c == ',' && m_inArray))
                return fail(m_inArray ? QCoreApplication::translate(
                                            "Citation", "the array holds something other than objects")
                                      : QCoreApplication::translate("Citation",
                                                                    "no CSL-JSON array (\"[\") in the file"));
            ++m_at;
        }
        return m_sawArray
                   ? Next::End
                   : fail(QCoreApplication::translate("Citation", "no CSL-JSON array (\"[\") in the file"));
    }

    const ReadOutcome &failure() const { return m_failure; }

private:
    bool fill()
    {
        if (m_at < m_block.size())
            return true;
        m_block = m_input.read(1 << 16);
        m_at = 0;
        if (m_first && m_block.startsWith("\xEF\xBB\xBF"))
            m_at = 3;
        m_first = false;
        return m_at < m_block.size();
    }

    // From its "{" to the "}" that closes it; to the end of the file when none does, for the
    // JSON reader to say what is wrong.
    Next readObject(QByteArray *object)
    {
        const qint64 line = m_line;
        int depth = 0;
        bool inString = false, escaped = false;
        while (fill()) {
            const qsizetype from = m_at;
            for (; m_at < m_block.size(); ++m_at) {
                const char c = m_block[m_at];
                if (c == '\n')
                    ++m_line;
                if (escaped) {
                    escaped = false;
                } else if (inString) {
                    escaped = c == '\\';
                    inString = c != '"';
                } else if (c == '"') {
                    inString = true;
                } else if (c == '{' || c == '[') {
                    ++depth;
                } else if ((c == '}' || c == ']') && --depth == 0) {
                    *object += QByteArrayView(m_block).sliced(from, ++m_at - from);
                    return Next::Object;
                }
            }
            *object += QByteArrayView(m_block).sliced(from);
            if (object->size() > MaxEntryBytes)
                return fail(
                    QCoreApplication::translate("Citation", "an object of more than %1 bytes: it has no end")
                        .arg(MaxEntryBytes),
                    line);
        }
        return Next::Object;
    }

    Next fail(const QString &why, qint64 line = 0)
    {
        m_failure = {why, line ? line : m_line};
        return Next::Failed;
    }

    QIODevice &m_input;
    QByteArray m_block;
    qsizetype m_at = 0;
    qint64 m_line = 1;
    bool m_first = true, m_inArray = false, m_sawArray = false;
    ReadOutcome m_failure;
};

} // namespace

ReadOutcome readCslJson(QIODevice &input, const ReferenceSink &sink)
{
    ObjectSplitter objects(input);
    QByteArray object;
    qint64 line = 0;
    ObjectSplitter::Next next;
    while ((next = objects.next(&object, &line)) == ObjectSplitter::Next::Object) {
        QStringList problems;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8(object);
        if (utf8.hasError()) {
            problems << QCoreApplication::translate("Citation", "not valid UTF-8, stored as '?'");
            object = decoded.toUtf8();
        }
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(object, &error);
        Reference r;
        if (error.error != QJsonParseError::NoError) {
            r.line = line;
            r.failure = QCoreApplication::translate("Citation", "not JSON: %1 at byte %2 of the object")
                            .arg(error.errorString())
                            .arg(error.offset);
        } else {
            r = referenceOf(line, document.object());
            r.problems = problems;
        }
        sink(r);
    }
    return next == ObjectSplitter::Next::Failed ? objects.failure() : ReadOutcome();
}

} // namespace velmora::citation
