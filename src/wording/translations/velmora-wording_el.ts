<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el">
<context>
    <name>Failure</name>
    <message>
        <source>The file or folder does not exist.</source>
        <translation>Το αρχείο ή ο φάκελος δεν υπάρχει.</translation>
    </message>
    <message>
        <source>Access to the file is not permitted.</source>
        <translation>Δεν επιτρέπεται η πρόσβαση στο αρχείο.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Πρόκειται για φάκελο, όχι για αρχείο.</translation>
    </message>
    <message>
        <source>Part of the path is not a folder.</source>
        <translation>Μέρος της διαδρομής δεν είναι φάκελος.</translation>
    </message>
    <message>
        <source>The storage medium is read-only.</source>
        <translation>Το μέσο αποθήκευσης είναι μόνο για ανάγνωση.</translation>
    </message>
    <message>
        <source>There is no free space on the storage medium.</source>
        <translation>Δεν υπάρχει ελεύθερος χώρος στο μέσο αποθήκευσης.</translation>
    </message>
    <message>
        <source>The user&apos;s disk space quota is used up.</source>
        <translation>Εξαντλήθηκε το όριο χώρου του χρήστη.</translation>
    </message>
    <message>
        <source>Input/output error while reading or writing.</source>
        <translation>Σφάλμα εισόδου/εξόδου κατά την ανάγνωση ή την εγγραφή.</translation>
    </message>
    <message>
        <source>The file has reached the size limit the system has set for the program.</source>
        <translation>Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.</translation>
    </message>
    <message>
        <source>The file is open for reading only.</source>
        <translation>Το αρχείο είναι ανοιχτό μόνο για ανάγνωση.</translation>
    </message>
    <message>
        <source>There are already too many open files.</source>
        <translation>Υπάρχουν ήδη πάρα πολλά ανοιχτά αρχεία.</translation>
    </message>
    <message>
        <source>The name of the file is too long.</source>
        <translation>Το όνομα του αρχείου είναι πολύ μεγάλο.</translation>
    </message>
    <message>
        <source>There are too many symbolic links in the path.</source>
        <translation>Υπάρχουν πάρα πολλοί συμβολικοί σύνδεσμοι στη διαδρομή.</translation>
    </message>
    <message>
        <source>The file is in use by another program.</source>
        <translation>Το αρχείο χρησιμοποιείται από άλλο πρόγραμμα.</translation>
    </message>
    <message>
        <source>The file no longer exists on the network computer that holds it.</source>
        <translation>Το αρχείο δεν υπάρχει πια στον υπολογιστή δικτύου που το έχει.</translation>
    </message>
    <message>
        <source>The system cannot lock any more files.</source>
        <translation>Το σύστημα δεν μπορεί να κλειδώσει άλλα αρχεία.</translation>
    </message>
    <message>
        <source>System error %1 (%2).</source>
        <translation>Σφάλμα συστήματος %1 (%2).</translation>
    </message>
    <message>
        <source>It is not a regular file but a FIFO (a named pipe).</source>
        <translation>Δεν είναι κανονικό αρχείο αλλά επώνυμη σωλήνωση (FIFO).</translation>
    </message>
    <message>
        <source>It is not a regular file but a socket.</source>
        <translation>Δεν είναι κανονικό αρχείο αλλά υποδοχή επικοινωνίας (socket).</translation>
    </message>
    <message>
        <source>It is not a regular file but a character device.</source>
        <translation>Δεν είναι κανονικό αρχείο αλλά συσκευή χαρακτήρων.</translation>
    </message>
    <message>
        <source>It is not a regular file but a block device.</source>
        <translation>Δεν είναι κανονικό αρχείο αλλά συσκευή μπλοκ.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Δεν είναι κανονικό αρχείο.</translation>
    </message>
    <message>
        <source>A symbolic link stands in the place of «%1»; the program does not write through links.</source>
        <translation>Στη θέση του «%1» υπάρχει συμβολικός σύνδεσμος· το πρόγραμμα δεν γράφει μέσα από συνδέσμους.</translation>
    </message>
    <message>
        <source>«%1» belongs to another user; the program does not write to it.</source>
        <translation>Το «%1» ανήκει σε άλλον χρήστη· το πρόγραμμα δεν γράφει σε αυτό.</translation>
    </message>
    <message>
        <source>«%1» belongs to %2, who may not write the card file; the program leaves it alone.</source>
        <translation>Το «%1» ανήκει στον χρήστη «%2», που δεν μπορεί να γράψει στο αρχείο καρτελλών· το πρόγραμμα το αφήνει όπως είναι.</translation>
    </message>
    <message>
        <source>«%1» is the journal of a filing by %2 that is over; in this folder only %2 may remove it, so it was emptied and can undo nothing any more.</source>
        <translation>Το «%1» είναι το ημερολόγιο μιας καταχώρισης του χρήστη «%2» που έχει τελειώσει· σε αυτόν τον φάκελο μόνο ο χρήστης «%2» μπορεί να το διαγράψει, γι&apos; αυτό αδειάστηκε και δεν μπορεί πια να αναιρέσει τίποτα.</translation>
    </message>
    <message>
        <source>«%1» is a link or a file of another user in a folder others can write into too; the program does not follow it.</source>
        <translation>Το «%1» είναι σύνδεσμος ή αρχείο άλλου χρήστη σε φάκελο όπου γράφουν και άλλοι· το πρόγραμμα δεν το ακολουθεί.</translation>
    </message>
    <message>
        <source>Other users can write into the folder «%1» too; the program does not put files of its own there.</source>
        <translation>Στον φάκελο «%1» μπορούν να γράψουν και άλλοι χρήστες· το πρόγραμμα δεν βάζει εκεί αρχεία του.</translation>
    </message>
    <message>
        <source>«%1» has another name too (a hard link); the program does not write to it.</source>
        <translation>Το «%1» έχει και άλλο όνομα (σκληρό σύνδεσμο)· το πρόγραμμα δεν γράφει σε αυτό.</translation>
    </message>
    <message>
        <source>The file was removed or moved since it was opened.</source>
        <translation>Το αρχείο διαγράφηκε ή μετακινήθηκε από τότε που ανοίχτηκε.</translation>
    </message>
    <message>
        <source>Another file now stands in its place.</source>
        <translation>Στη θέση του βρίσκεται πλέον άλλο αρχείο.</translation>
    </message>
    <message>
        <source>The file is %1 bytes, larger than 2,147,483,647 bytes, the program&apos;s limit.</source>
        <translation>Το αρχείο έχει %1 bytes, περισσότερα από 2.147.483.647 bytes, το όριο του προγράμματος.</translation>
    </message>
    <message>
        <source>The file is larger than 2,147,483,647 bytes, the program&apos;s limit.</source>
        <translation>Το αρχείο είναι μεγαλύτερο από 2.147.483.647 bytes, το όριο του προγράμματος.</translation>
    </message>
    <message>
        <source>The file was opened for reading only.</source>
        <translation>Το αρχείο ανοίχτηκε μόνο για ανάγνωση.</translation>
    </message>
    <message>
        <source>The file was opened for reading only: the storage medium does not accept writing.</source>
        <translation>Το αρχείο ανοίχτηκε μόνο για ανάγνωση: το μέσο αποθήκευσης δεν δέχεται εγγραφές.</translation>
    </message>
    <message>
        <source>The file was opened for reading only: writing to it is not permitted.</source>
        <translation>Το αρχείο ανοίχτηκε μόνο για ανάγνωση: δεν επιτρέπεται η εγγραφή σε αυτό.</translation>
    </message>
    <message>
        <source>The card file is being edited already by another program or another user. You can read it, but not edit it at the same time.</source>
        <translation>Το αρχείο καρτελλών διορθώνεται ήδη από άλλο πρόγραμμα ή άλλον χρήστη. Μπορείτε να το διαβάζετε, αλλά όχι να το διορθώνετε ταυτόχρονα.</translation>
    </message>
    <message>
        <source>The file system the card file is on cannot lock it, and without a lock two programs could edit it together.</source>
        <translation>Το σύστημα αρχείων όπου βρίσκεται το αρχείο καρτελλών δεν μπορεί να το κλειδώσει, και χωρίς κλείδωμα δύο προγράμματα θα μπορούσαν να το διορθώνουν μαζί.</translation>
    </message>
    <message>
        <source>It is the very file being read.</source>
        <translation>Είναι το ίδιο το αρχείο που διαβάζεται.</translation>
    </message>
    <message>
        <source>The card file changed after the journal «%1» was recorded (perhaps a backup copy was copied over it), and the journal no longer applies to it. If the file is as you want it, delete the journal.</source>
        <translation>Το αρχείο καρτελλών άλλαξε μετά από την καταχώριση του ημερολογίου «%1» (ίσως αντιγράφηκε πάνω του ένα αντίγραφο ασφαλείας), και το ημερολόγιο δεν γράφει πια σε αυτό. Αν το αρχείο είναι όπως το θέλετε, διαγράψτε το ημερολόγιο.</translation>
    </message>
    <message>
        <source>«%1» stands where the card file&apos;s journal is kept, but this version of the program cannot read it. If it is the journal of another version of the program, edit the card file with that version, which finishes the filing; otherwise delete «%1» once the card file is as it should be.</source>
        <translation>Το «%1» βρίσκεται εκεί όπου φυλάγεται το ημερολόγιο του αρχείου καρτελλών, αλλά αυτή η έκδοση του προγράμματος δεν μπορεί να το διαβάσει. Αν είναι ημερολόγιο άλλης έκδοσης του προγράμματος, διορθώστε το αρχείο καρτελλών με εκείνη την έκδοση, που ολοκληρώνει την καταχώριση· αλλιώς διαγράψτε το «%1», όταν το αρχείο καρτελλών είναι όπως πρέπει.</translation>
    </message>
    <message>
        <source>The file became shorter while it was being read.</source>
        <translation>Το αρχείο μίκρυνε όσο διαβαζόταν.</translation>
    </message>
    <message>
        <source>The program&apos;s standard input, output or error is closed; the program opens no file in its place.</source>
        <translation>Η τυπική είσοδος, έξοδος ή έξοδος σφαλμάτων του προγράμματος είναι κλειστή· το πρόγραμμα δεν ανοίγει αρχείο στη θέση της.</translation>
    </message>
    <message>
        <source>Its owner may not write the card file.</source>
        <translation>Ο κάτοχός του δεν επιτρέπεται να γράφει στο αρχείο καρτελλών.</translation>
    </message>
    <message>
        <source>Users who may not write the card file can open it too.</source>
        <translation>Μπορούν να το ανοίξουν και χρήστες που δεν επιτρέπεται να γράφουν στο αρχείο καρτελλών.</translation>
    </message>
    <message>
        <source>No backup copy of the card file was made, so nothing was written.
%1</source>
        <translation>Δεν έγινε αντίγραφο ασφαλείας του αρχείου καρτελλών, γι&apos; αυτό δεν γράφτηκε τίποτα.
%1</translation>
    </message>
    <message>
        <source>The journal that protects the card was not written, so nothing was written.
%1</source>
        <translation>Δεν γράφτηκε το ημερολόγιο που προστατεύει την καρτέλλα, γι&apos; αυτό δεν γράφτηκε τίποτα.
%1</translation>
    </message>
    <message>
        <source>The journal «%1» was not removed: %2</source>
        <translation>Δεν διαγράφηκε το ημερολόγιο «%1»: %2</translation>
    </message>
    <message>
        <source>An interrupted filing of a card was not undone: %1</source>
        <translation>Μια καταχώριση καρτέλλας που διακόπηκε δεν αναιρέθηκε: %1</translation>
    </message>
    <message>
        <source>The lock file «%1» of the user «%2» was not used: %3 The card file itself is locked instead, as earlier versions did, and a reader&apos;s lock of it keeps its keepers out.</source>
        <translation>Το αρχείο κλειδώματος «%1» του χρήστη «%2» δεν χρησιμοποιήθηκε: %3 Κλειδώνεται αντί γι&apos; αυτό το ίδιο το αρχείο καρτελλών, όπως στις προηγούμενες εκδόσεις, και ένας αναγνώστης που το κλειδώνει κρατά έξω όσους το διορθώνουν.</translation>
    </message>
    <message>
        <source>The lock file «%1» was not used: %2 The card file itself is locked instead, as earlier versions did, and a reader&apos;s lock of it keeps its keepers out.</source>
        <translation>Το αρχείο κλειδώματος «%1» δεν χρησιμοποιήθηκε: %2 Κλειδώνεται αντί γι&apos; αυτό το ίδιο το αρχείο καρτελλών, όπως στις προηγούμενες εκδόσεις, και ένας αναγνώστης που το κλειδώνει κρατά έξω όσους το διορθώνουν.</translation>
    </message>
    <message>
        <source>In the folder «%1»: %2</source>
        <translation>Στον φάκελο «%1»: %2</translation>
    </message>
    <message>
        <source>The card may have been left half written in the file.</source>
        <translation>Η καρτέλλα ίσως έμεινε μισογραμμένη στο αρχείο.</translation>
    </message>
    <message>
        <source>The card file «%1» cannot be used.
%2</source>
        <translation>Το αρχείο καρτελλών «%1» δεν μπορεί να χρησιμοποιηθεί.
%2</translation>
    </message>
</context>
</TS>
