<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DbSchema</name>
    <message>
        <source>Cannot fill %1 from &quot;%2&quot;, line %3: %4</source>
        <translation>Tabelle %1 lässt sich nicht aus „%2“ füllen, Zeile %3: %4</translation>
    </message>
    <message>
        <source>position %1: %2</source>
        <translation>Position %1: %2</translation>
    </message>
    <message>
        <source>reference %1: %2</source>
        <translation>Ref %1: %2</translation>
    </message>
</context>
<context>
    <name>EVxListIndexError</name>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Listenindex außerhalb der Grenzen (%1)</translation>
    </message>
</context>
<context>
    <name>RefData</name>
    <message>
        <source>%1 is out of range (%2 to %3)</source>
        <translation>%1 liegt außerhalb des Bereichs (%2 bis %3)</translation>
    </message>
</context>
<context>
    <name>RefText</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>„%1“ ist keine gültige Dezimalzahl</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; not found</source>
        <translation>Datei „%1“ nicht gefunden</translation>
    </message>
    <message>
        <source>column %1 (%2): %3</source>
        <translation>Spalte %1 (%2): %3</translation>
    </message>
    <message>
        <source>File &quot;%1&quot;, line %2, %3</source>
        <translation>Datei „%1“, Zeile %2, %3</translation>
    </message>
    <message>
        <source>the number is missing</source>
        <translation>die Zahl fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not %2</source>
        <translation>„%1“ ist %2</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>keine ganze Zahl</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>keine Zahl</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; %2</source>
        <translation>Datei „%1“ %2</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is %1, not a plain file, so it was not read</source>
        <translation>ist %1, keine gewöhnliche Datei, und wurde daher nicht gelesen</translation>
    </message>
    <message>
        <source>is empty</source>
        <translation>ist leer</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>is UTF-16 text; save it as UTF-8 text</source>
        <translation>ist UTF-16-Text; speichern Sie sie als UTF-8-Text</translation>
    </message>
    <message>
        <source>has more than %1 lines, so it was not read</source>
        <translation>hat mehr als %1 Zeilen und wurde daher nicht gelesen</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>File &quot;%1&quot;, %2: %3</source>
        <translation>Datei „%1“, %2: %3</translation>
    </message>
    <message>
        <source>the line is longer than %1 bytes; is this a reference file?</source>
        <translation>die Zeile ist länger als %1 Bytes; ist das eine Stammdatendatei?</translation>
    </message>
    <message>
        <source>byte 0x%1 is no text; is this a reference file?</source>
        <translation>Byte 0x%1 ist kein Text; ist das eine Stammdatendatei?</translation>
    </message>
    <message>
        <source>the text is not UTF-8 (byte 0x%1); save the file as UTF-8 text</source>
        <translation>der Text ist kein UTF-8 (Byte 0x%1); speichern Sie die Datei als UTF-8-Text</translation>
    </message>
</context>
<context>
    <name>ScenarioFailure</name>
    <message>
        <source>The board is kept: save it again once the server is back, or save to the local database.</source>
        <translation>Die Plantafel bleibt erhalten: Speichern Sie sie erneut, sobald der Server wieder erreichbar ist, oder speichern Sie in die lokale Datenbank.</translation>
    </message>
    <message>
        <source>The database server could not be reached, so the scenario was not saved.

%1</source>
        <translation>Der Datenbankserver war nicht erreichbar, daher wurde das Szenario nicht gespeichert.

%1</translation>
    </message>
    <message>
        <source>%1 The scenario was not saved.

%2</source>
        <translation>%1 Das Szenario wurde nicht gespeichert.

%2</translation>
    </message>
    <message>
        <source>%1 The scenario was not saved; the board is kept. Save it again in a moment.</source>
        <translation>%1 Das Szenario wurde nicht gespeichert; die Plantafel bleibt erhalten. Speichern Sie gleich noch einmal.</translation>
    </message>
    <message>
        <source>The database refused the scenario, so it was not saved. The board is kept.</source>
        <translation>Die Datenbank hat das Szenario abgelehnt, daher wurde es nicht gespeichert. Die Plantafel bleibt erhalten.</translation>
    </message>
    <message>
        <source>The database server could not be reached, so no scenario was loaded. The board is as it was.</source>
        <translation>Der Datenbankserver war nicht erreichbar, daher wurde kein Szenario geladen. Die Plantafel ist unverändert.</translation>
    </message>
    <message>
        <source>%1 No scenario was loaded. The board is as it was.</source>
        <translation>%1 Es wurde kein Szenario geladen. Die Plantafel ist unverändert.</translation>
    </message>
    <message>
        <source>The database refused to read the scenario. The board is as it was.</source>
        <translation>Die Datenbank hat das Lesen des Szenarios abgelehnt. Die Plantafel ist unverändert.</translation>
    </message>
</context>
<context>
    <name>TBoardController</name>
    <message>
        <source>The job dialog is not available</source>
        <translation>Der Auftragsdialog ist nicht verfügbar</translation>
    </message>
    <message>
        <source>The fabric dialog is not available</source>
        <translation>Der Gewebedialog ist nicht verfügbar</translation>
    </message>
    <message>
        <source>First delete all the warp jobs on this reed before you can delete it.</source>
        <translation>Löschen Sie zuerst alle Ketten auf diesem Blatt, bevor Sie es löschen.</translation>
    </message>
    <message>
        <source>Delete this job?</source>
        <translation>Diesen Auftrag löschen?</translation>
    </message>
    <message>
        <source>Add Job To %1</source>
        <translation>Neuer Auftrag auf %1</translation>
    </message>
    <message>
        <source>Choose the number of ends for the reed</source>
        <translation>Wählen Sie die Fadenzahl des Blatts</translation>
    </message>
    <message>
        <source>Edit %1 On %2</source>
        <translation>%1 auf %2 bearbeiten</translation>
    </message>
    <message>
        <source>Fabric can only go on a warp</source>
        <translation>Gewebe kann nur auf eine Kette</translation>
    </message>
    <message>
        <source>Add To %1 On %2</source>
        <translation>Gewebe für %1 auf %2</translation>
    </message>
    <message>
        <source>Unknown warp: %1</source>
        <translation>Unbekannte Kette: %1</translation>
    </message>
    <message>
        <source>Only fabric items can be edited here</source>
        <translation>Hier lassen sich nur Gewebe bearbeiten</translation>
    </message>
    <message>
        <source>Edit %1 In %2</source>
        <translation>%1 in %2 bearbeiten</translation>
    </message>
</context>
<context>
    <name>TBoardDragPreview</name>
    <message>
        <source>over capacity</source>
        <translation>über der Kapazität</translation>
    </message>
</context>
<context>
    <name>TBoardMarks</name>
    <message>
        <source>added</source>
        <translation>hinzugefügt</translation>
    </message>
    <message>
        <source>moved</source>
        <translation>verschoben</translation>
    </message>
    <message>
        <source>edited</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>re-dated</source>
        <translation>neu datiert</translation>
    </message>
    <message>
        <source>removed (a line where it stood)</source>
        <translation>entfernt (ein Strich, wo er stand)</translation>
    </message>
</context>
<context>
    <name>TBoardView</name>
    <message>
        <source>The job is not on a loom of the plan</source>
        <translation>Der Auftrag steht auf keinem Webstuhl des Plans</translation>
    </message>
    <message>
        <source>The column is not a loom of the plan</source>
        <translation>Die Spalte ist kein Webstuhl des Plans</translation>
    </message>
</context>
<context>
    <name>TCompareMode</name>
    <message>
        <source>No scenario is stored yet to compare with.</source>
        <translation>Es ist noch kein Szenario gespeichert, mit dem sich vergleichen ließe.</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Vergleichen mit</translation>
    </message>
    <message>
        <source>This board has not been saved as a scenario yet.</source>
        <translation>Diese Plantafel wurde noch nicht als Szenario gespeichert.</translation>
    </message>
    <message>
        <source>Board compared with scenario %1 &quot;%2&quot;</source>
        <translation>Plantafel verglichen mit Szenario %1 „%2“</translation>
    </message>
    <message>
        <source>Scenario %1</source>
        <translation>Szenario %1</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plantafel</translation>
    </message>
    <message>
        <source>no differences</source>
        <translation>keine Unterschiede</translation>
    </message>
    <message>
        <source>%1 jobs and %2 fabric items differ</source>
        <translation>%1 Aufträge und %2 Gewebe unterscheiden sich</translation>
    </message>
    <message>
        <source>Compare with %1.txt</source>
        <translation>Vergleich mit %1.txt</translation>
    </message>
</context>
<context>
    <name>TComparePanel</name>
    <message>
        <source>Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Was</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Matched by</source>
        <translation>Zugeordnet über</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Print or export the changes and the output</source>
        <translation>Die Änderungen und den Ausstoß drucken oder exportieren</translation>
    </message>
    <message>
        <source>Leave the comparison</source>
        <translation>Den Vergleich verlassen</translation>
    </message>
</context>
<context>
    <name>TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>job no., warp (A-WHT), fabric (P001) or downtime</source>
        <translation>Auftragsnr., Kette (A-WHT), Gewebe (P001) oder Stillstand</translation>
    </message>
    <message>
        <source>Previous match (Shift+F3)</source>
        <translation>Vorheriger Treffer (Umschalt+F3)</translation>
    </message>
    <message>
        <source>Next match (F3)</source>
        <translation>Nächster Treffer (F3)</translation>
    </message>
    <message>
        <source>Close (Escape)</source>
        <translation>Schließen (Esc)</translation>
    </message>
    <message>
        <source>No match</source>
        <translation>Kein Treffer</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>TItemForm</name>
    <message>
        <source>Fabric</source>
        <translation>Gewebe</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Gewebe</translation>
    </message>
    <message>
        <source>&amp;Pieces</source>
        <translation>&amp;Stück</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The number of pieces must be at least 1</source>
        <translation>Die Stückzahl muss mindestens 1 sein</translation>
    </message>
    <message>
        <source>The number of pieces must be at most %1</source>
        <translation>Die Stückzahl darf höchstens %1 sein</translation>
    </message>
</context>
<context>
    <name>TJobForm</name>
    <message>
        <source>Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Art</translation>
    </message>
    <message>
        <source>&amp;Length (m)</source>
        <translation>&amp;Länge (m)</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>&amp;Fäden</translation>
    </message>
    <message>
        <source>dddd, mmmm d, yyyy</source>
        <extracomment>The calendar&apos;s status lines: d day, m month, y year (dddd and mmmm are the names); quoted text stays as it is.</extracomment>
        <translation>dddd, d. mmmm yyyy</translation>
    </message>
    <message>
        <source>Wk</source>
        <translation>KW</translation>
    </message>
    <message>
        <source>Su</source>
        <translation>So</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>Tu</source>
        <translation>Di</translation>
    </message>
    <message>
        <source>We</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Th</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Fr</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>Sa</translation>
    </message>
    <message>
        <source>&amp;Duration</source>
        <translation>&amp;Dauer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Must start here</source>
        <translation>Muss hier beginnen</translation>
    </message>
    <message>
        <source>The warp length must be more than 0m</source>
        <translation>Die Kettlänge muss über 0m liegen</translation>
    </message>
    <message>
        <source>This reduced length cannot support the current fabric items</source>
        <translation>Diese kürzere Kette trägt die vorhandenen Gewebe nicht</translation>
    </message>
    <message>
        <source>There are no warp types to give the reed its ends</source>
        <translation>Es gibt keinen Kettentyp, der dem Blatt seine Fadenzahl gibt</translation>
    </message>
    <message>
        <source>Choose the number of ends for the reed</source>
        <translation>Wählen Sie die Fadenzahl des Blatts</translation>
    </message>
</context>
<context>
    <name>TLoadForm</name>
    <message>
        <source>Load Scenario</source>
        <translation>Szenario laden</translation>
    </message>
    <message>
        <source>Stored Scenarios</source>
        <translation>Gespeicherte Szenarien</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
</context>
<context>
    <name>TLoomProgress</name>
    <message>
        <source>Waiting for the database...</source>
        <translation>Warten auf die Datenbank...</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Demo: Plexiweave Scheduler</source>
        <translation>Demo: Plexiweave-Planer</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Laden...</translation>
    </message>
    <message>
        <source>Load a scenario</source>
        <translation>Ein Szenario laden</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Save this scenario</source>
        <translation>Dieses Szenario speichern</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>L&amp;eeren</translation>
    </message>
    <message>
        <source>Clear this scenario</source>
        <translation>Dieses Szenario leeren</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Re&amp;do</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print this scenario</source>
        <translation>Dieses Szenario drucken</translation>
    </message>
    <message>
        <source>Export Plan &amp;Data...</source>
        <translation>Plan&amp;daten exportieren...</translation>
    </message>
    <message>
        <source>&amp;Reqmts...</source>
        <translation>&amp;Bedarf...</translation>
    </message>
    <message>
        <source>Scenario yarn requirements</source>
        <translation>Garnbedarf des Szenarios</translation>
    </message>
    <message>
        <source>&amp;Output...</source>
        <translation>&amp;Ausstoß...</translation>
    </message>
    <message>
        <source>Scenario fabric output</source>
        <translation>Rohwarenausstoß des Szenarios</translation>
    </message>
    <message>
        <source>&amp;Maint...</source>
        <translation>S&amp;tammdaten...</translation>
    </message>
    <message>
        <source>Data maintenance</source>
        <translation>Stammdaten pflegen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Be&amp;enden</translation>
    </message>
    <message>
        <source>Close the planner</source>
        <translation>Den Planer schließen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Info...</translation>
    </message>
    <message>
        <source>About this program</source>
        <translation>Über dieses Programm</translation>
    </message>
    <message>
        <source>Introduction</source>
        <translation>Einführung</translation>
    </message>
    <message>
        <source>Terminology</source>
        <translation>Begriffe</translation>
    </message>
    <message>
        <source>Tutorial</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <source>Database: %1 (read-only)</source>
        <translation>Datenbank: %1 (schreibgeschützt)</translation>
    </message>
    <message>
        <source>The database file %1 cannot be written, so it is open read-only. Stored scenarios can be loaded, printed and reported on, but nothing can be saved and the data cannot be maintained.</source>
        <translation>In die Datenbankdatei %1 kann nicht geschrieben werden, sie ist deshalb schreibgeschützt geöffnet. Gespeicherte Szenarien lassen sich laden, drucken und auswerten, aber nichts kann gespeichert und die Stammdaten können nicht gepflegt werden.</translation>
    </message>
    <message>
        <source>Database: %1</source>
        <translation>Datenbank: %1</translation>
    </message>
    <message>
        <source>&amp;Add Fabric...</source>
        <translation>Gewebe &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Edit Fabric...</source>
        <translation>Gewebe &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Remove Fabric</source>
        <translation>Gewebe &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Clear Fabrics</source>
        <translation>&amp;Alle Gewebe entfernen</translation>
    </message>
    <message>
        <source>&amp;Edit Warp</source>
        <translation>&amp;Kette bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Remove Warp</source>
        <translation>Kette en&amp;tfernen</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>Alle Aufträge &amp;löschen</translation>
    </message>
    <message>
        <source>Saving Scenario</source>
        <translation>Szenario wird gespeichert</translation>
    </message>
    <message>
        <source>Saving loom %1</source>
        <translation>Webstuhl %1 wird gespeichert</translation>
    </message>
    <message>
        <source>Do you want to first save the current scenario?</source>
        <translation>Möchten Sie zuerst das aktuelle Szenario speichern?</translation>
    </message>
    <message>
        <source>Clear all jobs?</source>
        <translation>Alle Aufträge löschen?</translation>
    </message>
    <message>
        <source>Export Plan Data</source>
        <translation>Plandaten exportieren</translation>
    </message>
    <message>
        <source>Plan data</source>
        <translation>Plandaten</translation>
    </message>
    <message>
        <source>First save your changes</source>
        <translation>Speichern Sie zuerst Ihre Änderungen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>Nichts rückgängig zu machen</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>Nothing to redo</source>
        <translation>Nichts zu wiederholen</translation>
    </message>
    <message>
        <source>Close without saving your changes?</source>
        <translation>Schließen, ohne Ihre Änderungen zu speichern?</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>&amp;Systemsprache</translation>
    </message>
    <message>
        <source>The language changes at the planner&apos;s next start.</source>
        <translation>Die Sprache wechselt beim nächsten Start des Planers.</translation>
    </message>
    <message>
        <source>Compare &amp;with...</source>
        <translation>&amp;Vergleichen mit...</translation>
    </message>
    <message>
        <source>Compare with the &amp;last saved state</source>
        <translation>Mit dem &amp;zuletzt gespeicherten Stand vergleichen</translation>
    </message>
    <message>
        <source>No database is open</source>
        <translation>Keine Datenbank geöffnet</translation>
    </message>
    <message>
        <source>Saving was cancelled: nothing was saved, the board is kept</source>
        <translation>Speichern abgebrochen: nichts wurde gespeichert, die Plantafel bleibt erhalten</translation>
    </message>
    <message>
        <source>The connection to the database server had broken (the server may have restarted). It was opened again, and the scenario is saved.</source>
        <translation>Die Verbindung zum Datenbankserver war abgerissen (vielleicht wurde der Server neu gestartet). Sie wurde neu aufgebaut, und das Szenario ist gespeichert.</translation>
    </message>
    <message>
        <source>%1.

Overwrite it with this board, save this board as a new scenario, or cancel?</source>
        <translation>%1.

Mit dieser Plantafel überschreiben, diese Plantafel als neues Szenario speichern oder abbrechen?</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>&amp;Überschreiben</translation>
    </message>
    <message>
        <source>Save as &amp;New</source>
        <translation>Als &amp;neues speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Scenario %1</source>
        <translation>Szenario %1</translation>
    </message>
    <message>
        <source>Loading Scenario</source>
        <translation>Szenario wird geladen</translation>
    </message>
    <message>
        <source>Loading loom %1</source>
        <translation>Webstuhl %1 wird geladen</translation>
    </message>
</context>
<context>
    <name>TMaintChecks</name>
    <message>
        <source>%1: the loom type is written %2, not %3</source>
        <translation>%1: Der Webstuhltyp wird %2 geschrieben, nicht %3</translation>
    </message>
    <message>
        <source>No loom has the type %1 yet, and no fabric structure can go on it. Enter %1 as a new loom type?</source>
        <translation>Noch kein Webstuhl hat den Typ %1, und keine Bindung kann darauf gewebt werden. %1 als neuen Webstuhltyp eintragen?</translation>
    </message>
    <message>
        <source>%1: the fabric structure is written %2, not %3</source>
        <translation>%1: Die Bindung wird %2 geschrieben, nicht %3</translation>
    </message>
    <message>
        <source>No fabric has the structure %1 yet. Enter %1 as a new fabric structure?</source>
        <translation>Noch kein Gewebe hat die Bindung %1. %1 als neue Bindung eintragen?</translation>
    </message>
    <message>
        <source>%1: the warp type is written %2, not %3</source>
        <translation>%1: Der Kettentyp wird %2 geschrieben, nicht %3</translation>
    </message>
    <message>
        <source>%1: there is no warp type %2. The warp types are %3; add a new one on the Warps page first.</source>
        <translation>%1: Es gibt keinen Kettentyp %2. Die Kettentypen sind %3; legen Sie einen neuen zuerst auf der Seite „Ketten“ an.</translation>
    </message>
    <message>
        <source>%1: the warp colour is written %2, not %3</source>
        <translation>%1: Die Kettfarbe wird %2 geschrieben, nicht %3</translation>
    </message>
    <message>
        <source>No fabric is woven on a warp of colour %1 yet. Enter %1 as a new warp colour?</source>
        <translation>Noch kein Gewebe wird auf einer Kette der Farbe %1 gewebt. %1 als neue Kettfarbe eintragen?</translation>
    </message>
    <message>
        <source>its position %1 cannot change</source>
        <translation>seine Position %1 kann sich nicht ändern</translation>
    </message>
    <message>
        <source>it cannot be deleted</source>
        <translation>er kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Position %1 is already used by loom %2</source>
        <translation>Position %1 ist schon von Webstuhl %2 belegt</translation>
    </message>
    <message>
        <source>Ref %1 is already used by the loom at position %2 (%3)</source>
        <translation>Ref %1 hat schon der Webstuhl auf Position %2 (%3)</translation>
    </message>
    <message>
        <source>Loom %1 is used by %2 stored scenario: %3 while they hold jobs on it</source>
        <translation>Webstuhl %1 wird von %2 gespeicherten Szenario genutzt: %3, solange es Aufträge darauf hat</translation>
    </message>
    <message>
        <source>Loom %1 is used by %2 stored scenarios: %3 while they hold jobs on it</source>
        <translation>Webstuhl %1 wird von %2 gespeicherten Szenarien genutzt: %3, solange sie Aufträge darauf haben</translation>
    </message>
</context>
<context>
    <name>TMaintData</name>
    <message>
        <source>Ref</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Descr</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>Fäden</translation>
    </message>
    <message>
        <source>Dents/cm</source>
        <translation>Riet/cm</translation>
    </message>
    <message>
        <source>Ave Hrs</source>
        <translation>Ø Std.</translation>
    </message>
    <message>
        <source>Wastage</source>
        <translation>Ausbeute</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Gewicht</translation>
    </message>
    <message>
        <source>Stru</source>
        <translation>Bind.</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Warp Type</source>
        <translation>Kettentyp</translation>
    </message>
    <message>
        <source>Warp Col</source>
        <translation>Kettfarbe</translation>
    </message>
    <message>
        <source>Weft Stru</source>
        <translation>Schussgarn</translation>
    </message>
    <message>
        <source>Weft Twist</source>
        <translation>Drehung</translation>
    </message>
    <message>
        <source>Weft Col</source>
        <translation>Schussfarbe</translation>
    </message>
    <message>
        <source>Piece Len</source>
        <translation>Stücklg.</translation>
    </message>
    <message>
        <source>Warp Pce Wt</source>
        <translation>Kettgew./Stk</translation>
    </message>
    <message>
        <source>Weft Pce Wt</source>
        <translation>Schussg./Stk</translation>
    </message>
    <message>
        <source>Hrs/Pce</source>
        <translation>Std./Stk</translation>
    </message>
    <message>
        <source>Fabric Stru</source>
        <translation>Bindung</translation>
    </message>
    <message>
        <source>Loom Type</source>
        <translation>Webstuhltyp</translation>
    </message>
</context>
<context>
    <name>TMaintForm</name>
    <message>
        <source>Data Maintenance</source>
        <translation>Stammdatenpflege</translation>
    </message>
    <message>
        <source>Looms</source>
        <translation>Webstühle</translation>
    </message>
    <message>
        <source>Warps</source>
        <translation>Ketten</translation>
    </message>
    <message>
        <source>Fabrics</source>
        <translation>Gewebe</translation>
    </message>
    <message>
        <source>Fa&amp;bric:Loom</source>
        <translation>&amp;Bindung:Webstuhl</translation>
    </message>
    <message>
        <source>Downtimes</source>
        <translation>Stillstände</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&gt;&gt;  &amp;Add  &gt;</source>
        <translation>&gt;&gt;  Hin&amp;zufügen  &gt;</translation>
    </message>
    <message>
        <source>&amp;Remove &lt;</source>
        <translation>&amp;Entfernen &lt;</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>No database is connected</source>
        <translation>Keine Datenbank verbunden</translation>
    </message>
    <message>
        <source>First save or cancel your edits</source>
        <translation>Speichern oder verwerfen Sie zuerst Ihre Änderungen</translation>
    </message>
    <message>
        <source>New and changed reference data is used from the next start</source>
        <translation>Neue und geänderte Stammdaten gelten ab dem nächsten Start</translation>
    </message>
    <message>
        <source>Delete this fabric:loom combination?</source>
        <translation>Diese Kombination Bindung:Webstuhl löschen?</translation>
    </message>
    <message>
        <source>Specify what fabric structures can go on a loom type by adding the combinations.
Note that the add button is only enabled when a combination does not already exist (when it is not highlighted).
Tip: To see which fabrics are not defined for a loom type, select that loom type and scroll through the available fabric structures.</source>
        <translation>Legen Sie fest, welche Bindungen ein Webstuhltyp weben kann, indem Sie die Kombinationen hinzufügen.
Die Schaltfläche „Hinzufügen“ ist nur aktiv, wenn es die Kombination noch nicht gibt (wenn sie nicht hervorgehoben ist).
Tipp: Um zu sehen, welche Bindungen für einen Webstuhltyp fehlen, wählen Sie diesen Webstuhltyp und blättern Sie durch die verfügbaren Bindungen.</translation>
    </message>
</context>
<context>
    <name>TModeForm</name>
    <message>
        <source>Scheduling Demo</source>
        <translation>Planungs-Demo</translation>
    </message>
    <message>
        <source> Data Mode </source>
        <translation> Datenmodus </translation>
    </message>
    <message>
        <source>How would you like to run this demo?</source>
        <translation>Wie möchten Sie diese Demo betreiben?</translation>
    </message>
    <message>
        <source>Use &amp;Text Based Data</source>
        <translation>&amp;Textdateien verwenden</translation>
    </message>
    <message>
        <source>(Scenarios cannot be loaded and be saved and no reporting)</source>
        <translation>(Szenarien lassen sich weder laden noch speichern, keine Berichte)</translation>
    </message>
    <message>
        <source>Use &amp;Local Database</source>
        <translation>&amp;Lokale Datenbank verwenden</translation>
    </message>
    <message>
        <source>(Scenarios are kept in the database file Shedwise.db in the program&apos;s folder)</source>
        <translation>(Szenarien liegen in der Datenbankdatei Shedwise.db im Programmordner)</translation>
    </message>
    <message>
        <source>Use Database &amp;Server</source>
        <translation>Datenbank&amp;server verwenden</translation>
    </message>
    <message>
        <source>(A database server on the network and the connection alias &quot;ShedwiseSQL&quot; set up for its Shedwise database)</source>
        <translation>(Ein Datenbankserver im Netzwerk, mit dem Verbindungsalias „ShedwiseSQL“ für seine Datenbank Shedwise)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TOutputForm</name>
    <message>
        <source>Fabric Output</source>
        <translation>Gewebeausstoß</translation>
    </message>
    <message>
        <source>Greige Output - </source>
        <translation>Rohwarenausstoß - </translation>
    </message>
</context>
<context>
    <name>TPlantViews</name>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>&amp;Timeline</source>
        <translation>&amp;Zeitleiste</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find &amp;Previous</source>
        <translation>&amp;Rückwärts suchen</translation>
    </message>
    <message>
        <source>Print T&amp;imeline...</source>
        <translation>Zeitleiste &amp;drucken...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>A&amp;nsicht</translation>
    </message>
    <message>
        <source>The timeline and find</source>
        <translation>Zeitleiste und Suche</translation>
    </message>
</context>
<context>
    <name>TPrintForm</name>
    <message>
        <source>Print Options</source>
        <translation>Druckoptionen</translation>
    </message>
    <message>
        <source> Print To </source>
        <translation> Ausgabe auf </translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>&amp;Drucker</translation>
    </message>
    <message>
        <source>&amp;Comma delimited text file</source>
        <translation>&amp;Kommagetrennte Textdatei</translation>
    </message>
    <message>
        <source>Printer Setup...</source>
        <translation>Druckereinrichtung...</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>Text file (txt) (*.txt)</source>
        <translation>Textdatei (txt) (*.txt)</translation>
    </message>
    <message>
        <source>Any file (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Print To Comma Delimited File</source>
        <translation>In kommagetrennte Textdatei drucken</translation>
    </message>
    <message>
        <source>No printer is set up: choose a printer or a PDF file under Printer Setup...</source>
        <translation>Kein Drucker eingerichtet: Wählen Sie unter „Druckereinrichtung...“ einen Drucker oder eine PDF-Datei.</translation>
    </message>
    <message>
        <source>P&amp;DF file</source>
        <translation>&amp;PDF-Datei</translation>
    </message>
    <message>
        <source> Pages </source>
        <translation> Seiten </translation>
    </message>
    <message>
        <source>&amp;Tile across pages</source>
        <translation>Auf &amp;mehrere Seiten verteilen</translation>
    </message>
    <message>
        <source>&amp;Fit to one page width</source>
        <translation>Auf eine Seiten&amp;breite einpassen</translation>
    </message>
    <message>
        <source>Print To PDF File</source>
        <translation>Als PDF-Datei drucken</translation>
    </message>
    <message>
        <source>PDF file (*.pdf)</source>
        <translation>PDF-Datei (*.pdf)</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
</context>
<context>
    <name>TReportData</name>
    <message>
        <source>Warp Reqmts</source>
        <translation>Kettgarnbedarf</translation>
    </message>
    <message>
        <source>Weft Reqmts</source>
        <translation>Schussgarnbedarf</translation>
    </message>
    <message>
        <source>By Date</source>
        <translation>Nach Datum</translation>
    </message>
    <message>
        <source>By Job</source>
        <translation>Nach Auftrag</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Gewicht</translation>
    </message>
    <message>
        <source>Job No</source>
        <translation>Auftr.</translation>
    </message>
    <message>
        <source>Struct</source>
        <translation>Bindg.</translation>
    </message>
    <message>
        <source>Twist</source>
        <translation>Draht</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>Total length</source>
        <translation>Gesamtlänge</translation>
    </message>
    <message>
        <source>Total weight</source>
        <translation>Gesamtgewicht</translation>
    </message>
    <message>
        <source>Total pieces</source>
        <translation>Stück gesamt</translation>
    </message>
    <message>
        <source>Struct</source>
        <comment>weft yarn</comment>
        <translation>Garn</translation>
    </message>
</context>
<context>
    <name>TReportForm</name>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Export Report</source>
        <translation>Bericht exportieren</translation>
    </message>
</context>
<context>
    <name>TReqmtsForm</name>
    <message>
        <source>ReqmtsForm</source>
        <translation>Garnbedarf</translation>
    </message>
    <message>
        <source>Yarn Requirements - </source>
        <translation>Garnbedarf - </translation>
    </message>
</context>
<context>
    <name>TSaveForm</name>
    <message>
        <source>Save Scenario</source>
        <translation>Szenario speichern</translation>
    </message>
    <message>
        <source>Scenario &amp;Number:</source>
        <translation>Szenario-&amp;Nummer:</translation>
    </message>
    <message>
        <source>&amp;Next Available</source>
        <translation>Nächste &amp;freie</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Stored Scenarios</source>
        <translation>&amp;Gespeicherte Szenarien</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Scenario %1</source>
        <translation>Szenario %1</translation>
    </message>
    <message>
        <source>No database is open</source>
        <translation>Keine Datenbank geöffnet</translation>
    </message>
    <message>
        <source>A valid number must be entered.</source>
        <translation>Bitte eine gültige Nummer eingeben.</translation>
    </message>
    <message>
        <source>Overwrite scenario &quot;%1&quot; stored under the same number?</source>
        <translation>Szenario „%1“ überschreiben, das unter derselben Nummer gespeichert ist?</translation>
    </message>
    <message>
        <source>Edit Scenario Description</source>
        <translation>Szenariobeschreibung bearbeiten</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
</context>
<context>
    <name>TScenarioGrid</name>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Delete this scenario?</source>
        <translation>Dieses Szenario löschen?</translation>
    </message>
</context>
<context>
    <name>TScenarioSession</name>
    <message>
        <source>No database is open</source>
        <translation>Keine Datenbank geöffnet</translation>
    </message>
</context>
<context>
    <name>TScenarioStore</name>
    <message>
        <source>A description holds at most %1 characters</source>
        <translation>Eine Beschreibung hat höchstens %1 Zeichen</translation>
    </message>
    <message>
        <source>Scenario number %1 not found</source>
        <translation>Szenario Nummer %1 nicht gefunden</translation>
    </message>
    <message>
        <source>1 job of this scenario is on loom %1, which no longer exists; it was not loaded</source>
        <translation>1 Auftrag dieses Szenarios steht auf Webstuhl %1, den es nicht mehr gibt; er wurde nicht geladen</translation>
    </message>
    <message>
        <source>%1 jobs of this scenario are on loom %2, which no longer exists; they were not loaded</source>
        <translation>%1 Aufträge dieses Szenarios stehen auf Webstuhl %2, den es nicht mehr gibt; sie wurden nicht geladen</translation>
    </message>
    <message>
        <source>

They stay stored: a loom given that position again shows them.</source>
        <translation>

Sie bleiben gespeichert: Ein Webstuhl, der diese Position wieder erhält, zeigt sie.</translation>
    </message>
    <message>
        <source>Scenario %1 was saved at %2 by another planner since you loaded it</source>
        <translation>Szenario %1 wurde um %2 von einem anderen Planer gespeichert, seit Sie es geladen haben</translation>
    </message>
    <message>
        <source>Scenario %1 was saved on %2 at %3 by another planner since you loaded it</source>
        <translation>Szenario %1 wurde am %2 um %3 von einem anderen Planer gespeichert, seit Sie es geladen haben</translation>
    </message>
    <message>
        <source>Scenario number %1 is already stored: another planner has just saved under it. Save again under another number.</source>
        <translation>Szenarionummer %1 ist bereits belegt: Ein anderer Planer hat gerade darunter gespeichert. Speichern Sie unter einer anderen Nummer.</translation>
    </message>
</context>
<context>
    <name>TSchedDB</name>
    <message>
        <source>No database alias %1 is defined.

Add a section [%1] to the alias file
%2
with the keys Driver (QPSQL for PostgreSQL), Database, Host, Port and UserName, then choose &quot;Use Database Server&quot; again. Until then choose &quot;Use Local Database&quot; or &quot;Use Text Based Data&quot;.</source>
        <translation>Es ist kein Datenbankalias %1 festgelegt.

Fügen Sie der Aliasdatei
%2
einen Abschnitt [%1] mit den Schlüsseln Driver (QPSQL für PostgreSQL), Database, Host, Port und UserName hinzu und wählen Sie dann erneut „Datenbankserver verwenden“. Bis dahin wählen Sie „Lokale Datenbank verwenden“ oder „Textdateien verwenden“.</translation>
    </message>
    <message>
        <source>The connection alias %1 in %2 names no database: the key &quot;Database&quot; is missing or empty</source>
        <translation>Der Verbindungsalias %1 in %2 nennt keine Datenbank: Der Schlüssel „Database“ fehlt oder ist leer</translation>
    </message>
    <message>
        <source>The database driver &quot;%1&quot; of alias %2 is not installed</source>
        <translation>Der Datenbanktreiber „%1“ des Alias %2 ist nicht installiert</translation>
    </message>
    <message>
        <source>The database file %1 could not be created in the folder %2: %3</source>
        <translation>Die Datenbankdatei %1 konnte im Ordner %2 nicht angelegt werden: %3</translation>
    </message>
    <message>
        <source>Looms share a position or a reference:

%1

Stored scenarios find their looms by position, so these looms&apos; jobs cannot be told apart. Give each loom a position and a reference of its own in Data Maintenance.</source>
        <translation>Webstühle teilen sich eine Position oder eine Ref:

%1

Gespeicherte Szenarien finden ihre Webstühle über die Position, daher lassen sich die Aufträge dieser Webstühle nicht auseinanderhalten. Geben Sie in der Stammdatenpflege jedem Webstuhl eine eigene Position und Ref.</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 auf %2</translation>
    </message>
    <message>
        <source>Cannot connect to database &apos;%1&apos;</source>
        <translation>Keine Verbindung zur Datenbank „%1“</translation>
    </message>
    <message>
        <source>The database server %1 did not answer in time (%2 s)</source>
        <translation>Der Datenbankserver %1 hat nicht rechtzeitig geantwortet (%2 s)</translation>
    </message>
    <message>
        <source>The database has no planner tables. Create them now?</source>
        <translation>Die Datenbank hat keine Planertabellen. Jetzt anlegen?</translation>
    </message>
    <message>
        <source>Database &apos;%1&apos; is not open</source>
        <translation>Datenbank „%1“ ist nicht geöffnet</translation>
    </message>
    <message>
        <source>A transaction is already active</source>
        <translation>Es läuft bereits eine Transaktion</translation>
    </message>
    <message>
        <source>No transaction is active</source>
        <translation>Es läuft keine Transaktion</translation>
    </message>
    <message>
        <source>the database file %1</source>
        <translation>die Datenbankdatei %1</translation>
    </message>
    <message>
        <source>%1 database %2 on host %3</source>
        <translation>%1-Datenbank %2 auf Host %3</translation>
    </message>
    <message>
        <source>defined for this run</source>
        <translation>für diesen Lauf festgelegt</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>aus %1</translation>
    </message>
    <message>
        <source>(Uses the alias %1 %2: %3)</source>
        <translation>(Nutzt den Alias %1 %2: %3)</translation>
    </message>
    <message>
        <source>(Scenarios are kept in the database file %1, created at the first start)</source>
        <translation>(Szenarien liegen in der Datenbankdatei %1, die beim ersten Start angelegt wird)</translation>
    </message>
    <message>
        <source>(Scenarios are kept in the database file %1, which can only be read)</source>
        <translation>(Szenarien liegen in der Datenbankdatei %1, die nur gelesen werden kann)</translation>
    </message>
    <message>
        <source>(Scenarios are kept in the database file %1)</source>
        <translation>(Szenarien liegen in der Datenbankdatei %1)</translation>
    </message>
    <message>
        <source>The alias file %1 %2, so its aliases cannot be read. Save it as plain UTF-8 text, one [section] per alias.</source>
        <translation>Die Aliasdatei %1 %2, daher können ihre Aliase nicht gelesen werden. Speichern Sie sie als reinen UTF-8-Text, eine [Sektion] je Alias.</translation>
    </message>
    <message>
        <source>is UTF-16 text</source>
        <translation>ist UTF-16-Text</translation>
    </message>
    <message>
        <source>holds binary data (NUL bytes)</source>
        <translation>enthält Binärdaten (NUL-Bytes)</translation>
    </message>
    <message>
        <source>is not UTF-8 text</source>
        <translation>ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>The alias file %1 is not an ini file, so its aliases cannot be read.</source>
        <translation>Die Aliasdatei %1 ist keine INI-Datei, daher können ihre Aliase nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The connection alias %1 in %2 names no database driver: the key &quot;Driver&quot; is missing or empty (QPSQL for PostgreSQL, QSQLITE for a database file)</source>
        <translation>Der Verbindungsalias %1 in %2 nennt keinen Datenbanktreiber: Der Schlüssel „Driver“ fehlt oder ist leer (QPSQL für PostgreSQL, QSQLITE für eine Datenbankdatei)</translation>
    </message>
</context>
<context>
    <name>TSchedData</name>
    <message>
        <source>%1, column %2: %3</source>
        <translation>%1, Spalte %2: %3</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Table WARPTYPE, row %1 (%2)</source>
        <translation>Tabelle WARPTYPE, Zeile %1 (%2)</translation>
    </message>
    <message>
        <source>Table FABRICTYPE, structure %1</source>
        <translation>Tabelle FABRICTYPE, Bindung %1</translation>
    </message>
</context>
<context>
    <name>TTimelinePane</name>
    <message>
        <source>reed</source>
        <translation>Blatt</translation>
    </message>
    <message>
        <source>warp</source>
        <translation>Kette</translation>
    </message>
    <message>
        <source>in its colour</source>
        <translation>in ihrer Farbe</translation>
    </message>
    <message>
        <source>downtime</source>
        <translation>Stillstand</translation>
    </message>
    <message>
        <source>idle</source>
        <translation>Leerlauf</translation>
    </message>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
    <message>
        <source>loom out of work</source>
        <translation>Webstuhl ohne Arbeit</translation>
    </message>
    <message>
        <source>this week</source>
        <translation>diese Woche</translation>
    </message>
    <message>
        <source>next week</source>
        <translation>nächste Woche</translation>
    </message>
    <message>
        <source>Choose the period the timeline shows</source>
        <translation>Den Zeitraum der Zeitleiste wählen</translation>
    </message>
    <message>
        <source>Zoom out (-, Ctrl+wheel)</source>
        <translation>Verkleinern (-, Strg+Mausrad)</translation>
    </message>
    <message>
        <source>Zoom in (+, Ctrl+wheel)</source>
        <translation>Vergrößern (+, Strg+Mausrad)</translation>
    </message>
    <message>
        <source>Fit period</source>
        <translation>Zeitraum einpassen</translation>
    </message>
    <message>
        <source>The whole period in the width (0)</source>
        <translation>Den ganzen Zeitraum in der Breite (0)</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>Print the timeline or save it as a PDF</source>
        <translation>Die Zeitleiste drucken oder als PDF speichern</translation>
    </message>
    <message>
        <source>Period: %1 ...</source>
        <translation>Zeitraum: %1 ...</translation>
    </message>
    <message>
        <source>Timeline %1</source>
        <translation>Zeitleiste %1</translation>
    </message>
    <message>
        <source>The print options dialog is not available</source>
        <translation>Der Dialog der Druckoptionen ist nicht verfügbar</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
</context>
<context>
    <name>TTimelinePeriodForm</name>
    <message>
        <source>Timeline Period</source>
        <translation>Zeitraum der Zeitleiste</translation>
    </message>
    <message>
        <source>Left click: first day. Right click: last day.
Month or year name: the whole month or year.</source>
        <translation>Linksklick: erster Tag. Rechtsklick: letzter Tag.
Monats- oder Jahresname: der ganze Monat oder das ganze Jahr.</translation>
    </message>
    <message>
        <source>&amp;Whole plan</source>
        <translation>&amp;Ganzer Plan</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TVxAboutForm</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Production planner for weaving plants:
reeds, warps, fabrics and downtime on every loom.</source>
        <translation>Produktionsplaner für Webereien:
Blätter, Ketten, Gewebe und Stillstände auf jedem Webstuhl.</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Plexiweave developers.
Free software under the GNU General Public License, version 3 or later; it comes with ABSOLUTELY NO WARRANTY.</source>
        <translation>Copyright © 2026 Die Plexiweave-Entwickler.
Freie Software unter der GNU General Public License, Version 3 oder später; sie wird OHNE JEDE GEWÄHRLEISTUNG bereitgestellt.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
</context>
<context>
    <name>TVxCalendarHeaders</name>
    <message>
        <source>Wk</source>
        <translation>KW</translation>
    </message>
</context>
<context>
    <name>TVxCustomCalendar</name>
    <message>
        <source>- Year</source>
        <translation>- Jahr</translation>
    </message>
    <message>
        <source>- Month</source>
        <translation>- Monat</translation>
    </message>
    <message>
        <source>+ Month</source>
        <translation>+ Monat</translation>
    </message>
    <message>
        <source>+ Year</source>
        <translation>+ Jahr</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>This week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid date</source>
        <translation>„%1“ ist kein gültiges Datum</translation>
    </message>
    <message>
        <source> Date</source>
        <translation> Datum</translation>
    </message>
    <message>
        <source> Start</source>
        <translation> Beginn</translation>
    </message>
    <message>
        <source> Finish: </source>
        <translation> Ende:   </translation>
    </message>
</context>
<context>
    <name>TVxDBGrid</name>
    <message>
        <source>Delete record?</source>
        <translation>Datensatz löschen?</translation>
    </message>
</context>
<context>
    <name>TVxDBNavigator</name>
    <message>
        <source>First record</source>
        <translation>Erster Datensatz</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Vorheriger Datensatz</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Nächster Datensatz</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Letzter Datensatz</translation>
    </message>
    <message>
        <source>Insert record</source>
        <translation>Datensatz einfügen</translation>
    </message>
    <message>
        <source>Delete record</source>
        <translation>Datensatz löschen</translation>
    </message>
    <message>
        <source>Edit record</source>
        <translation>Datensatz bearbeiten</translation>
    </message>
    <message>
        <source>Post edit</source>
        <translation>Änderung speichern</translation>
    </message>
    <message>
        <source>Cancel edit</source>
        <translation>Änderung verwerfen</translation>
    </message>
</context>
<context>
    <name>TVxDataPrinter</name>
    <message>
        <source>Printing in progress</source>
        <translation>Es wird bereits gedruckt</translation>
    </message>
    <message>
        <source>Cannot begin the print document</source>
        <translation>Das Druckdokument lässt sich nicht beginnen</translation>
    </message>
    <message>
        <source>Cannot finish the print document</source>
        <translation>Das Druckdokument lässt sich nicht abschließen</translation>
    </message>
    <message>
        <source>Printer is not printing</source>
        <translation>Der Drucker druckt nicht</translation>
    </message>
    <message>
        <source>Cannot start a new page</source>
        <translation>Keine neue Seite möglich</translation>
    </message>
    <message>
        <source>Inaccessable dataset</source>
        <translation>Datenmenge nicht zugänglich</translation>
    </message>
    <message>
        <source>Cannot print %1: it has %2 fields, and at most %3 fit</source>
        <translation>%1 lässt sich nicht drucken: Es hat %2 Felder, höchstens %3 passen</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
</context>
<context>
    <name>TVxDataSet</name>
    <message>
        <source>%1: Field &apos;%2&apos; not found</source>
        <translation>%1: Feld „%2“ nicht gefunden</translation>
    </message>
    <message>
        <source>%1: Field &apos;%2&apos; is not being calculated</source>
        <translation>%1: Feld „%2“ wird nicht berechnet</translation>
    </message>
    <message>
        <source>%1 is out of range (%2 to %3)</source>
        <translation>%1 liegt außerhalb des Bereichs (%2 bis %3)</translation>
    </message>
    <message>
        <source>%1 must not be empty</source>
        <translation>%1 darf nicht leer sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is longer than %2 character</source>
        <translation>„%1“ ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is longer than %2 characters</source>
        <translation>„%1“ ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>„%1“ ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date</source>
        <translation>„%1“ ist kein Datum</translation>
    </message>
    <message>
        <source>%1: Cannot perform this operation on a closed dataset (%2)</source>
        <translation>%1: Dieser Vorgang ist an einer geschlossenen Datenmenge nicht möglich (%2)</translation>
    </message>
    <message>
        <source>%1: Cannot edit an empty dataset</source>
        <translation>%1: Eine leere Datenmenge lässt sich nicht bearbeiten</translation>
    </message>
    <message>
        <source>%1: Dataset not in edit or insert mode</source>
        <translation>%1: Die Datenmenge ist nicht im Bearbeitungs- oder Einfügemodus</translation>
    </message>
    <message>
        <source>%1: Field &apos;%2&apos; cannot be modified</source>
        <translation>%1: Feld „%2“ lässt sich nicht ändern</translation>
    </message>
    <message>
        <source>%1: The row was changed or deleted</source>
        <translation>%1: Die Zeile wurde geändert oder gelöscht</translation>
    </message>
    <message>
        <source>%1: Cannot delete from an empty dataset</source>
        <translation>%1: Aus einer leeren Datenmenge lässt sich nichts löschen</translation>
    </message>
    <message>
        <source>%1: Parameter &apos;%2&apos; not found</source>
        <translation>%1: Parameter „%2“ nicht gefunden</translation>
    </message>
</context>
<context>
    <name>TVxJobForm</name>
    <message>
        <source> Job Definition </source>
        <translation> Auftrag </translation>
    </message>
    <message>
        <source>&amp;Upper Caption</source>
        <translation>&amp;Obere Beschriftung</translation>
    </message>
    <message>
        <source>&amp;Lower Caption</source>
        <translation>&amp;Untere Beschriftung</translation>
    </message>
    <message>
        <source>&amp;StartDate</source>
        <translation>&amp;Beginn</translation>
    </message>
    <message>
        <source>&amp;Finish Date</source>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Caption</source>
        <translation>&amp;Beschriftung</translation>
    </message>
</context>
<context>
    <name>TVxJobItemForm</name>
    <message>
        <source>&amp;Available</source>
        <translation>&amp;Verfügbar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TVxJobSchedule</name>
    <message>
        <source>Item not owned by job!</source>
        <translation>Position gehört zu keinem Auftrag!</translation>
    </message>
    <message>
        <source>Job not owned by schedule!</source>
        <translation>Auftrag gehört zu keiner Spalte!</translation>
    </message>
    <message>
        <source>Edit Item</source>
        <translation>Position bearbeiten</translation>
    </message>
    <message>
        <source>Edit Job Item</source>
        <translation>Auftragsposition bearbeiten</translation>
    </message>
    <message>
        <source>Definition</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Edit Job</source>
        <translation>Auftrag bearbeiten</translation>
    </message>
    <message>
        <source>Add New Job Items</source>
        <translation>Neue Auftragspositionen</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>Position hinzufügen</translation>
    </message>
    <message>
        <source>Remove all the items from this job?</source>
        <translation>Alle Positionen aus diesem Auftrag entfernen?</translation>
    </message>
    <message>
        <source>Add New Job</source>
        <translation>Neuer Auftrag</translation>
    </message>
    <message>
        <source>Remove all the jobs from this schedule?</source>
        <translation>Alle Aufträge aus dieser Spalte entfernen?</translation>
    </message>
</context>
<context>
    <name>TVxLoginForm</name>
    <message>
        <source>Database Login</source>
        <translation>Datenbankanmeldung</translation>
    </message>
    <message>
        <source>Database: %1</source>
        <translation>Datenbank: %1</translation>
    </message>
    <message>
        <source>&amp;User Name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
</context>
<context>
    <name>TVxPlanCommand</name>
    <message>
        <source>Loom %1 is not part of this edit</source>
        <translation>Webstuhl %1 gehört nicht zu dieser Änderung</translation>
    </message>
    <message>
        <source>No loom at position %1</source>
        <translation>Kein Webstuhl an Position %1</translation>
    </message>
    <message>
        <source>No job at position %1 on %2</source>
        <translation>Kein Auftrag an Stelle %1 auf %2</translation>
    </message>
    <message>
        <source>No fabric at position %1 on %2</source>
        <translation>Kein Gewebe an Stelle %1 auf %2</translation>
    </message>
    <message>
        <source>Add %1 to %2</source>
        <translation>%1 zu %2 hinzufügen</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>No place %1 on %2</source>
        <translation>Keine Stelle %1 auf %2</translation>
    </message>
    <message>
        <source>Move %1 within %2</source>
        <translation>%1 innerhalb von %2 verschieben</translation>
    </message>
    <message>
        <source>Move %1 to %2</source>
        <translation>%1 nach %2 verschieben</translation>
    </message>
    <message>
        <source>No %1 jobs to remove on %2</source>
        <translation>Keine %1 Aufträge auf %2 zu entfernen</translation>
    </message>
    <message>
        <source>Clear %1</source>
        <translation>%1 leeren</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>Remove %1 jobs from %2</source>
        <translation>%1 Aufträge von %2 entfernen</translation>
    </message>
    <message>
        <source>Fabric can only go on a warp</source>
        <translation>Gewebe kann nur auf eine Kette</translation>
    </message>
    <message>
        <source>Clear fabrics of %1</source>
        <translation>Gewebe von %1 entfernen</translation>
    </message>
    <message>
        <source>Clear all jobs</source>
        <translation>Alle Aufträge löschen</translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation>%1 laden</translation>
    </message>
</context>
<context>
    <name>TVxScheduleMenuCaptions</name>
    <message>
        <source>&amp;Add Item...</source>
        <translation>Position &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Edit Item...</source>
        <translation>Position &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Remove Item</source>
        <translation>Position &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Clear Items</source>
        <translation>&amp;Alle Positionen entfernen</translation>
    </message>
    <message>
        <source>&amp;Add New Job...</source>
        <translation>&amp;Neuer Auftrag...</translation>
    </message>
    <message>
        <source>&amp;Edit Job...</source>
        <translation>Auf&amp;trag bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Remove Job</source>
        <translation>Auftrag ent&amp;fernen</translation>
    </message>
    <message>
        <source>&amp;Clear Jobs</source>
        <translation>Alle Aufträge &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Expanded</source>
        <translation>Auf&amp;geklappt</translation>
    </message>
</context>
<context>
    <name>TVxWeaveRules</name>
    <message>
        <source>Cannot move a reed</source>
        <translation>Ein Blatt lässt sich nicht verschieben</translation>
    </message>
    <message>
        <source>Reed required</source>
        <translation>Blatt erforderlich</translation>
    </message>
    <message>
        <source>Wrong reed type for this warp</source>
        <translation>Falsches Blatt für diese Kette</translation>
    </message>
    <message>
        <source>Cannot go straight above a reed of other ends</source>
        <translation>Nicht direkt über ein Blatt anderer Fadenzahl</translation>
    </message>
    <message>
        <source>Cannot go on this loom type</source>
        <translation>Nicht auf diesem Webstuhltyp möglich</translation>
    </message>
    <message>
        <source>Has fabric that cannot go on this loom type</source>
        <translation>Trägt Gewebe, das dieser Webstuhltyp nicht weben kann</translation>
    </message>
    <message>
        <source>Can only go on a weaving job</source>
        <translation>Nur auf einer Kette möglich</translation>
    </message>
    <message>
        <source>Cannot go on this loom/warp type</source>
        <translation>Nicht auf diesem Webstuhl-/Kettentyp möglich</translation>
    </message>
    <message>
        <source>Not enough capacity left</source>
        <translation>Nicht genug Kapazität frei</translation>
    </message>
</context>
<context>
    <name>UpgradeScenarioTables</name>
    <message>
        <source>job %1 of scenario %2</source>
        <translation>Auftrag %1 von Szenario %2</translation>
    </message>
    <message>
        <source>The %1 hold %2 more than once%3. The key that keeps each job number single is added to %4 once the repeated rows are gone (delete or overwrite those scenarios); until then two saves of one scenario are not kept from repeating a job number.</source>
        <translation>Die %1 enthalten %2 mehrfach%3. Der Schlüssel, der jede Auftragsnummer eindeutig hält, wird %4 hinzugefügt, sobald die doppelten Zeilen entfernt sind (diese Szenarien löschen oder überschreiben); bis dahin können zwei Speichervorgänge eines Szenarios eine Auftragsnummer doppelt anlegen.</translation>
    </message>
    <message>
        <source> (%1 job numbers in all)</source>
        <translation> (insgesamt %1 Auftragsnummern)</translation>
    </message>
    <message>
        <source>reed jobs</source>
        <translation>Blattaufträge</translation>
    </message>
    <message>
        <source>warp jobs</source>
        <translation>Kettaufträge</translation>
    </message>
    <message>
        <source>downtime jobs</source>
        <translation>Stillstandsaufträge</translation>
    </message>
    <message>
        <source>The scenario tables could not be brought up to date, so the planner cannot tell when another planner has saved a scenario since you loaded it. The database said: %1</source>
        <translation>Die Szenariotabellen konnten nicht aktualisiert werden, daher kann das Programm nicht erkennen, ob ein anderer Planer ein Szenario gespeichert hat, seit Sie es geladen haben. Die Datenbank meldete: %1</translation>
    </message>
</context>
<context>
    <name>VxChangeRows</name>
    <message>
        <source>place %1</source>
        <translation>Stelle %1</translation>
    </message>
    <message>
        <source>%1 ends, %2/cm</source>
        <translation>%1 Fäden, %L2/cm</translation>
    </message>
    <message>
        <source>number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>content</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>Hinzugefügt</translation>
    </message>
    <message>
        <source>Removed</source>
        <translation>Entfernt</translation>
    </message>
    <message>
        <source>Moved</source>
        <translation>Verschoben</translation>
    </message>
    <message>
        <source>Re-dated</source>
        <translation>Neu datiert</translation>
    </message>
    <message>
        <source>Warp type</source>
        <translation>Kettentyp</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Reed</source>
        <translation>Blatt</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Fabric</source>
        <translation>Gewebe</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
</context>
<context>
    <name>VxComparePrn</name>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Loom</source>
        <translation>Webstuhl</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Was</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Matched by</source>
        <translation>Zugeordnet über</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>Printed: </source>
        <translation>Gedruckt: </translation>
    </message>
</context>
<context>
    <name>VxConvert</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
</context>
<context>
    <name>VxDbError</name>
    <message>
        <source>Unknown database error</source>
        <translation>Unbekannter Datenbankfehler</translation>
    </message>
    <message>
        <source>Another planner is saving to this database, and it stayed busy for longer than the planner waits.</source>
        <translation>Ein anderer Planer speichert gerade in diese Datenbank, und sie blieb länger belegt, als das Programm wartet.</translation>
    </message>
    <message>
        <source>The database took longer than its time limit.</source>
        <translation>Die Datenbank hat ihr Zeitlimit überschritten.</translation>
    </message>
    <message>
        <source>The database server could not be reached.</source>
        <translation>Der Datenbankserver war nicht erreichbar.</translation>
    </message>
    <message>
        <source>The database refused the change.</source>
        <translation>Die Datenbank hat die Änderung abgelehnt.</translation>
    </message>
</context>
<context>
    <name>VxDbThread</name>
    <message>
        <source>The database server did not answer within %1 seconds.</source>
        <translation>Der Datenbankserver hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
    </message>
</context>
<context>
    <name>VxDialogs</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
</context>
<context>
    <name>VxDragOutlook</name>
    <message>
        <source>Nothing is dragged from loom %1, place %2</source>
        <translation>Von Webstuhl %1, Stelle %2 wird nichts gezogen</translation>
    </message>
    <message>
        <source>No fabric at position %1 to drag</source>
        <translation>Kein Gewebe an Stelle %1 zum Ziehen</translation>
    </message>
    <message>
        <source>No loom at position %1</source>
        <translation>Kein Webstuhl an Position %1</translation>
    </message>
</context>
<context>
    <name>VxKnockOn</name>
    <message>
        <source>none</source>
        <translation>ohne Datum</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>1 job</source>
        <translation>1 Auftrag</translation>
    </message>
    <message>
        <source>%1 jobs</source>
        <translation>%1 Aufträge</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>%1 later by %2</source>
        <translation>%1 %2 später</translation>
    </message>
    <message>
        <source>%1 earlier by %2</source>
        <translation>%1 %2 früher</translation>
    </message>
    <message>
        <source>finishes %1, unchanged</source>
        <translation>endet %1, unverändert</translation>
    </message>
    <message>
        <source>finishes %1 → %2</source>
        <translation>endet %1 → %2</translation>
    </message>
    <message>
        <source>finishes %1 later</source>
        <translation>endet %1 später</translation>
    </message>
    <message>
        <source>finishes %1 earlier</source>
        <translation>endet %1 früher</translation>
    </message>
    <message>
        <source>No dates change</source>
        <translation>Kein Datum ändert sich</translation>
    </message>
</context>
<context>
    <name>VxNumbers</name>
    <message>
        <source>There is no job number left: %1, the highest there can be, is in use.</source>
        <translation>Es ist keine Auftragsnummer mehr frei: %1, die höchstmögliche, ist vergeben.</translation>
    </message>
    <message>
        <source>There is no item number left: %1, the highest there can be, is in use.</source>
        <translation>Es ist keine Gewebenummer mehr frei: %1, die höchstmögliche, ist vergeben.</translation>
    </message>
    <message>
        <source>There is no scenario number left: %1, the highest there can be, is in use.</source>
        <translation>Es ist keine Szenarionummer mehr frei: %1, die höchstmögliche, ist vergeben.</translation>
    </message>
</context>
<context>
    <name>VxPlanSheet</name>
    <message>
        <source>Reed</source>
        <translation>Blatt</translation>
    </message>
    <message>
        <source>Warp</source>
        <translation>Kette</translation>
    </message>
    <message>
        <source>Downtime</source>
        <translation>Stillstand</translation>
    </message>
    <message>
        <source>Fabric</source>
        <translation>Gewebe</translation>
    </message>
    <message>
        <source>Loom</source>
        <translation>Webstuhl</translation>
    </message>
    <message>
        <source>Loom Type</source>
        <translation>Webstuhltyp</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Stelle</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Warp Type</source>
        <translation>Kettentyp</translation>
    </message>
    <message>
        <source>Warp Colour</source>
        <translation>Kettfarbe</translation>
    </message>
    <message>
        <source>Length (m)</source>
        <translation>Länge (m)</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>Fäden</translation>
    </message>
    <message>
        <source>Dents/cm</source>
        <translation>Riet/cm</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Weft Colour</source>
        <translation>Schussfarbe</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>Remaining Length (m)</source>
        <translation>Restlänge (m)</translation>
    </message>
    <message>
        <source>Remaining Weight (kg)</source>
        <translation>Restgewicht (kg)</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
</context>
<context>
    <name>VxPlanSummary</name>
    <message>
        <source>Looms</source>
        <translation>Webstühle</translation>
    </message>
    <message>
        <source>Loom</source>
        <translation>Webstuhl</translation>
    </message>
    <message>
        <source>Last finish</source>
        <translation>Letztes Ende</translation>
    </message>
    <message>
        <source>Downtime days</source>
        <translation>Stillstandstage</translation>
    </message>
    <message>
        <source>Fabrics</source>
        <translation>Gewebe</translation>
    </message>
    <message>
        <source>Fabric</source>
        <translation>Gewebe</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>Greige metres</source>
        <translation>Rohware (m)</translation>
    </message>
    <message>
        <source>Warps</source>
        <translation>Ketten</translation>
    </message>
    <message>
        <source>Warp type</source>
        <translation>Kettentyp</translation>
    </message>
    <message>
        <source>Yarn weight</source>
        <translation>Garngewicht</translation>
    </message>
</context>
<context>
    <name>VxScenPage</name>
    <message>
        <source>Printed: </source>
        <translation>Gedruckt: </translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>The printer stopped</source>
        <translation>Der Drucker hat angehalten</translation>
    </message>
    <message>
        <source>The printer could not start</source>
        <translation>Der Drucker konnte nicht starten</translation>
    </message>
</context>
<context>
    <name>VxScenPrn</name>
    <message>
        <source>Start: </source>
        <translation>Beginn: </translation>
    </message>
    <message>
        <source>End:  </source>
        <translation>Ende:   </translation>
    </message>
    <message>
        <source>         Printed: </source>
        <translation>         Gedruckt: </translation>
    </message>
</context>
<context>
    <name>VxSheetFile</name>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Excel-Arbeitsmappe (*.xlsx)</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Export to a file ending in .xlsx (Excel workbook) or .csv (comma-separated values).</source>
        <translation>Exportieren Sie in eine Datei mit der Endung .xlsx (Excel-Arbeitsmappe) oder .csv (kommagetrennte Werte).</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
</context>
<context>
    <name>VxTablePage</name>
    <message>
        <source>The printer stopped</source>
        <translation>Der Drucker hat angehalten</translation>
    </message>
</context>
<context>
    <name>VxTimelinePainter</name>
    <message>
        <source>Looms weaving</source>
        <translation>Webstühle in Betrieb</translation>
    </message>
</context>
<context>
    <name>VxTimelinePrint</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>VxTimelineTips</name>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>Weaving %1 % of the period</source>
        <translation>Webt %1 % des Zeitraums</translation>
    </message>
    <message>
        <source>No jobs</source>
        <translation>Keine Aufträge</translation>
    </message>
    <message>
        <source>Last job finishes %1</source>
        <translation>Letzter Auftrag endet %1</translation>
    </message>
    <message>
        <source>%1: %2 of %3 looms weaving</source>
        <translation>%1: %2 von %3 Webstühlen in Betrieb</translation>
    </message>
</context>
<context>
    <name>VxWarpFill</name>
    <message>
        <source>Length used: %1 of %2 m</source>
        <translation>Länge belegt: %1 von %2 m</translation>
    </message>
    <message>
        <source>, %1 m over</source>
        <translation>, %1 m zu viel</translation>
    </message>
    <message>
        <source>Weight used: %1 of %2 kg</source>
        <translation>Gewicht belegt: %1 von %2 kg</translation>
    </message>
    <message>
        <source>, %1 kg over</source>
        <translation>, %1 kg zu viel</translation>
    </message>
</context>
<context>
    <name>VxWeaPlan</name>
    <message>
        <source>Reed</source>
        <translation>Blatt</translation>
    </message>
    <message>
        <source>Reed %1</source>
        <translation>Blatt %1</translation>
    </message>
    <message>
        <source>%1/%2pcs</source>
        <translation>%1/%2Stk</translation>
    </message>
    <message>
        <source>%1/%2pc</source>
        <translation>%1/%2Stk</translation>
    </message>
    <message>
        <source>Rem: %1m / %2kg</source>
        <translation>Rest: %1m / %2kg</translation>
    </message>
    <message>
        <source>reed %1</source>
        <translation>Blatt %1</translation>
    </message>
    <message>
        <source>warp %1</source>
        <translation>Kette %1</translation>
    </message>
    <message>
        <source>downtime %1</source>
        <translation>Stillstand %1</translation>
    </message>
    <message>
        <source>fabric %1</source>
        <translation>Gewebe %1</translation>
    </message>
    <message>
        <source>Unknown fabric structure: %1</source>
        <translation>Unbekannte Bindung: %1</translation>
    </message>
    <message>
        <source>Length over capacity by %1m</source>
        <translation>Länge übersteigt die Kapazität um %1m</translation>
    </message>
    <message>
        <source>Weight over capacity by %1kg</source>
        <translation>Gewicht übersteigt die Kapazität um %1kg</translation>
    </message>
    <message>
        <source>Finish: %1</source>
        <translation>Ende: %1</translation>
    </message>
</context>
<context>
    <name>VxWeaSch</name>
    <message>
        <source>Est weave time: %1hrs</source>
        <translation>Geschätzte Webzeit: %1 Std.</translation>
    </message>
    <message>
        <source>No job to add the fabric item to</source>
        <translation>Kein Auftrag, dem das Gewebe hinzugefügt werden kann</translation>
    </message>
    <message>
        <source>&amp;Edit Reed...</source>
        <translation>&amp;Blatt bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Edit Downtime...</source>
        <translation>&amp;Stillstand bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Remove Reed</source>
        <translation>Blatt en&amp;tfernen</translation>
    </message>
    <message>
        <source>&amp;Remove Downtime</source>
        <translation>Stillstand en&amp;tfernen</translation>
    </message>
</context>
</TS>
