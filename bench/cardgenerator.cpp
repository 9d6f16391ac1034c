// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardgenerator.h"

#include "cardrecord.h"
#include "cp1253.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velmora::bench {

namespace {

// xorshift64*: small, fast and the same on every machine.
class Random
{
public:
    quint64 next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    int below(int n) { return int((next() >> 33) % quint64(n)); }
    bool oneIn(int n) { return below(n) == 0; }

private:
    quint64 m_state = 0x9E3779B97F4A7C15ULL;
};

QList<QByteArray> encoded(std::initializer_list<const char16_t *> words)
{
    QList<QByteArray> out;
    for (const char16_t *w : words)
        out << cp1253::encode(QStringView(w));
    return out;
}

struct Vocabulary
{
    QList<QByteArray> titleWords = encoded({
        u"ΙΣΤΟΡΙΑ",    u"ΤΟΥ",         u"ΤΗΣ",          u"ΤΩΝ",        u"ΚΑΙ",
        u"Η",          u"ΟΙ",          u"ΤΑ",           u"ΣΤΗΝ",       u"ΑΠΟ",
        u"ΕΛΛΗΝΙΚΟΥ",  u"ΕΘΝΟΥΣ",      u"ΑΡΧΑΙΑ",       u"ΑΡΧΑΙΩΝ",    u"ΜΑΚΕΔΟΝΙΑ",
        u"ΒΥΖΑΝΤΙΟ",   u"ΒΥΖΑΝΤΙΝΗ",   u"ΑΡΧΑΙΟΛΟΓΙΑ",  u"ΚΡΗΤΗ",      u"ΜΥΚΗΝΕΣ",
        u"ΑΘΗΝΑ",      u"ΣΠΑΡΤΗ",      u"ΠΕΛΟΠΟΝΝΗΣΟΣ", u"ΕΠΟΧΗ",      u"ΝΟΜΙΣΜΑΤΑ",
        u"ΕΠΙΓΡΑΦΕΣ",  u"ΑΓΓΕΙΑ",      u"ΓΛΥΠΤΙΚΗ",     u"ΤΕΧΝΗ",      u"ΑΝΑΣΚΑΦΕΣ",
        u"ΟΘΩΜΑΝΙΚΗ",  u"ΠΕΡΙΟΔΟΣ",    u"ΕΠΑΝΑΣΤΑΣΗ",   u"ΝΕΟΤΕΡΗ",    u"ΚΥΚΛΑΔΕΣ",
        u"ΔΩΔΕΚΑΝΗΣΑ", u"ΘΡΑΚΗ",       u"ΗΠΕΙΡΟΣ",      u"ΝΑΟΙ",       u"ΤΕΙΧΗ",
        u"ΜΟΝΑΣΤΗΡΙΑ", u"ΕΙΚΟΝΕΣ",     u"ΧΕΙΡΟΓΡΑΦΑ",   u"ΟΔΗΓΟΣ",     u"ΜΟΥΣΕΙΟΥ",
        u"ΣΥΜΒΟΛΗ",    u"ΜΕΛΕΤΗ",      u"ΑΙΩΝΑ",        u"ΤΟΠΟΓΡΑΦΙΑ", u"ΝΕΚΡΟΠΟΛΗ",
        u"ΑΚΡΟΠΟΛΗ",   u"ΔΕΛΦΟΙ",      u"ΟΛΥΜΠΙΑ",      u"ΡΩΜΑΙΚΗ",    u"Ιστορία",
        u"της",        u"αρχαίας",     u"Ελλάδος",      u"μελέτες",    u"για",
        u"τους",       u"Βυζαντινούς", u"πόλεις",       u"και",        u"νησιά",
        u"Αιγαίου",    u"1821",        u"Α'",           u"Β'",         u"ΤΟΜΟΣ",
        u"-",          u":",
    });
    QList<QByteArray> surnames = encoded({
        u"ΠΑΠΑΔΟΠΟΥΛΟΣ", u"ΠΑΠΑΓΕΩΡΓΙΟΥ",   u"ΚΑΡΑΓΙΑΝΝΗΣ",   u"ΒΑΣΙΛΕΙΟΥ",  u"ΝΙΚΟΛΑΟΥ",   u"ΓΕΩΡΓΙΑΔΗΣ",
        u"ΔΗΜΗΤΡΙΟΥ",    u"ΚΩΝΣΤΑΝΤΙΝΙΔΗΣ", u"ΑΛΕΞΙΟΥ",       u"ΜΑΥΡΟΜΑΤΗΣ", u"ΣΤΕΦΑΝΙΔΗΣ", u"ΧΑΤΖΗΔΑΚΗΣ",
        u"ΑΝΔΡΕΟΥ",      u"ΛΑΜΠΡΟΥ",        u"ΜΙΧΑΗΛΙΔΗΣ",    u"ΘΕΟΔΩΡΟΥ",   u"ΙΩΑΝΝΟΥ",    u"ΚΥΡΙΑΚΟΥ",
        u"ΣΠΥΡΟΠΟΥΛΟΣ",  u"ΤΣΟΥΝΤΑΣ",       u"Παπαναστασίου", u"Ζαχαρίου",
    });
    QList<QByteArray> initials =
        encoded({u"Α.", u"Β.", u"Γ.", u"Δ.", u"Ε.", u"Ι.", u"Κ.", u"Μ.", u"Ν.", u"Σ."});
    QList<QByteArray> roles = encoded({u"ΜΕΤΦΡ. ", u"ΕΠΙΜ. ", u"ΠΡΟΛ. ", u"ΕΙΚΟΝ. "});
    QList<QByteArray> cities =
        encoded({u"ΑΘΗΝΑ", u"ΘΕΣΣΑΛΟΝΙΚΗ", u"ΗΡΑΚΛΕΙΟ", u"ΙΩΑΝΝΙΝΑ", u"ΠΑΤΡΑ", u"Αθήνα"});
    QList<QByteArray> publishers = encoded({u"ΕΚΔΟΤΙΚΗ ΑΘΗΝΩΝ", u"ΚΑΡΔΑΜΙΤΣΑ", u"ΠΑΠΑΖΗΣΗ", u"ΜΙΕΤ",
                                            u"ΓΚΟΒΟΣΤΗ", u"ΕΣΤΙΑ", u"ΚΕΔΡΟΣ", u"ΤΑΠ", u"ΙΚΑΡΟΣ"});
    QByteArray titleMarker = cp1253::encode(planted::TitleMarker);
    QByteArray isbnMarker = cp1253::encode(planted::IsbnMarker);
    QByteArray pages = cp1253::encode(u"σ. ");
    QByteArray figures = cp1253::encode(u", εικ.");
};

// Builds one field's text word by word, stopping before the word that would not fit.
class FieldWriter
{
public:
    FieldWriter(char *record, Field field)
        : m_at(record + layoutOf(field).offset), m_width(layoutOf(field).width)
    {
    }
    bool fits(qsizetype bytes) const { return m_used + bytes <= m_width; }
    void put(const QByteArray &text) { put(text.constData(), text.size()); }
    void put(const char *text, qsizetype bytes)
    {
        const qsizetype n = std::min(bytes, m_width - m_used);
        std::memcpy(m_at + m_used, text, size_t(n));
        m_used += n;
    }
    void word(const QByteArray &text)
    {
        const qsizetype gap = m_used > 0 ? 1 : 0;
        if (!fits(gap + text.size()))
            return;
        if (gap)
            put(" ", 1);
        put(text);
    }
    void number(qint64 n) { put(QByteArray::number(n)); }

private:
    char *m_at;
    qsizetype m_width;
    qsizetype m_used = 0;
};

const QByteArray &pick(Random &random, const QList<QByteArray> &list)
{
    return list.at(random.below(int(list.size())));
}

void makeCard(Random &random, const Vocabulary &v, char *record, GeneratedFile &stats)
{
    std::memset(record, ' ', RecordLength);
    if (random.oneIn(1000)) { // a deleted card
        for (Field f : AllFields)
            std::memcpy(record + layoutOf(f).offset, "~~~", 3);
        return;
    }

    FieldWriter isbn(record, Field::Isbn);
    if (random.oneIn(100000)) {
        isbn.put(v.isbnMarker);
        ++stats.isbnMarkers;
    } else {
        const bool thirteen = random.oneIn(3);
        isbn.put(thirteen ? "978-960-" : "960-", thirteen ? 8 : 4);
    }
    if (!random.oneIn(500)) { // else a new card that kept its preset ISBN
        isbn.number(10 + random.below(9990));
        isbn.put("-", 1);
        isbn.number(100 + random.below(900));
        isbn.put("-", 1);
        isbn.number(random.below(10));
    }

    FieldWriter author(record, Field::Author);
    author.word(pick(random, v.surnames));
    author.word(pick(random, v.initials));

    // A marked title has at most three words before the marker, so the marker always fits.
    FieldWriter title(record, Field::Title);
    const bool marked = random.oneIn(100);
    const int words = 2 + random.below(9);
    const int markerAt = marked ? random.below(std::min(words, 4)) : -1;
    for (int i = 0; i < words; ++i) {
        if (i == markerAt)
            title.word(v.titleMarker);
        title.word(pick(random, v.titleWords));
    }
    if (marked)
        ++stats.titleMarkers;

    if (random.oneIn(2)) {
        FieldWriter other(record, Field::OtherName);
        other.put(pick(random, v.roles));
        other.word(pick(random, v.surnames));
    }

    FieldWriter publication(record, Field::Publication);
    publication.put(pick(random, v.cities));
    publication.put(": ", 2);
    publication.put(pick(random, v.publishers));
    publication.put(", ", 2);
    publication.number(1950 + random.below(76));

    FieldWriter notes(record, Field::PagesNotes);
    notes.put(v.pages);
    notes.number(48 + random.below(900));
    if (random.oneIn(3))
        notes.put(v.figures);
}

} // namespace

GeneratedFile writeCardFile(const QString &path, qint64 cards)
{
    const Vocabulary vocabulary;
    Random random;
    GeneratedFile stats;
    stats.cards = cards;

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    constexpr qint64 ChunkCards = 8192;
    QByteArray chunk(ChunkCards * RecordLength, ' ');
    for (qint64 done = 0; done < cards;) {
        const qint64 n = std::min(ChunkCards, cards - done);
        for (qint64 i = 0; i < n; ++i)
            makeCard(random, vocabulary, chunk.data() + i * RecordLength, stats);
        if (file.write(chunk.constData(), n * RecordLength) != n * RecordLength)
            throw std::runtime_error("cannot write " + path.toStdString());
        done += n;
    }
    return stats;
}

} // namespace velmora::bench
