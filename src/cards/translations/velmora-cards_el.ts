<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el">
<context>
    <name>Append</name>
    <message>
        <source>the same ISBN as card %1; </source>
        <translation>το ίδιο ISBN με την καρτέλλα %1· </translation>
    </message>
    <message>
        <source>the same author and title as card %1; </source>
        <translation>ο ίδιος συγγραφέας και τίτλος με την καρτέλλα %1· </translation>
    </message>
    <message>
        <source>left out (--all appends it)</source>
        <translation>παραλείφθηκε (το --all το προσθέτει)</translation>
    </message>
    <message>
        <source>appended all the same, as card %1</source>
        <translation>προστέθηκε παρ&apos; όλα αυτά, ως καρτέλλα %1</translation>
    </message>
    <message>
        <source>%1 entry left out as a book already in the card file</source>
        <translation>παραλείφθηκε %1 λήμμα, ως βιβλίο που υπάρχει ήδη στο αρχείο καρτελλών</translation>
    </message>
    <message>
        <source>%1 entries left out as books already in the card file</source>
        <translation>παραλείφθηκαν %1 λήμματα, ως βιβλία που υπάρχουν ήδη στο αρχείο καρτελλών</translation>
    </message>
    <message>
        <source>the backup could not be made beside the card file and is %1</source>
        <translation>το αντίγραφο ασφαλείας δεν μπόρεσε να γίνει δίπλα στο αρχείο καρτελλών και είναι το %1</translation>
    </message>
    <message>
        <source>the journal that keeps each filing whole is %1, where other keepers of the file would not find it</source>
        <translation>το ημερολόγιο που κρατά ακέραιη κάθε καταχώριση είναι το %1, όπου δεν θα το έβρισκαν όσοι άλλοι διορθώνουν το αρχείο</translation>
    </message>
    <message>
        <source>%1; nothing appended</source>
        <translation>%1· δεν προστέθηκε τίποτα</translation>
    </message>
    <message>
        <source>%1: card %2, whose filing was cut short, is as it was before it</source>
        <translation>%1: η καρτέλλα %2, που η καταχώρισή της διακόπηκε, είναι όπως ήταν πριν από αυτήν</translation>
    </message>
    <message>
        <source>%1: %2 cards after its %3 would make it longer than the %4 bytes a card file holds; nothing appended</source>
        <translation>%1: %2 καρτέλλες μετά τις %3 του θα το έκαναν μεγαλύτερο από τα %4 byte που χωρά ένα αρχείο καρτελλών· δεν προστέθηκε τίποτα</translation>
    </message>
    <message>
        <source>%1: card %2, of %3 bytes, made whole first</source>
        <translation>%1: η καρτέλλα %2, των %3 byte, συμπληρώθηκε πρώτα</translation>
    </message>
    <message>
        <source>stopped at %1: %2 card appended before it stays in %3</source>
        <translation>σταμάτησε στο %1: η %2 καρτέλλα που προστέθηκε πριν από αυτό μένει στο %3</translation>
    </message>
    <message>
        <source>stopped at %1: %2 cards appended before it stay in %3</source>
        <translation>σταμάτησε στο %1: οι %2 καρτέλλες που προστέθηκαν πριν από αυτό μένουν στο %3</translation>
    </message>
    <message>
        <source>%1 card appended to %2</source>
        <translation>προστέθηκε %1 καρτέλλα στο %2</translation>
    </message>
    <message>
        <source>%1 cards appended to %2</source>
        <translation>προστέθηκαν %1 καρτέλλες στο %2</translation>
    </message>
    <message>
        <source>, cards %1 to %2; as it was before: %3</source>
        <translation>, οι καρτέλλες %1 έως %2· όπως ήταν πριν: %3</translation>
    </message>
</context>
<context>
    <name>CardTool</name>
    <message>
        <source>the file&apos;s length and card count, then a partial record at the end, deleted cards, new cards still holding only &quot;960-&quot;, NUL bytes, bytes undefined in Windows-1253 and control bytes, each with its card number and field (positions from 1 within the field); an ISBN-10 or ISBN-13 whose check digit is wrong; cards that look like the same book (the same ISBN, or the same author and title once blanks and accents are set aside), each group once; exit status 3 when anything is found</source>
        <translation>το μήκος του αρχείου και το πλήθος των καρτελλών, έπειτα μια ημιτελή εγγραφή στο τέλος, τις διαγραμμένες καρτέλλες, τις νέες που έχουν ακόμη μόνο «960-», τα byte NUL, τα byte που δεν ορίζονται στα Windows-1253 και τα byte ελέγχου, το καθένα με τον αριθμό της καρτέλλας και το πεδίο του (θέσεις από το 1 μέσα στο πεδίο)· ένα ISBN-10 ή ISBN-13 με λάθος ψηφίο ελέγχου· τις καρτέλλες που μοιάζουν να είναι το ίδιο βιβλίο (το ίδιο ISBN, ή ο ίδιος συγγραφέας και τίτλος αν δεν ληφθούν υπόψη τα κενά και οι τόνοι), κάθε ομάδα μία φορά· κατάσταση εξόδου 3 όταν βρεθεί οτιδήποτε</translation>
    </message>
    <message>
        <source>%1; nothing written</source>
        <translation>%1· δεν γράφτηκε τίποτα</translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation>χρήση: %1</translation>
    </message>
    <message>
        <source>Builds, reads and checks Velmora&apos;s card file (Filis.dat: 195-byte cards in Windows-1253).</source>
        <translation>Φτιάχνει, διαβάζει και ελέγχει το αρχείο καρτελλών του Velmora (Filis.dat: καρτέλλες των 195 byte σε Windows-1253).</translation>
    </message>
    <message>
        <source>commands:</source>
        <translation>εντολές:</translation>
    </message>
    <message>
        <source>FILIS is a card file, CSV a UTF-8 spreadsheet file (- for import&apos;s standard input)
with the header row Isbn,Author,Title,OtherName,Publication,PagesNotes, OUT the file
export writes in FORMAT: csv, ris, bibtex, biblatex or csl-json. Control bytes of a
card (NUL, tab, line breaks) appear in CSV and on screen as their control pictures
(␀ for NUL), which import writes back as the same bytes. What the tool writes to
the terminal shows every other control character as \xHH or \uHHHH: DEL, those that
bytes undefined in Windows-1253 stand for, and any in a file name but a line break.</source>
        <translation>Το FILIS είναι αρχείο καρτελλών, το CSV αρχείο λογιστικού φύλλου σε UTF-8 (- για την
τυπική είσοδο στο import) με γραμμή επικεφαλίδων
Isbn,Author,Title,OtherName,Publication,PagesNotes, το OUT το αρχείο που γράφει το
export σε μορφή FORMAT: csv, ris, bibtex, biblatex ή csl-json. Τα byte ελέγχου μιας
καρτέλλας (NUL, στηλοθέτης, αλλαγές γραμμής) εμφανίζονται στο CSV και στην οθόνη με τα
σύμβολά τους (␀ για το NUL), που το import τα γράφει πίσω ως τα ίδια byte. Ό,τι γράφει
το εργαλείο στο τερματικό δείχνει κάθε άλλο χαρακτήρα ελέγχου ως \xHH ή \uHHHH: το
DEL, όσους αντιστοιχούν σε byte που δεν ορίζονται στα Windows-1253, και όποιον υπάρχει
σε όνομα αρχείου, εκτός από την αλλαγή γραμμής.</translation>
    </message>
    <message>
        <source>%1: %2 needs a value</source>
        <translation>%1: το %2 θέλει τιμή</translation>
    </message>
    <message>
        <source>%1: unknown option %2</source>
        <translation>%1: άγνωστη επιλογή %2</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 έως %2</translation>
    </message>
    <message>
        <source>%1: %2 arguments expected, %3 given</source>
        <translation>%1: αναμένονται %2 ορίσματα, δόθηκαν %3</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>άγνωστη εντολή «%1»</translation>
    </message>
    <message>
        <source>%1 cards written to %2</source>
        <translation>γράφτηκαν %1 καρτέλλες στο %2</translation>
    </message>
    <message>
        <source>every card into UTF-8 CSV (FORMAT csv, the default) with the same header as import, values trimmed of blanks as the program shows them; --raw writes every stored byte untrimmed, with a Bytes column, and import gives back the identical file.
      FORMAT ris, bibtex (classic BibTeX), biblatex or csl-json: every card a book for reference managers and LaTeX, author, publisher, place, year, volumes and pages taken apart where the card follows the bibliography&apos;s patterns, the rest kept as a note; deleted cards and new ones holding only &quot;960-&quot; are left out and counted on the standard error, --all keeps them. OUT may be - for standard output</source>
        <translation>κάθε καρτέλλα σε CSV UTF-8 (FORMAT csv, η προεπιλογή) με τις ίδιες επικεφαλίδες που δέχεται το import, με τις τιμές χωρίς τα κενά όπως τις δείχνει το πρόγραμμα· το --raw γράφει κάθε αποθηκευμένο byte χωρίς να κόψει κενά, με στήλη Bytes, και το import δίνει πίσω ακριβώς το ίδιο αρχείο.
      FORMAT ris, bibtex (το κλασικό BibTeX), biblatex ή csl-json: κάθε καρτέλλα ένα βιβλίο για τα προγράμματα βιβλιογραφικών αναφορών και το LaTeX, με τον συγγραφέα, τον εκδότη, τον τόπο, το έτος, τους τόμους και τις σελίδες χωριστά όπου η καρτέλλα ακολουθεί τα πρότυπα της βιβλιογραφίας, και τα υπόλοιπα ως σημείωση· οι διαγραμμένες καρτέλλες και οι νέες που έχουν μόνο «960-» παραλείπονται και μετριούνται στην τυπική έξοδο σφαλμάτων, το --all τις κρατά. Το OUT μπορεί να είναι - για την τυπική έξοδο</translation>
    </message>
    <message>
        <source>nothing written</source>
        <translation>δεν γράφτηκε τίποτα</translation>
    </message>
    <message>
        <source>puts the card file back as it was before the last editing session, or with 1 or 2 before the sessions before that, from its own backups: FILIS.bak, .bak.1 and .bak.2 beside it and those ~/.local/share/Velmora keeps for it, the three latest of both places by the time each was made. The file as it is goes first to FILIS.before-restore, unless a backup holds it; the backup is written into the card file itself, which keeps its permissions, and a journal of an interrupted filing is removed after. Refused while an editor has the file. --list shows the backups, latest first, with their dates and cards</source>
        <translation>επαναφέρει το αρχείο καρτελλών όπως ήταν πριν από την τελευταία συνεδρία διόρθωσης, ή με 1 ή 2 πριν από τις συνεδρίες πριν από αυτήν, από τα δικά του αντίγραφα ασφαλείας: τα FILIS.bak, .bak.1 και .bak.2 δίπλα του και όσα κρατά γι&apos; αυτό το ~/.local/share/Velmora, τα τρία πιο πρόσφατα και των δύο θέσεων κατά τον χρόνο που έγινε το καθένα. Το αρχείο όπως είναι πηγαίνει πρώτα στο FILIS.before-restore, εκτός αν το έχει ήδη ένα αντίγραφο ασφαλείας· το αντίγραφο γράφεται μέσα στο ίδιο το αρχείο καρτελλών, που κρατά τα δικαιώματά του, και το ημερολόγιο μιας καταχώρισης που διακόπηκε διαγράφεται μετά. Δεν γίνεται όσο ένας διορθωτής έχει το αρχείο. Το --list δείχνει τα αντίγραφα ασφαλείας, πρώτα το πιο πρόσφατο, με τις ημερομηνίες και τις καρτέλλες τους</translation>
    </message>
    <message>
        <source>card N as the card window shows it: its caption, then the six labelled fields, trimmed of blanks</source>
        <translation>την καρτέλλα N όπως τη δείχνει το παράθυρο καρτέλλας: τον τίτλο της και έπειτα τα έξι πεδία με τις ετικέτες τους, χωρίς τα κενά</translation>
    </message>
    <message>
        <source>no backup or journal goes there</source>
        <translation>εκεί δεν γράφεται ούτε αντίγραφο ασφαλείας ούτε ημερολόγιο</translation>
    </message>
    <message>
        <source>exit status: 0 done, 1 failed (nothing written, but the cards import --append filed
before it stopped), 2 wrong command line, 3 check found damage</source>
        <translation>κατάσταση εξόδου: 0 ολοκληρώθηκε, 1 απέτυχε (δεν γράφτηκε τίποτα, εκτός από τις καρτέλλες
που καταχώρισε το import --append πριν σταματήσει), 2 λάθος γραμμή εντολών, 3 ο έλεγχος βρήκε φθορές</translation>
    </message>
    <message>
        <source>no backup there is used</source>
        <translation>δεν χρησιμοποιείται κανένα αντίγραφο ασφαλείας από εκεί</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>τυπική είσοδος</translation>
    </message>
    <message>
        <source>no backup goes there</source>
        <translation>εκεί δεν γράφεται αντίγραφο ασφαλείας</translation>
    </message>
    <message>
        <source>a UTF-8 CSV with the header Isbn,Author,Title,OtherName,Publication,PagesNotes into a new card file, or one that is empty; a value that does not fit stops the import unless --cut. A FILIS that holds cards is kept as it is unless --append or --replace says what becomes of them, and so is any FILIS when INPUT yields no card.
      FORMAT ris, bibtex, biblatex or csl-json (by default from INPUT&apos;s ending: .ris, .bibtex, .bib, .json; csv otherwise): a reference manager&apos;s books, articles and chapters, each a card as the bibliography writes one, in capitals without accents unless --keep-case; what is cut, stored as &apos;?&apos;, not kept or left out is told on the standard error.
      --append adds the cards after the last card of an existing FILIS instead, each filed as velmora --edit files a card: refused while an editor has the file, after a backup of it (FILIS.bak), one journaled card at a time, a partial last card made whole first. A book FILIS or INPUT already holds (the same ISBN, or the same author and title, as check tells them) is told with its card and left out, unless --all. A failure stops it, telling how many cards were appended and at which entry; those cards stay.
      --replace puts the cards in the place of those FILIS holds, refused while an editor has it, after a backup of it (FILIS.bak, the older ones kept as .bak.1 and .bak.2): all of them go into a new file beside it, which takes its name and its permissions only once it is whole, so that a failure leaves FILIS as it was</source>
        <translation>ένα CSV σε UTF-8 με τις επικεφαλίδες Isbn,Author,Title,OtherName,Publication,PagesNotes σε νέο αρχείο καρτελλών, ή σε ένα άδειο· μια τιμή που δεν χωράει σταματά την εισαγωγή, εκτός με το --cut. Ένα FILIS που έχει καρτέλλες μένει όπως είναι, εκτός αν το --append ή το --replace λέει τι γίνεται με αυτές, και το ίδιο κάθε FILIS όταν από το INPUT δεν βγαίνει καμία καρτέλλα.
      FORMAT ris, bibtex, biblatex ή csl-json (χωρίς αυτό, από την κατάληξη του INPUT: .ris, .bibtex, .bib, .json· αλλιώς csv): τα βιβλία, τα άρθρα και τα κεφάλαια ενός προγράμματος βιβλιογραφικών αναφορών, το καθένα μια καρτέλλα όπως τη γράφει η βιβλιογραφία, με κεφαλαία χωρίς τόνους εκτός με το --keep-case· ό,τι κόβεται, αποθηκεύεται ως «?», δεν κρατιέται ή παραλείπεται αναφέρεται στην τυπική έξοδο σφαλμάτων.
      Το --append προσθέτει αντί γι&apos; αυτό τις καρτέλλες μετά την τελευταία καρτέλλα ενός υπάρχοντος FILIS, την καθεμιά καταχωρισμένη όπως καταχωρίζει μια καρτέλλα το velmora --edit: δεν γίνεται όσο ένας διορθωτής έχει το αρχείο, γίνεται μετά από αντίγραφο ασφαλείας του (FILIS.bak), μία καρτέλλα τη φορά με ημερολόγιο, και μια μισή τελευταία καρτέλλα συμπληρώνεται πρώτα. Ένα βιβλίο που έχει ήδη το FILIS ή το INPUT (το ίδιο ISBN, ή ο ίδιος συγγραφέας και τίτλος, όπως τα βρίσκει το check) αναφέρεται με την καρτέλλα του και παραλείπεται, εκτός με το --all. Μια αποτυχία το σταματά, λέγοντας πόσες καρτέλλες προστέθηκαν και σε ποιο λήμμα· αυτές οι καρτέλλες μένουν.
      Το --replace βάζει τις καρτέλλες στη θέση όσων έχει το FILIS: δεν γίνεται όσο ένας διορθωτής έχει το αρχείο, γίνεται μετά από αντίγραφο ασφαλείας του (FILIS.bak, με τα παλαιότερα ως .bak.1 και .bak.2)· όλες γράφονται σε νέο αρχείο δίπλα του, που παίρνει το όνομα και τα δικαιώματά του μόνο όταν είναι ολόκληρο, ώστε μια αποτυχία να αφήνει το FILIS όπως ήταν</translation>
    </message>
</context>
<context>
    <name>Check</name>
    <message>
        <source>%1 at %2</source>
        <translation>%1 στη θέση %2</translation>
    </message>
    <message>
        <source>%1 NUL byte at %2</source>
        <translation>%1 byte NUL στη θέση %2</translation>
    </message>
    <message>
        <source>%1 NUL bytes at %2</source>
        <translation>%1 byte NUL στις θέσεις %2</translation>
    </message>
    <message>
        <source>%1 byte undefined in Windows-1253: %2</source>
        <translation>%1 byte που δεν ορίζεται στα Windows-1253: %2</translation>
    </message>
    <message>
        <source>%1 bytes undefined in Windows-1253: %2</source>
        <translation>%1 byte που δεν ορίζονται στα Windows-1253: %2</translation>
    </message>
    <message>
        <source>%1 control byte: %2</source>
        <translation>%1 byte ελέγχου: %2</translation>
    </message>
    <message>
        <source>%1 control bytes: %2</source>
        <translation>%1 byte ελέγχου: %2</translation>
    </message>
    <message>
        <source>%1: %2 bytes, %3 card</source>
        <translation>%1: %2 byte, %3 καρτέλλα</translation>
    </message>
    <message>
        <source>%1: %2 bytes, %3 cards</source>
        <translation>%1: %2 byte, %3 καρτέλλες</translation>
    </message>
    <message>
        <source> (an empty file: the program shows one empty card)</source>
        <translation> (κενό αρχείο: το πρόγραμμα δείχνει μία κενή καρτέλλα)</translation>
    </message>
    <message>
        <source>card %1: deleted (&quot;~~~&quot; in all six fields)</source>
        <translation>καρτέλλα %1: διαγραμμένη («~~~» και στα έξι πεδία)</translation>
    </message>
    <message>
        <source>card %1: new, still to be filled in (only &quot;960-&quot; in the ISBN)</source>
        <translation>καρτέλλα %1: νέα, δεν έχει συμπληρωθεί ακόμη (μόνο «960-» στο ISBN)</translation>
    </message>
    <message>
        <source>card %1, %2: %3</source>
        <translation>καρτέλλα %1, %2: %3</translation>
    </message>
    <message>
        <source>card %1: partial record of %2 bytes at the end; the program counts it as a card and reads the missing %3 bytes as blanks</source>
        <translation>καρτέλλα %1: ημιτελής εγγραφή %2 byte στο τέλος· το πρόγραμμα τη μετρά ως καρτέλλα και διαβάζει τα %3 byte που λείπουν ως κενά</translation>
    </message>
    <message>
        <source>card %1: partial record of %2 bytes at the end; the program does not count it (%3 bytes or fewer)</source>
        <translation>καρτέλλα %1: ημιτελής εγγραφή %2 byte στο τέλος· το πρόγραμμα δεν τη μετρά (%3 byte ή λιγότερα)</translation>
    </message>
    <message>
        <source>no damage found</source>
        <translation>δεν βρέθηκε φθορά</translation>
    </message>
    <message>
        <source>%1 finding</source>
        <translation>%1 εύρημα</translation>
    </message>
    <message>
        <source>%1 findings</source>
        <translation>%1 ευρήματα</translation>
    </message>
    <message>
        <source>cards %1: the same book? the same ISBN %2</source>
        <translation>καρτέλλες %1: το ίδιο βιβλίο; το ίδιο ISBN %2</translation>
    </message>
    <message>
        <source>cards %1: the same book? the same author and title: %2, %3</source>
        <translation>καρτέλλες %1: το ίδιο βιβλίο; ο ίδιος συγγραφέας και τίτλος: %2, %3</translation>
    </message>
</context>
<context>
    <name>CsvImport</name>
    <message>
        <source>not valid UTF-8</source>
        <translation>όχι έγκυρο UTF-8</translation>
    </message>
    <message>
        <source>character %1 at position %2 is not in Windows-1253</source>
        <translation>ο χαρακτήρας %1 στη θέση %2 δεν υπάρχει στα Windows-1253</translation>
    </message>
    <message>
        <source>%1 characters, at most %2 fit</source>
        <translation>%1 χαρακτήρες, χωρούν το πολύ %2</translation>
    </message>
    <message>
        <source>the header must name the six columns Isbn,Author,Title,OtherName,Publication,PagesNotes and, from a raw export, Bytes</source>
        <translation>η γραμμή επικεφαλίδων πρέπει να ονομάζει τις έξι στήλες Isbn,Author,Title,OtherName,Publication,PagesNotes και, από εξαγωγή με --raw, τη Bytes</translation>
    </message>
    <message>
        <source>unknown column &quot;%1&quot; in the header</source>
        <translation>άγνωστη στήλη «%1» στη γραμμή επικεφαλίδων</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; named twice in the header</source>
        <translation>η στήλη «%1» ονομάζεται δύο φορές στη γραμμή επικεφαλίδων</translation>
    </message>
    <message>
        <source>%1 values where the header has %2</source>
        <translation>%1 τιμές, ενώ η γραμμή επικεφαλίδων έχει %2</translation>
    </message>
    <message>
        <source>a record follows the partial record of %1 bytes before it; only the last record may be shorter than %2 bytes</source>
        <translation>μια εγγραφή ακολουθεί την ημιτελή εγγραφή των %1 byte πριν από αυτήν· μόνο η τελευταία εγγραφή μπορεί να έχει λιγότερα από %2 byte</translation>
    </message>
    <message>
        <source>Bytes must be a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>η Bytes πρέπει να είναι ακέραιος από 1 έως %1, όχι «%2»</translation>
    </message>
    <message>
        <source>the record holds %1 bytes: the value ends past them</source>
        <translation>η εγγραφή έχει %1 byte: η τιμή τελειώνει πέρα από αυτά</translation>
    </message>
    <message>
        <source>more cards than a card file of at most %1 bytes holds</source>
        <translation>περισσότερες καρτέλλες απ&apos; όσες χωρά ένα αρχείο καρτελλών το πολύ %1 byte</translation>
    </message>
    <message>
        <source>no header row: the file is empty</source>
        <translation>δεν υπάρχει γραμμή επικεφαλίδων: το αρχείο είναι κενό</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>εξαντλήθηκε η μνήμη</translation>
    </message>
    <message>
        <source>misplaced quote: a quote inside an unquoted value, or text after a closing quote (write a quote inside a quoted value as two quotes)</source>
        <translation>εισαγωγικό σε λάθος θέση: εισαγωγικό μέσα σε τιμή χωρίς εισαγωγικά ή κείμενο μετά το εισαγωγικό που κλείνει (ένα εισαγωγικό μέσα σε τιμή με εισαγωγικά γράφεται ως δύο εισαγωγικά)</translation>
    </message>
    <message>
        <source>a value longer than %1 bytes, more than any card holds</source>
        <translation>τιμή μεγαλύτερη από %1 byte, περισσότερα απ&apos; όσα χωρά οποιαδήποτε καρτέλλα</translation>
    </message>
    <message>
        <source>a quoted field is not closed at the end of the file</source>
        <translation>ένα πεδίο με εισαγωγικά δεν κλείνει ως το τέλος του αρχείου</translation>
    </message>
    <message>
        <source>more than %1 values in a row</source>
        <translation>περισσότερες από %1 τιμές σε μία γραμμή</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>export: unknown format &quot;%1&quot; (%2)</source>
        <translation>export: άγνωστη μορφή «%1» (%2)</translation>
    </message>
    <message>
        <source>%1 book written to %2</source>
        <translation>γράφτηκε %1 βιβλίο στο %2</translation>
    </message>
    <message>
        <source>%1 books written to %2</source>
        <translation>γράφτηκαν %1 βιβλία στο %2</translation>
    </message>
    <message>
        <source>left out: %1 deleted (&quot;~~~&quot;), %2 new (only &quot;960-&quot;); --all keeps them</source>
        <translation>παραλείφθηκαν: %1 διαγραμμένες («~~~»), %2 νέες (μόνο «960-»)· το --all τις κρατά</translation>
    </message>
    <message>
        <source>export: --raw is for --format csv only</source>
        <translation>export: το --raw είναι μόνο για το --format csv</translation>
    </message>
    <message>
        <source>%1 records written to %2</source>
        <translation>γράφτηκαν %1 εγγραφές στο %2</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source> (cut)</source>
        <translation> (κόπηκε)</translation>
    </message>
    <message>
        <source>%1 value(s) do not fit their field; nothing written (--cut writes them cut to the width, with &apos;?&apos; for characters outside Windows-1253)</source>
        <translation>%1 τιμή(ές) δεν χωρούν στο πεδίο τους· δεν γράφτηκε τίποτα (το --cut τις γράφει κομμένες στο πλάτος, με «?» για τους χαρακτήρες εκτός Windows-1253)</translation>
    </message>
    <message>
        <source>more cards than a card file of at most %1 bytes holds; nothing written</source>
        <translation>περισσότερες καρτέλλες απ&apos; όσες χωρά ένα αρχείο καρτελλών το πολύ %1 byte· δεν γράφτηκε τίποτα</translation>
    </message>
    <message>
        <source>%1 entry left out</source>
        <translation>παραλείφθηκε %1 λήμμα</translation>
    </message>
    <message>
        <source>%1 entries left out</source>
        <translation>παραλείφθηκαν %1 λήμματα</translation>
    </message>
    <message>
        <source>import: unknown format &quot;%1&quot; (%2)</source>
        <translation>import: άγνωστη μορφή «%1» (%2)</translation>
    </message>
    <message>
        <source>import: --cut is for CSV; the other formats are always cut to the width, and told</source>
        <translation>import: το --cut είναι για το CSV· οι άλλες μορφές κόβονται πάντα στο πλάτος, και αυτό αναφέρεται</translation>
    </message>
    <message>
        <source>import: --keep-case is for %1; CSV is always kept as written</source>
        <translation>import: το --keep-case είναι για τα %1· το CSV κρατιέται πάντα όπως είναι γραμμένο</translation>
    </message>
    <message>
        <source>import: --all is for --append: it appends the books the card file already holds too</source>
        <translation>import: το --all είναι για το --append: προσθέτει και τα βιβλία που έχει ήδη το αρχείο καρτελλών</translation>
    </message>
    <message>
        <source>%1 holds a card already; nothing written: --append adds the cards after it, --replace puts them in its place after a backup (%2)</source>
        <translation>το %1 έχει ήδη μία καρτέλλα· δεν γράφτηκε τίποτα: το --append προσθέτει τις καρτέλλες μετά από αυτήν, το --replace τις βάζει στη θέση της μετά από αντίγραφο ασφαλείας (%2)</translation>
    </message>
    <message>
        <source>%1 holds %2 cards already; nothing written: --append adds the cards after them, --replace puts them in their place after a backup (%3)</source>
        <translation>το %1 έχει ήδη %2 καρτέλλες· δεν γράφτηκε τίποτα: το --append προσθέτει τις καρτέλλες μετά από αυτές, το --replace τις βάζει στη θέση τους μετά από αντίγραφο ασφαλείας (%3)</translation>
    </message>
    <message>
        <source>import: --append or --replace, not both: the cards go after the last card or in the place of all of them</source>
        <translation>import: --append ή --replace, όχι και τα δύο: οι καρτέλλες μπαίνουν μετά την τελευταία καρτέλλα ή στη θέση όλων</translation>
    </message>
    <message>
        <source>%1: no card in it; nothing written</source>
        <translation>%1: δεν έχει καμία καρτέλλα· δεν γράφτηκε τίποτα</translation>
    </message>
    <message>
        <source>; as it was before: %1</source>
        <translation>· όπως ήταν πριν: %1</translation>
    </message>
</context>
<context>
    <name>Restore</name>
    <message>
        <source>%1, %2 card</source>
        <translation>%1, %2 καρτέλλα</translation>
    </message>
    <message>
        <source>%1, %2 cards</source>
        <translation>%1, %2 καρτέλλες</translation>
    </message>
    <message>
        <source>%1; not taken as a backup</source>
        <translation>%1· δεν θεωρήθηκε αντίγραφο ασφαλείας</translation>
    </message>
    <message>
        <source>restoring %1 also undoes the session %2 began %3</source>
        <translation>η επαναφορά του %1 αναιρεί και τη συνεδρία που άρχισε ο χρήστης «%2» στις %3</translation>
    </message>
    <message>
        <source>%1, by %2</source>
        <translation>%1, του χρήστη «%2»</translation>
    </message>
    <message>
        <source>%1: now %2</source>
        <translation>%1: τώρα %2</translation>
    </message>
    <message>
        <source>no backup: none at %1 nor at %2</source>
        <translation>κανένα αντίγραφο ασφαλείας: κανένα στο %1 ούτε στο %2</translation>
    </message>
    <message>
        <source>restore: --list takes the card file alone</source>
        <translation>restore: το --list παίρνει μόνο το αρχείο καρτελλών</translation>
    </message>
    <message>
        <source>restore: &quot;%1&quot; is no backup: 1 or 2 for the sessions before the last</source>
        <translation>restore: το «%1» δεν είναι αντίγραφο ασφαλείας: 1 ή 2 για τις συνεδρίες πριν από την τελευταία</translation>
    </message>
    <message>
        <source>%1; nothing restored</source>
        <translation>%1· δεν επαναφέρθηκε τίποτα</translation>
    </message>
    <message>
        <source>%1: no backup; restore --list shows those there are</source>
        <translation>%1: κανένα αντίγραφο ασφαλείας· το restore --list δείχνει όσα υπάρχουν</translation>
    </message>
    <message>
        <source>%1: no backup %2; restore --list shows those there are</source>
        <translation>%1: δεν υπάρχει αντίγραφο ασφαλείας %2· το restore --list δείχνει όσα υπάρχουν</translation>
    </message>
    <message>
        <source>the file as it is could not be kept; nothing restored</source>
        <translation>το αρχείο όπως είναι δεν μπόρεσε να φυλαχτεί· δεν επαναφέρθηκε τίποτα</translation>
    </message>
    <message>
        <source>%1: the journal of an interrupted filing; removed once the file is restored</source>
        <translation>%1: το ημερολόγιο μιας καταχώρισης που διακόπηκε· διαγράφεται μόλις επαναφερθεί το αρχείο</translation>
    </message>
    <message>
        <source>%1: the journal of an interrupted filing by %2; removed once the file is restored</source>
        <translation>%1: το ημερολόγιο μιας καταχώρισης του χρήστη %2 που διακόπηκε· διαγράφεται μόλις επαναφερθεί το αρχείο</translation>
    </message>
    <message>
        <source>%1; the file may be partly restored; as it was, it is kept in %2</source>
        <translation>%1· το αρχείο ίσως επαναφέρθηκε εν μέρει· όπως ήταν, φυλάσσεται στο %2</translation>
    </message>
    <message>
        <source>%1: restored as %2 was (%3)
as it was before the restore: %4</source>
        <translation>%1: επαναφέρθηκε όπως ήταν το %2 (%3)
όπως ήταν πριν από την επαναφορά: %4</translation>
    </message>
    <message>
        <source>%1; the journal stays: remove it before the next velmora --edit</source>
        <translation>%1· το ημερολόγιο μένει: διαγράψτε το πριν από το επόμενο velmora --edit</translation>
    </message>
    <message>
        <source>%1: removed</source>
        <translation>%1: διαγράφηκε</translation>
    </message>
    <message>
        <source>%1: has another name too (a hard link); not taken as a backup</source>
        <translation>%1: έχει και άλλο όνομα (σκληρός σύνδεσμος)· δεν θεωρήθηκε αντίγραφο ασφαλείας</translation>
    </message>
</context>
<context>
    <name>Show</name>
    <message>
        <source>show: card number &quot;%1&quot; not in 1 to %2</source>
        <translation>show: ο αριθμός καρτέλλας «%1» δεν είναι από 1 έως %2</translation>
    </message>
</context>
</TS>
