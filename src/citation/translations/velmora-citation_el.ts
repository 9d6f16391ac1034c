<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el">
<context>
    <name>Citation</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ή %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 και %2</translation>
    </message>
    <message>
        <source>a line of more than %1 bytes: it has no end</source>
        <translation>γραμμή μεγαλύτερη από %1 byte: δεν έχει τέλος</translation>
    </message>
    <message>
        <source>an entry of more than %1 bytes: it has no end</source>
        <translation>λήμμα μεγαλύτερο από %1 byte: δεν έχει τέλος</translation>
    </message>
    <message>
        <source>no BibTeX entry (&quot;@book{KEY, ...}&quot;) in the file</source>
        <translation>κανένα λήμμα BibTeX («@book{KEY, ...}») στο αρχείο</translation>
    </message>
    <message>
        <source>its braces or quotes do not pair: the entry runs to the next one or to the end of the file</source>
        <translation>τα άγκιστρα ή τα εισαγωγικά του δεν ζευγαρώνουν: το λήμμα φτάνει ως το επόμενο ή ως το τέλος του αρχείου</translation>
    </message>
    <message>
        <source>more than %1 fields</source>
        <translation>περισσότερα από %1 πεδία</translation>
    </message>
    <message>
        <source>not an entry as BibTeX writes one</source>
        <translation>δεν είναι λήμμα όπως το γράφει το BibTeX</translation>
    </message>
    <message>
        <source>%1: no @string &quot;%2&quot;, taken as empty</source>
        <translation>%1: δεν υπάρχει @string «%2», θεωρήθηκε κενό</translation>
    </message>
    <message>
        <source>%1: longer than %2 bytes, cut</source>
        <translation>%1: μεγαλύτερο από %2 byte, κόπηκε</translation>
    </message>
    <message>
        <source> (a second)</source>
        <translation> (δεύτερο)</translation>
    </message>
    <message>
        <source>crossref: no entry &quot;%1&quot; found</source>
        <translation>crossref: δεν βρέθηκε λήμμα «%1»</translation>
    </message>
    <message>
        <source>%1: TeX command %2 left out</source>
        <translation>%1: η εντολή TeX %2 παραλείφθηκε</translation>
    </message>
    <message>
        <source>cannot read the file a second time: </source>
        <translation>το αρχείο δεν μπορεί να διαβαστεί δεύτερη φορά: </translation>
    </message>
    <message>
        <source>the array holds something other than objects</source>
        <translation>ο πίνακας έχει κάτι άλλο εκτός από αντικείμενα</translation>
    </message>
    <message>
        <source>no CSL-JSON array (&quot;[&quot;) in the file</source>
        <translation>κανένας πίνακας CSL-JSON («[») στο αρχείο</translation>
    </message>
    <message>
        <source>an object of more than %1 bytes: it has no end</source>
        <translation>αντικείμενο μεγαλύτερο από %1 byte: δεν έχει τέλος</translation>
    </message>
    <message>
        <source>not valid UTF-8, stored as &apos;?&apos;</source>
        <translation>όχι έγκυρο UTF-8, αποθηκεύτηκε ως «?»</translation>
    </message>
    <message>
        <source>not JSON: %1 at byte %2 of the object</source>
        <translation>όχι JSON: %1 στο byte %2 του αντικειμένου</translation>
    </message>
    <message>
        <source>ISBN-%1 &quot;%2&quot;: check digit %3, should be %4</source>
        <translation>ISBN-%1 «%2»: ψηφίο ελέγχου %3, έπρεπε να είναι %4</translation>
    </message>
    <message>
        <source>%1: not valid UTF-8, stored as &apos;?&apos;</source>
        <translation>%1: όχι έγκυρο UTF-8, αποθηκεύτηκε ως «?»</translation>
    </message>
    <message>
        <source>%1: %2 is not in Windows-1253, stored as &apos;?&apos;</source>
        <translation>%1: το %2 δεν υπάρχει στα Windows-1253, αποθηκεύτηκε ως «?»</translation>
    </message>
    <message>
        <source>%1: %2 characters, at most %3 fit; cut: &quot;%4&quot;</source>
        <translation>%1: %2 χαρακτήρες, χωρούν το πολύ %3· κόπηκε: «%4»</translation>
    </message>
    <message>
        <source>left out: </source>
        <translation>παραλείφθηκε: </translation>
    </message>
    <message>
        <source>left out: nothing in it that a card holds</source>
        <translation>παραλείφθηκε: δεν έχει τίποτα που να χωρά σε καρτέλλα</translation>
    </message>
    <message>
        <source>not kept: </source>
        <translation>δεν κρατήθηκαν: </translation>
    </message>
    <message>
        <source>text outside a record (&quot;TY  - &quot; to &quot;ER  - &quot;), left out</source>
        <translation>κείμενο έξω από εγγραφή («TY  - » έως «ER  - »), παραλείφθηκε</translation>
    </message>
    <message>
        <source>no &quot;ER  - &quot; before the next record</source>
        <translation>δεν υπάρχει «ER  - » πριν από την επόμενη εγγραφή</translation>
    </message>
    <message>
        <source>a record of more than %1 bytes: it has no end</source>
        <translation>εγγραφή μεγαλύτερη από %1 byte: δεν έχει τέλος</translation>
    </message>
    <message>
        <source>a line continued</source>
        <translation>συνέχεια γραμμής</translation>
    </message>
    <message>
        <source>no &quot;ER  - &quot; at the end of the file</source>
        <translation>δεν υπάρχει «ER  - » στο τέλος του αρχείου</translation>
    </message>
    <message>
        <source>no RIS record (a line &quot;TY  - &quot;) in the file</source>
        <translation>καμία εγγραφή RIS (γραμμή «TY  - ») στο αρχείο</translation>
    </message>
</context>
</TS>
