<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: %2
Δοκιμάστε «%1 --help» για περισσότερες πληροφορίες.
</translation>
    </message>
    <message>
        <source>
Exit status: 0 done, 1 the card file could not be used or another
editor has it, 2 wrong command line.
</source>
        <translation>
Κατάσταση εξόδου: 0 ολοκληρώθηκε, 1 το αρχείο καρτελλών δεν μπόρεσε να
χρησιμοποιηθεί ή το διορθώνει άλλος, 2 λάθος γραμμή εντολών.
</translation>
    </message>
    <message>
        <source>Consults the Servalini bibliography of history and archaeology, a card file
of 195-byte cards in Windows-1253.</source>
        <translation>Ανοίγει τη βιβλιογραφία Σερβαλίνη ιστορίας και αρχαιολογίας, ένα αρχείο
καρτελλών των 195 byte σε Windows-1253.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Εμφανίζει αυτή τη βοήθεια.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Εμφανίζει την έκδοση.</translation>
    </message>
    <message>
        <source>Without CARDFILE, opens the bibliography installed with the program, %1, for reading only.</source>
        <translation>Χωρίς CARDFILE, ανοίγει τη βιβλιογραφία που εγκαταστάθηκε με το πρόγραμμα, %1, μόνο για ανάγνωση.</translation>
    </message>
    <message>
        <source>Edits the card file: files the card on the screen (F12), adds (F3) and deletes cards. One editor at a time; the card file is copied beside it (%1.bak) before the first card is filed.</source>
        <translation>Διορθώνει το αρχείο καρτελλών: καταχωρίζει την καρτέλλα της οθόνης (F12), προσθέτει (F3) και διαγράφει καρτέλλες. Ένας διορθωτής τη φορά· το αρχείο αντιγράφεται δίπλα του (%1.bak) πριν καταχωρισθεί η πρώτη καρτέλλα.</translation>
    </message>
    <message>
        <source>The card file to open, of any name, or a folder whose %1 is opened. Without it, %1 in the working folder. A %1 that is missing is created empty; a card file named in full must exist.</source>
        <translation>Το αρχείο καρτελλών που ανοίγει, με οποιοδήποτε όνομα, ή ένας φάκελος του οποίου ανοίγει το %1. Χωρίς αυτό, το %1 του τρέχοντος φακέλου. Ένα %1 που λείπει δημιουργείται κενό· ένα αρχείο καρτελλών που δίνεται ολόκληρο πρέπει να υπάρχει.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not UTF-8 text</source>
        <translation>το «%1» δεν είναι κείμενο UTF-8</translation>
    </message>
    <message>
        <source>one CARDFILE at most, %1 given</source>
        <translation>το πολύ ένα CARDFILE, δόθηκαν %1</translation>
    </message>
    <message>
        <source>the card file name is empty</source>
        <translation>το όνομα του αρχείου καρτελλών είναι κενό</translation>
    </message>
    <message>
        <source>%1: created the empty card file %2; &apos;velmora --installed&apos; opens the bibliography installed with the program.
</source>
        <translation>%1: δημιουργήθηκε το κενό αρχείο καρτελλών %2· το «velmora --installed» ανοίγει τη βιβλιογραφία που εγκαταστάθηκε με το πρόγραμμα.
</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Χρήση: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[επιλογές]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Επιλογές:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Ορίσματα:</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Άγνωστη επιλογή «%1».</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Άγνωστες επιλογές: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Λείπει τιμή μετά το «%1».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Απρόσμενη τιμή μετά το «%1».</translation>
    </message>
</context>
</TS>
