// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "greekfailure.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace velmora {

namespace {

QString notRegularReason(FileKind kind)
{
    QString name;
    switch (kind) {
    case FileKind::Fifo:
        name = QStringLiteral("επώνυμη σωλήνωση (FIFO)");
        break;
    case FileKind::Socket:
        name = QStringLiteral("υποδοχή επικοινωνίας (socket)");
        break;
    case FileKind::CharDevice:
        name = QStringLiteral("συσκευή χαρακτήρων");
        break;
    case FileKind::BlockDevice:
        name = QStringLiteral("συσκευή μπλοκ");
        break;
    default:
        return QStringLiteral("Δεν είναι κανονικό αρχείο.");
    }
    return QStringLiteral("Δεν είναι κανονικό αρχείο αλλά %1.").arg(name);
}

QString readOnlyReason(int error)
{
    if (error == 0)
        return QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση.");
    const QString why = error == EROFS ? QStringLiteral("το μέσο αποθήκευσης δεν δέχεται εγγραφές")
                                       : QStringLiteral("δεν επιτρέπεται η εγγραφή σε αυτό");
    return QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση: %1.").arg(why);
}

// What went wrong, without the job it stopped.
QString reason(const Failure &f)
{
    switch (f.fault) {
    case Fault::System:
        return greekSystemReason(f.error);
    case Fault::NotRegular:
        return notRegularReason(f.kind);
    case Fault::Link:
        return QStringLiteral("Στη θέση του «%1» υπάρχει συμβολικός σύνδεσμος· το πρόγραμμα δεν γράφει "
                              "μέσα από συνδέσμους.")
            .arg(f.path);
    case Fault::NotOwn:
        return QStringLiteral("Το «%1» ανήκει σε άλλον χρήστη· το πρόγραμμα δεν γράφει σε αυτό.").arg(f.path);
    case Fault::SharedFolder:
        return QStringLiteral("Το «%1» είναι σύνδεσμος ή αρχείο άλλου χρήστη σε φάκελο όπου γράφουν και "
                              "άλλοι· το πρόγραμμα δεν το ακολουθεί.")
            .arg(f.path);
    case Fault::OthersCanWrite:
        return QStringLiteral("Στον φάκελο «%1» μπορούν να γράψουν και άλλοι χρήστες· το πρόγραμμα δεν "
                              "βάζει εκεί αρχεία του.")
            .arg(f.path);
    case Fault::TooManyLinks:
        return QStringLiteral("Το «%1» έχει και άλλο όνομα (σκληρό σύνδεσμο)· το πρόγραμμα δεν γράφει σε "
                              "αυτό.")
            .arg(f.path);
    case Fault::Removed:
        return QStringLiteral("Το αρχείο διαγράφηκε ή μετακινήθηκε από τότε που ανοίχτηκε.");
    case Fault::Replaced:
        return QStringLiteral("Στη θέση του βρίσκεται πλέον άλλο αρχείο.");
    case Fault::TooLong:
        return QStringLiteral(
            "Το αρχείο είναι μεγαλύτερο από 2.147.483.647 bytes, το όριο του προγράμματος.");
    case Fault::ReadOnly:
        return readOnlyReason(f.error);
    case Fault::Locked:
        return QStringLiteral("Το αρχείο καρτελλών διορθώνεται ήδη από άλλο πρόγραμμα ή άλλον χρήστη. "
                              "Μπορείτε να το διαβάζετε, αλλά όχι να το διορθώνετε ταυτόχρονα.");
    case Fault::CannotLock:
        return QStringLiteral("Το σύστημα αρχείων όπου βρίσκεται το αρχείο καρτελλών δεν μπορεί να το "
                              "κλειδώσει, και χωρίς κλείδωμα δύο προγράμματα θα μπορούσαν να το διορθώνουν "
                              "μαζί.");
    case Fault::IsInput:
        return QStringLiteral("Είναι το ίδιο το αρχείο που διαβάζεται.");
    case Fault::Changed:
        return QStringLiteral(
                   "Το αρχείο καρτελλών άλλαξε μετά από την καταχώριση του ημερολογίου «%1» (ίσως "
                   "αντιγράφηκε πάνω του ένα αντίγραφο ασφαλείας), και το ημερολόγιο δεν γράφει πια "
                   "σε αυτό. Αν το αρχείο είναι όπως το θέλετε, διαγράψτε το ημερολόγιο.")
            .arg(f.path);
    }
    return greekSystemReason(f.error);
}

// Each place a job was tried in, with why it failed there.
QString places(const Failure &f)
{
    QStringList lines{QStringLiteral("Στον φάκελο «%1»: %2").arg(f.place, reason(f))};
    for (const Failure &other : f.also)
        lines << QStringLiteral("Στον φάκελο «%1»: %2").arg(other.place, reason(other));
    return lines.join(QLatin1Char('\n'));
}

QString mayBeTorn(const Failure &f)
{
    return f.cardMayBeTorn ? QStringLiteral(" Η καρτέλλα ίσως έμεινε μισογραμμένη στο αρχείο.") : QString();
}

} // namespace

QString greekText(const Failure &f)
{
    switch (f.stage) {
    case Stage::None:
        return reason(f);
    case Stage::Backup:
        return QStringLiteral("Δεν έγινε αντίγραφο ασφαλείας του αρχείου καρτελλών, γι' αυτό δεν γράφτηκε "
                              "τίποτα.\n") +
               places(f);
    case Stage::Journal:
        return QStringLiteral("Δεν γράφτηκε το ημερολόγιο που προστατεύει την καρτέλλα, γι' αυτό δεν "
                              "γράφτηκε τίποτα.\n") +
               places(f);
    case Stage::Card:
        return reason(f) + mayBeTorn(f);
    case Stage::JournalRemoval:
        return QStringLiteral("Δεν διαγράφηκε το ημερολόγιο «%1»: %2").arg(f.path, reason(f)) + mayBeTorn(f);
    case Stage::Undo:
        return QStringLiteral("Μια καταχώριση καρτέλλας που διακόπηκε δεν αναιρέθηκε: %1").arg(reason(f));
    }
    return reason(f);
}

QString greekClause(const Failure &failure)
{
    QString text = greekText(failure);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QString greekSystemReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("Το αρχείο ή ο φάκελος δεν υπάρχει.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Δεν επιτρέπεται η πρόσβαση στο αρχείο.");
    case EISDIR:
        return QStringLiteral("Πρόκειται για φάκελο, όχι για αρχείο.");
    case ENOTDIR:
        return QStringLiteral("Μέρος της διαδρομής δεν είναι φάκελος.");
    case EROFS:
        return QStringLiteral("Το μέσο αποθήκευσης είναι μόνο για ανάγνωση.");
    case ENOSPC:
        return QStringLiteral("Δεν υπάρχει ελεύθερος χώρος στο μέσο αποθήκευσης.");
    case EDQUOT:
        return QStringLiteral("Εξαντλήθηκε το όριο χώρου του χρήστη.");
    case EIO:
        return QStringLiteral("Σφάλμα εισόδου/εξόδου κατά την ανάγνωση ή την εγγραφή.");
    case EFBIG:
        return QStringLiteral(
            "Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.");
    case EBADF:
        return QStringLiteral("Το αρχείο είναι ανοιχτό μόνο για ανάγνωση.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Υπάρχουν ήδη πάρα πολλά ανοιχτά αρχεία.");
    case ENAMETOOLONG:
        return QStringLiteral("Το όνομα του αρχείου είναι πολύ μεγάλο.");
    case ELOOP:
        return QStringLiteral("Υπάρχουν πάρα πολλοί συμβολικοί σύνδεσμοι στη διαδρομή.");
    case ETXTBSY:
        return QStringLiteral("Το αρχείο χρησιμοποιείται από άλλο πρόγραμμα.");
    case ESTALE:
        return QStringLiteral("Το αρχείο δεν υπάρχει πια στον υπολογιστή δικτύου που το έχει.");
    case ENOLCK:
        return QStringLiteral("Το σύστημα δεν μπορεί να κλειδώσει άλλα αρχεία.");
    default:
        return QStringLiteral("Σφάλμα συστήματος %1 (%2).")
            .arg(errorNumber)
            .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

QString cardFileErrorText(const Failure &failure)
{
    return QStringLiteral("Το αρχείο καρτελλών «%1» δεν μπορεί να χρησιμοποιηθεί.\n%2")
        .arg(failure.path, greekText(failure));
}

} // namespace velmora
