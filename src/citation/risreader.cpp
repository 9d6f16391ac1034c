// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "risreader.h"

#include "linereader.h"

#include <QCoreApplication>

#include <QHash>
#include <QList>

namespace velmora::citation {

namespace {

struct Tag
{
    QByteArray name;
    QString value;
};

bool isTagLine(const QByteArray &line)
{
    const auto upperOrDigit = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); };
    return line.size() >= 5 && line[0] >= 'A' && line[0] <= 'Z' && upperOrDigit(line[1]) &&
           line.mid(2, 3) == "  -" && (line.size() == 5 || line[5] == ' ');
}

ReferenceKind kindOf(const QString &type)
{
    static const QStringList articles = {QStringLiteral("JOUR"), QStringLiteral("EJOUR"),
                                         QStringLiteral("MGZN"), QStringLiteral("NEWS"),
                                         QStringLiteral("ABST"), QStringLiteral("INPR")};
    static const QStringList parts = {QStringLiteral("CHAP"),  QStringLiteral("ECHAP"),
                                      QStringLiteral("CONF"),  QStringLiteral("CPAPER"),
                                      QStringLiteral("ENCYC"), QStringLiteral("DICT")};
    if (articles.contains(type))
        return ReferenceKind::Article;
    if (parts.contains(type))
        return ReferenceKind::Part;
    return ReferenceKind::Book;
}

// The record read into a reference: what a card holds taken by its tag, every other tag
// named as not kept.
Reference referenceOf(qint64 line, const QList<Tag> &tags)
{
    Reference r;
    r.line = line;
    QHash<QByteArray, QString> first; // of the tags that take one value
    QStringList titles;               // T2, JO, JF ...: the journal or the book, by preference
    QString startPage, endPage, issue, secondTitle;
    for (const Tag &t : tags) {
        const QByteArray &n = t.name;
        const QString &v = t.value;
        if (v.isEmpty() || n == "ER")
            continue;
        if (n == "AU" || n == "A1")
            r.book.authors << personInverted(v);
        else if (n == "A2" || n == "ED" || n == "A3")
            r.book.editors << personInverted(v);
        else if (n == "A4")
            r.book.translators << personInverted(v);
        else if (n == "N1")
            r.book.notes << v;
        else if (n == "JF" || n == "JO" || n == "BT" || n == "T2" || n == "J2" || n == "JA") {
            if (n == "T2")
                secondTitle = v;
            titles << v;
        } else if (first.contains(n))
            r.notKept << QString::fromLatin1(n) + QCoreApplication::translate("Citation", " (a second)");
        else
            first.insert(n, v);
    }
    const auto take = [&first](const char *name) { return first.take(name); };
    r.name = take("ID");
    r.kind = kindOf(take("TY"));
    r.book.title = take("TI");
    for (const char *alias : {"T1", "CT"})
        if (const QString t = take(alias); r.book.title.isEmpty())
            r.book.title = t;
    // A book's T2 is its series; BT its own title.
    if (r.kind == ReferenceKind::Book) {
        titles.removeOne(secondTitle);
        r.series = secondTitle;
        if (r.book.title.isEmpty() && !titles.isEmpty())
            r.book.title = titles.takeFirst();
    }
    if (!titles.isEmpty())
        r.container = titles.first();
    QString year;
    for (const char *date : {"PY", "Y1", "DA"})
        if (const QString y = yearIn(take(date)); year.isEmpty())
            year = y;
    r.book.year = year;
    r.book.publisher = take("PB");
    r.book.place = take("CY");
    r.book.volumes = take("NV");
    r.edition = take("ET");
    if (const QString series = take("T3"); !series.isEmpty())
        r.series = series;
    startPage = take("SP");
    endPage = take("EP");
    r.book.pages = endPage.isEmpty() ? startPage : startPage + QLatin1Char('-') + endPage;
    const QString volume = take("VL");
    if (r.kind == ReferenceKind::Article) {
        issue = take("IS");
        r.containerVolume = issue.isEmpty() ? volume : volume + QLatin1Char('(') + issue + QLatin1Char(')');
    } else {
        r.volume = volume;
    }
    // An article's SN is its journal's ISSN, which a card has no place for.
    if (r.kind != ReferenceKind::Article)
        r.book.isbn = take("SN");
    r.book.language = take("LA");
    for (auto i = first.cbegin(); i != first.cend(); ++i)
        r.notKept << QString::fromLatin1(i.key());
    r.notKept.sort();
    return r;
}

} // namespace

ReadOutcome readRis(QIODevice &input, const ReferenceSink &sink)
{
    LineReader lines(input, MaxLineBytes);
    QList<Tag> tags;
    qint64 recordLine = 0, recordBytes = 0, strayLine = 0;
    bool anyRecord = false;
    QStringList problems;
    const auto endRecord = [&](const QString &missingEnd) {
        Reference r = referenceOf(recordLine, tags);
        r.problems = problems;
        if (!missingEnd.isEmpty())
            r.problems << missingEnd;
        sink(r);
        tags.clear();
        problems.clear();
        recordLine = 0;
        recordBytes = 0;
    };
    const auto endStray = [&] {
        if (strayLine == 0)
            return;
        Reference r;
        r.line = strayLine;
        r.failure = QCoreApplication::translate("Citation",
                                                "text outside a record (\"TY  - \" to \"ER  - \"), left out");
        sink(r);
        strayLine = 0;
    };

    QByteArray line;
    while (lines.next(&line)) {
        const bool tagged = isTagLine(line);
        const QByteArray name = tagged ? line.left(2) : QByteArray();
        if (recordLine == 0) {
            if (name == "TY") {
                endStray();
                recordLine = lines.lineNumber();
                anyRecord = true;
            } else {
                if (strayLine == 0 && !line.trimmed().isEmpty())
                    strayLine = lines.lineNumber();
                continue;
            }
        } else if (name == "TY") {
            endRecord(QCoreApplication::translate("Citation", "no \"ER  - \" before the next record"));
            recordLine = lines.lineNumber();
        }
        recordBytes += line.size();
        if (recordBytes > MaxEntryBytes)
            return {QCoreApplication::translate("Citation", "a record of more than %1 bytes: it has no end")
                        .arg(MaxEntryBytes),
                    recordLine};
        const QString what =
            tagged ? QString::fromLatin1(name) : QCoreApplication::translate("Citation", "a line continued");
        const QString value = decodedUtf8(tagged ? line.mid(6) : line, what, &problems).trimmed();
        if (tagged)
            tags << Tag{name, value};
        else if (!tags.isEmpty() && !value.isEmpty())
            tags.last().value += (tags.last().value.isEmpty() ? QString() : QStringLiteral(" ")) + value;
        if (name == "ER")
            endRecord({});
    }
    if (lines.tooLong())
        return {QCoreApplication::translate("Citation", "a line of more than %1 bytes: it has no end")
                    .arg(MaxLineBytes),
                lines.lineNumber()};
    if (recordLine != 0)
        endRecord(QCoreApplication::translate("Citation", "no \"ER  - \" at the end of the file"));
    if (!anyRecord && strayLine != 0)
        return {QCoreApplication::translate("Citation", "no RIS record (a line \"TY  - \") in the file"),
                strayLine};
    endStray();
    return {};
}

} // namespace velmora::citation
