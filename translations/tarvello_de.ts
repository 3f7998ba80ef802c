<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>mw</name>
    <message>
        <source>Tarvello uploader</source>
        <translation>Tarvello Uploader</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Bildschirmfoto</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Login (not required)</source>
        <translation>Anmeldung (optional)</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Remember me (saves creds. as plaintext)</source>
        <translation>Merken (Zugangsdaten im Klartext)</translation>
    </message>
    <message>
        <source>Modify image</source>
        <translation>Bild bearbeiten</translation>
    </message>
    <message>
        <source>Rotate 90 deg CW</source>
        <translation>90° nach rechts drehen</translation>
    </message>
    <message>
        <source>Rotate 90 deg CCW</source>
        <translation>90° nach links drehen</translation>
    </message>
    <message>
        <source>Rotate 180 deg</source>
        <translation>Um 180° drehen</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Upload status</source>
        <translation>Upload-Status</translation>
    </message>
    <message>
        <source>Upload All</source>
        <translation>Alle hochladen</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Auto Upload</source>
        <translation>Automatisch hochladen</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#c0c0c0;&quot;&gt;Tarvello uploader - images in, links out - V3.0c&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#c0c0c0;&quot;&gt;Tarvello uploader - Bilder rein, Links raus - V3.0c&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>No delay</source>
        <translation>Ohne Verzögerung</translation>
    </message>
    <message>
        <source>After %1 seconds</source>
        <translation>Nach %1 Sekunden</translation>
    </message>
    <message>
        <source>Cancel the Capture</source>
        <translation>Aufnahme abbrechen</translation>
    </message>
    <message>
        <source>Icon in the System Tray</source>
        <translation>Symbol im Infobereich</translation>
    </message>
    <message>
        <source>Whole Screen</source>
        <translation>Ganzer Bildschirm</translation>
    </message>
    <message>
        <source>Region…</source>
        <translation>Bereich…</translation>
    </message>
    <message>
        <source>Window…</source>
        <translation>Fenster…</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Verzögerung</translation>
    </message>
    <message>
        <source>Import destination...</source>
        <translation>Ziel importieren...</translation>
    </message>
    <message>
        <source>Destinations...</source>
        <translation>Ziele...</translation>
    </message>
    <message>
        <source>Where uploads go</source>
        <translation>Wohin hochgeladen wird</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>%1 was replaced; uploads now go there.</source>
        <translation>%1 wurde ersetzt; Uploads gehen jetzt dorthin.</translation>
    </message>
    <message>
        <source>%1 was added; uploads now go there.</source>
        <translation>%1 wurde hinzugefügt; Uploads gehen jetzt dorthin.</translation>
    </message>
    <message>
        <source>Import destination</source>
        <translation>Ziel importieren</translation>
    </message>
    <message>
        <source>Custom uploaders (*.sxcu);;All files (*)</source>
        <translation>Eigene Uploader (*.sxcu);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Not imported</source>
        <translation>Nicht importiert</translation>
    </message>
    <message>
        <source>%1 was not imported: %2</source>
        <translation>%1 wurde nicht importiert: %2</translation>
    </message>
    <message>
        <source>Edit destination</source>
        <translation>Ziel bearbeiten</translation>
    </message>
    <message>
        <source>the whole answer</source>
        <translation>die ganze Antwort</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Header %1:</source>
        <translation>Header %1:</translation>
    </message>
    <message>
        <source>Form field %1:</source>
        <translation>Formularfeld %1:</translation>
    </message>
    <message>
        <source>Parameter %1:</source>
        <translation>Parameter %1:</translation>
    </message>
    <message>
        <source>not available: type it again</source>
        <translation>nicht verfügbar: bitte neu eingeben</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>Link:</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>A destination needs a name.</source>
        <translation>Ein Ziel braucht einen Namen.</translation>
    </message>
    <message>
        <source>Choose one:</source>
        <translation>Bitte wählen:</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Ziele</translation>
    </message>
    <message>
        <source>Its secrets are missing: edit it to give them again.</source>
        <translation>Seine Geheimnisse fehlen: Bearbeiten Sie es, um sie neu einzugeben.</translation>
    </message>
    <message>
        <source>Export destination</source>
        <translation>Ziel exportieren</translation>
    </message>
    <message>
        <source>Custom uploaders (*.sxcu)</source>
        <translation>Eigene Uploader (*.sxcu)</translation>
    </message>
    <message>
        <source>Include the keys, tokens and passwords? Anyone with the file can then use them.</source>
        <translation>Schlüssel, Tokens und Passwörter mitexportieren? Dann kann jeder mit der Datei sie nutzen.</translation>
    </message>
    <message>
        <source>Exported to %1.</source>
        <translation>Nach %1 exportiert.</translation>
    </message>
    <message>
        <source>Remove destination</source>
        <translation>Ziel entfernen</translation>
    </message>
    <message>
        <source>Remove the destination &quot;%1&quot;?</source>
        <translation>Das Ziel „%1“ entfernen?</translation>
    </message>
    <message>
        <source>Built-in host (%1)</source>
        <translation>Eingebauter Host (%1)</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is not closed</source>
        <translation>die Vorlage „%1“ ist nicht geschlossen</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is not one this program knows</source>
        <translation>die Vorlage „%1“ kennt dieses Programm nicht</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is for text uploads, not images</source>
        <translation>die Vorlage „%1“ ist für Text-Uploads, nicht für Bilder</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; reads the host&apos;s answer, which the request cannot have yet</source>
        <translation>die Vorlage „%1“ liest die Antwort des Hosts, die es bei der Anfrage noch nicht gibt</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; has arguments that cannot be used</source>
        <translation>die Vorlage „%1“ hat unbrauchbare Argumente</translation>
    </message>
    <message>
        <source>the regular expression &quot;%1&quot; is not valid</source>
        <translation>der reguläre Ausdruck „%1“ ist ungültig</translation>
    </message>
    <message>
        <source>RegexList has no entry %1</source>
        <translation>RegexList hat keinen Eintrag %1</translation>
    </message>
    <message>
        <source>the regular expression has no group &quot;%1&quot;</source>
        <translation>der reguläre Ausdruck hat keine Gruppe „%1“</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Die Datei existiert nicht.</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>Die Datei kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file is a link; import the file it points to instead.</source>
        <translation>Die Datei ist ein Verweis; importieren Sie stattdessen die Datei, auf die er zeigt.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>Das ist keine normale Datei.</translation>
    </message>
    <message>
        <source>The file is too large (%1 bytes) to be a custom-uploader file.</source>
        <translation>Die Datei ist zu groß (%1 Bytes) für eine Uploader-Datei.</translation>
    </message>
    <message>
        <source>The file is not valid JSON (at byte %1).</source>
        <translation>Die Datei ist kein gültiges JSON (bei Byte %1).</translation>
    </message>
    <message>
        <source>The file is JSON, but not a custom-uploader file.</source>
        <translation>Die Datei ist JSON, aber keine Uploader-Datei.</translation>
    </message>
    <message>
        <source>The field %1 has a value this program cannot use.</source>
        <translation>Das Feld %1 hat einen Wert, den dieses Programm nicht verwenden kann.</translation>
    </message>
    <message>
        <source>This destination does not take images (DestinationType: %1).</source>
        <translation>Dieses Ziel nimmt keine Bilder an (DestinationType: %1).</translation>
    </message>
    <message>
        <source>Images cannot be sent with the method %1; only POST, PUT and PATCH carry a file.</source>
        <translation>Bilder können nicht mit der Methode %1 gesendet werden; nur POST, PUT und PATCH übertragen eine Datei.</translation>
    </message>
    <message>
        <source>A body of type %1 carries no file; images need MultipartFormData or Binary.</source>
        <translation>Ein Body vom Typ %1 enthält keine Datei; Bilder brauchen MultipartFormData oder Binary.</translation>
    </message>
    <message>
        <source>The form has no field for the file (FileFormName is empty).</source>
        <translation>Das Formular hat kein Feld für die Datei (FileFormName ist leer).</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not an http:// or https:// address.</source>
        <translation>Die Adresse „%1“ ist keine http://- oder https://-Adresse.</translation>
    </message>
    <message>
        <source>In %1, %2.</source>
        <translation>In %1: %2.</translation>
    </message>
    <message>
        <source>Entry %1 of RegexList is not a valid regular expression.</source>
        <translation>Eintrag %1 von RegexList ist kein gültiger regulärer Ausdruck.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a header.</source>
        <translation>„%1“ kann nicht der Name eines Headers sein.</translation>
    </message>
    <message>
        <source>The header %1 is the program&apos;s to set.</source>
        <translation>Den Header %1 setzt das Programm selbst.</translation>
    </message>
    <message>
        <source>The value of the header %1 holds a line break.</source>
        <translation>Der Wert des Headers %1 enthält einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of the built-in destination; give the file another Name.</source>
        <translation>„%1“ ist der Name des eingebauten Ziels; geben Sie der Datei einen anderen Namen (Name).</translation>
    </message>
    <message>
        <source>The keyring did not give this destination&apos;s secrets (%1); edit the destination to give them again.</source>
        <translation>Der Schlüsselbund hat die Geheimnisse dieses Ziels nicht herausgegeben (%1); bearbeiten Sie das Ziel, um sie neu einzugeben.</translation>
    </message>
    <message>
        <source>The destination asks a question before each upload (&quot;%1&quot;), which cannot be answered from the command line; nothing was sent.</source>
        <translation>Das Ziel stellt vor jedem Upload eine Frage („%1“), die auf der Befehlszeile nicht beantwortet werden kann; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The destination asks a question before each upload, and it was not answered; nothing was sent.</source>
        <translation>Das Ziel stellt vor jedem Upload eine Frage, die nicht beantwortet wurde; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The destination asks &quot;%1&quot; before each upload, and it was not answered; nothing was sent.</source>
        <translation>Das Ziel fragt vor jedem Upload „%1“, und es kam keine Antwort; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The destination&apos;s address came out as &quot;%1&quot;, which is not an http:// or https:// address; nothing was sent.</source>
        <translation>Die Adresse des Ziels ergab „%1“, keine http://- oder https://-Adresse; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The header %1 came out with a line break; nothing was sent.</source>
        <translation>Der Header %1 enthielt einen Zeilenumbruch; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>HTTP status: %1</source>
        <translation>HTTP-Status: %1</translation>
    </message>
    <message>
        <source>The answer held no link.</source>
        <translation>Die Antwort enthielt keinen Link.</translation>
    </message>
    <message>
        <source>The answer held no link, only &quot;%1&quot;.</source>
        <translation>Die Antwort enthielt keinen Link, nur „%1“.</translation>
    </message>
    <message>
        <source>The host said: %1</source>
        <translation>Der Host meldet: %1</translation>
    </message>
    <message>
        <source>Could not write %1.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Some destinations in %1 could not be read and were left out.</source>
        <translation>Einige Ziele in %1 konnten nicht gelesen werden und wurden ausgelassen.</translation>
    </message>
    <message>
        <source>There is no destination called &quot;%1&quot;.</source>
        <translation>Es gibt kein Ziel namens „%1“.</translation>
    </message>
    <message>
        <source>The built-in destination cannot be changed or removed.</source>
        <translation>Das eingebaute Ziel kann nicht geändert oder entfernt werden.</translation>
    </message>
    <message>
        <source>Another destination is already called &quot;%1&quot;.</source>
        <translation>Ein anderes Ziel heißt bereits „%1“.</translation>
    </message>
    <message>
        <source>The keyring did not give the secrets of &quot;%1&quot;.</source>
        <translation>Der Schlüsselbund hat die Geheimnisse von „%1“ nicht herausgegeben.</translation>
    </message>
    <message>
        <source>Keys, tokens and passwords are kept in the desktop&apos;s keyring.</source>
        <translation>Schlüssel, Tokens und Passwörter liegen im Schlüsselbund der Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>No keyring answered: keys, tokens and passwords are kept in the destinations file, readable by you only.</source>
        <translation>Kein Schlüsselbund antwortete: Schlüssel, Tokens und Passwörter liegen in der Zieldatei, die nur Sie lesen können.</translation>
    </message>
    <message>
        <source>Keys, tokens and passwords go to the desktop&apos;s keyring when one is running, else into the destinations file, readable by you only.</source>
        <translation>Schlüssel, Tokens und Passwörter kommen in den Schlüsselbund der Arbeitsumgebung, wenn einer läuft, sonst in die Zieldatei, die nur Sie lesen können.</translation>
    </message>
    <message>
        <source>Adding images</source>
        <translation>Bilder werden hinzugefügt</translation>
    </message>
    <message numerus="yes">
        <source>Added %n image(s)...</source>
        <translation>
            <numerusform>%n Bild hinzugefügt...</numerusform>
            <numerusform>%n Bilder hinzugefügt...</numerusform>
        </translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 Pixel</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Hochgeladen</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>No upload history: Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite).</source>
        <translation>Kein Upload-Verlauf: Der SQLite-Treiber von Qt ist nicht installiert (Debian-Paket libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>No upload history: %1 cannot be opened.</source>
        <translation>Kein Upload-Verlauf: %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>No upload history: %1 cannot be written.</source>
        <translation>Kein Upload-Verlauf: %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The upload history waits: another program keeps %1 locked. Uploads are recorded once it lets go.</source>
        <translation>Der Upload-Verlauf wartet: Ein anderes Programm sperrt %1. Uploads werden eingetragen, sobald es sie freigibt.</translation>
    </message>
    <message>
        <source>The upload history was damaged. It is kept as %1; a new history was started.</source>
        <translation>Der Upload-Verlauf war beschädigt. Er bleibt als %1 erhalten; ein neuer Verlauf wurde begonnen.</translation>
    </message>
    <message>
        <source>No upload history: %1 was written by a newer version of this program.</source>
        <translation>Kein Upload-Verlauf: %1 stammt von einer neueren Version dieses Programms.</translation>
    </message>
    <message>
        <source>The upload history waits: the disk is full. Uploads are recorded once there is room.</source>
        <translation>Der Upload-Verlauf wartet: Der Datenträger ist voll. Uploads werden eingetragen, sobald wieder Platz ist.</translation>
    </message>
    <message>
        <source>No upload history: %1</source>
        <translation>Kein Upload-Verlauf: %1</translation>
    </message>
    <message>
        <source>Markdown image</source>
        <translation>Markdown-Bild</translation>
    </message>
    <message>
        <source>HTML image</source>
        <translation>HTML-Bild</translation>
    </message>
    <message>
        <source>BBCode image</source>
        <translation>BBCode-Bild</translation>
    </message>
    <message>
        <source>Markdown thumbnail with link</source>
        <translation>Markdown-Vorschaubild mit Link</translation>
    </message>
    <message>
        <source>HTML thumbnail with link</source>
        <translation>HTML-Vorschaubild mit Link</translation>
    </message>
    <message>
        <source>BBCode thumbnail with link</source>
        <translation>BBCode-Vorschaubild mit Link</translation>
    </message>
    <message>
        <source>Uploads done</source>
        <translation>Uploads fertig</translation>
    </message>
    <message>
        <source>Uploads done, some failed</source>
        <translation>Uploads fertig, einige fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>%n uploaded.</source>
        <translation>
            <numerusform>%n hochgeladen.</numerusform>
            <numerusform>%n hochgeladen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n uploaded, %1 failed.</source>
        <translation>
            <numerusform>%n hochgeladen, %1 fehlgeschlagen.</numerusform>
            <numerusform>%n hochgeladen, %1 fehlgeschlagen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The link is on the clipboard.</source>
        <translation>Der Link ist in der Zwischenablage.</translation>
    </message>
    <message>
        <source>The links are on the clipboard.</source>
        <translation>Die Links sind in der Zwischenablage.</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Upload history</source>
        <translation>Upload-Verlauf</translation>
    </message>
    <message>
        <source>Search file name, link, description, destination or date (2026-12-07)</source>
        <translation>Dateiname, Link, Beschreibung, Ziel oder Datum (2026-12-07) suchen</translation>
    </message>
    <message>
        <source>Search the upload history</source>
        <translation>Upload-Verlauf durchsuchen</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Link kopieren</translation>
    </message>
    <message>
        <source>Open link</source>
        <translation>Link öffnen</translation>
    </message>
    <message>
        <source>Open deletion link...</source>
        <translation>Löschlink öffnen...</translation>
    </message>
    <message>
        <source>Upload again</source>
        <translation>Erneut hochladen</translation>
    </message>
    <message>
        <source>Clear all...</source>
        <translation>Alles löschen...</translation>
    </message>
    <message>
        <source>Copy as</source>
        <translation>Kopieren als</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) copied.</source>
        <translation>
            <numerusform>%n Link kopiert.</numerusform>
            <numerusform>%n Links kopiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Open deletion link</source>
        <translation>Löschlink öffnen</translation>
    </message>
    <message>
        <source>Open the deletion link of %1? The host deletes the image when the link is opened.</source>
        <translation>Den Löschlink von %1 öffnen? Der Host löscht das Bild, sobald der Link geöffnet wird.</translation>
    </message>
    <message>
        <source>The file is no longer there.</source>
        <translation>Die Datei ist nicht mehr vorhanden.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries removed.</source>
        <translation>
            <numerusform>%n Eintrag entfernt.</numerusform>
            <numerusform>%n Einträge entfernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Clear the upload history</source>
        <translation>Upload-Verlauf löschen</translation>
    </message>
    <message>
        <source>Forget every upload in the history? The images stay on their hosts, but their links and deletion links are gone from this computer.</source>
        <translation>Alle Uploads im Verlauf vergessen? Die Bilder bleiben auf ihren Hosts, aber ihre Links und Löschlinks verschwinden von diesem Computer.</translation>
    </message>
    <message>
        <source>Opening the upload history...</source>
        <translation>Upload-Verlauf wird geöffnet...</translation>
    </message>
    <message>
        <source>No uploads yet.</source>
        <translation>Noch keine Uploads.</translation>
    </message>
    <message>
        <source>Nothing found for %1.</source>
        <translation>Nichts gefunden für %1.</translation>
    </message>
    <message>
        <source>Import this destination?</source>
        <translation>Dieses Ziel importieren?</translation>
    </message>
    <message>
        <source>Sends to:</source>
        <translation>Sendet an:</translation>
    </message>
    <message>
        <source>%1, the image as the whole body</source>
        <translation>%1, das Bild als ganzer Body</translation>
    </message>
    <message>
        <source>%1, the image as the form field &quot;%2&quot;</source>
        <translation>%1, das Bild als Formularfeld „%2“</translation>
    </message>
    <message>
        <source>How:</source>
        <translation>Wie:</translation>
    </message>
    <message>
        <source>Sent as</source>
        <translation>Gesendet als</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Form field</source>
        <translation>Formularfeld</translation>
    </message>
    <message>
        <source>Address parameter</source>
        <translation>Adressparameter</translation>
    </message>
    <message>
        <source>A secret: kept in the keyring where one runs, never shown</source>
        <translation>Ein Geheimnis: liegt im Schlüsselbund, falls einer läuft, und wird nie angezeigt</translation>
    </message>
    <message>
        <source>Sent besides the image:</source>
        <translation>Außer dem Bild gesendet:</translation>
    </message>
    <message>
        <source>Nothing is sent besides the image.</source>
        <translation>Außer dem Bild wird nichts gesendet.</translation>
    </message>
    <message>
        <source>A destination called &quot;%1&quot; exists; importing replaces it.</source>
        <translation>Ein Ziel namens „%1“ existiert; der Import ersetzt es.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>(hidden)</source>
        <translation>(verborgen)</translation>
    </message>
    <message>
        <source>Files left out of the folder as their names are not UTF-8: %1. Rename them to add them.</source>
        <translation>Dateien des Ordners ausgelassen, da ihre Namen nicht UTF-8 sind: %1. Benennen Sie sie um, um sie hinzuzufügen.</translation>
    </message>
    <message>
        <source>The screenshot could not be saved in the temporary folder.</source>
        <translation>Das Bildschirmfoto konnte nicht im temporären Ordner gespeichert werden.</translation>
    </message>
    <message>
        <source>The screenshot could not be read or saved.</source>
        <translation>Das Bildschirmfoto konnte nicht gelesen oder gespeichert werden.</translation>
    </message>
    <message>
        <source>The desktop could not take the screenshot.</source>
        <translation>Die Arbeitsumgebung konnte das Bildschirmfoto nicht aufnehmen.</translation>
    </message>
    <message>
        <source>No screenshot: the desktop offers no screenshot portal.</source>
        <translation>Kein Bildschirmfoto: Die Arbeitsumgebung bietet kein Screenshot-Portal.</translation>
    </message>
    <message>
        <source>No screenshot: the desktop did not answer in time.</source>
        <translation>Kein Bildschirmfoto: Die Arbeitsumgebung hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>The clipboard holds no image.</source>
        <translation>Die Zwischenablage enthält kein Bild.</translation>
    </message>
    <message>
        <source>The clipboard image could not be saved in the temporary folder.</source>
        <translation>Das Bild aus der Zwischenablage konnte nicht im temporären Ordner gespeichert werden.</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2</source>
        <translation>%1 ist nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>%1 holds no picture to turn or flip.</source>
        <translation>%1 enthält kein Bild zum Drehen oder Spiegeln.</translation>
    </message>
    <message>
        <source>The edited image could not be saved in the temporary folder.</source>
        <translation>Das bearbeitete Bild konnte nicht im temporären Ordner gespeichert werden.</translation>
    </message>
    <message>
        <source>The picture could not be saved in the temporary folder.</source>
        <translation>Das Bild konnte nicht im temporären Ordner gespeichert werden.</translation>
    </message>
    <message>
        <source>Login not saved</source>
        <translation>Anmeldung nicht gespeichert</translation>
    </message>
    <message>
        <source>Your login was not remembered. %1</source>
        <translation>Ihre Anmeldung wurde nicht gespeichert. %1</translation>
    </message>
    <message>
        <source>1 upload is still running. Quit anyway?</source>
        <translation>Ein Upload läuft noch. Trotzdem beenden?</translation>
    </message>
    <message>
        <source>%1 uploads are still running. Quit anyway?</source>
        <translation>%1 Uploads laufen noch. Trotzdem beenden?</translation>
    </message>
    <message>
        <source>Wait</source>
        <translation>Warten</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Capture in 1 second. Esc calls it off.</source>
        <translation>Aufnahme in 1 Sekunde. Esc bricht ab.</translation>
    </message>
    <message>
        <source>Capture in %1 seconds. Esc calls it off.</source>
        <translation>Aufnahme in %1 Sekunden. Esc bricht ab.</translation>
    </message>
    <message>
        <source>Region, window, delay</source>
        <translation>Bereich, Fenster, Verzögerung</translation>
    </message>
    <message>
        <source>More Captures</source>
        <translation>Weitere Aufnahmen</translation>
    </message>
    <message>
        <source>A capture is under way already: finish it or call it off first.</source>
        <translation>Es läuft bereits eine Aufnahme: Beenden oder brechen Sie sie zuerst ab.</translation>
    </message>
    <message>
        <source>This desktop does not let the uploader capture a single window.</source>
        <translation>Diese Arbeitsumgebung erlaubt keine Aufnahme einzelner Fenster.</translation>
    </message>
    <message>
        <source>Keep the uploader running in the system tray when its window is closed?</source>
        <translation>Den Uploader im Infobereich weiterlaufen lassen, wenn sein Fenster geschlossen wird?</translation>
    </message>
    <message>
        <source>Its tray icon takes captures and brings the window back. Quit ends it for good.</source>
        <translation>Sein Symbol im Infobereich nimmt Bildschirmfotos auf und holt das Fenster zurück. „Beenden“ beendet ihn ganz.</translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation>Weiterlaufen</translation>
    </message>
    <message>
        <source>Upload history...</source>
        <translation>Upload-Verlauf...</translation>
    </message>
    <message>
        <source>Copy new links to the clipboard</source>
        <translation>Neue Links in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>No browser could open the link; it was copied instead.</source>
        <translation>Kein Browser konnte den Link öffnen; er wurde stattdessen kopiert.</translation>
    </message>
    <message>
        <source>Give description</source>
        <translation>Beschreibung eingeben</translation>
    </message>
    <message>
        <source>Link copied</source>
        <translation>Link kopiert</translation>
    </message>
    <message>
        <source>%1 links copied</source>
        <translation>%1 Links kopiert</translation>
    </message>
    <message>
        <source>Copy all links</source>
        <translation>Alle Links kopieren</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Zu groß für die Vorschau</translation>
    </message>
    <message>
        <source>Choose what to capture</source>
        <translation>Wählen Sie, was aufgenommen wird</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Uploads images to an image host and shows their links.</source>
        <translation>Lädt Bilder zu einem Bild-Host hoch und zeigt ihre Links.</translation>
    </message>
    <message>
        <source>Environment:</source>
        <translation>Umgebung:</translation>
    </message>
    <message>
        <source>  TARVELLO_HOST       the built-in destination&apos;s host, host[:port] or https://host[:port] (built in: %1)</source>
        <translation>  TARVELLO_HOST       der Host des eingebauten Ziels, host[:port] oder https://host[:port] (eingebaut: %1)</translation>
    </message>
    <message>
        <source>  TARVELLO_CA_FILE    a PEM file of certificates to trust for an https built-in host, besides the system&apos;s</source>
        <translation>  TARVELLO_CA_FILE    eine PEM-Datei mit Zertifikaten, denen für einen eingebauten https-Host zusätzlich zu denen des Systems vertraut wird</translation>
    </message>
    <message>
        <source>Image files to queue.</source>
        <translation>Bilddateien für die Warteschlange.</translation>
    </message>
    <message>
        <source>Take a screenshot in the running uploader, or start one to take it.</source>
        <translation>Ein Bildschirmfoto im laufenden Uploader aufnehmen oder einen dafür starten.</translation>
    </message>
    <message>
        <source>With --screenshot: drag a rectangle to capture.</source>
        <translation>Mit --screenshot: ein Rechteck zum Aufnehmen aufziehen.</translation>
    </message>
    <message>
        <source>With --screenshot: click a window to capture.</source>
        <translation>Mit --screenshot: ein Fenster zum Aufnehmen anklicken.</translation>
    </message>
    <message>
        <source>With --screenshot: wait this many seconds first (0 to %1).</source>
        <translation>Mit --screenshot: vorher so viele Sekunden warten (0 bis %1).</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Queue the files in the running uploader, or start one with them.</source>
        <translation>Die Dateien in die Warteschlange des laufenden Uploaders stellen oder einen mit ihnen starten.</translation>
    </message>
    <message>
        <source>Upload the files without a window, print each link on a line, and exit (0: all uploaded, 1: any failed, 2: a usage error). &quot;-&quot; reads an image from standard input.</source>
        <translation>Die Dateien ohne Fenster hochladen, jeden Link auf einer Zeile ausgeben und beenden (0: alle hochgeladen, 1: mindestens einer fehlgeschlagen, 2: Aufruffehler). „-“ liest ein Bild von der Standardeingabe.</translation>
    </message>
    <message>
        <source>With --upload: the destination to upload to (its name, any case); without it, the one chosen in the window.</source>
        <translation>Mit --upload: das Ziel für den Upload (sein Name, Groß-/Kleinschreibung egal); ohne die Option das im Fenster gewählte.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Import a custom-uploader file (.sxcu) as a destination, without asking, and print its name.</source>
        <translation>Eine Uploader-Datei (.sxcu) ohne Rückfrage als Ziel importieren und ihren Namen ausgeben.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Print the destinations, one name a line, the built-in one first.</source>
        <translation>Die Ziele ausgeben, ein Name pro Zeile, das eingebaute zuerst.</translation>
    </message>
    <message>
        <source>--history [N]: print the newest N links of the upload history (%1 if not given), newest first, a line each: time, link, file and destination, separated by tabs.</source>
        <translation>--history [N]: die neuesten N Links des Upload-Verlaufs ausgeben (ohne Angabe %1), die neuesten zuerst, je eine Zeile: Zeit, Link, Datei und Ziel, durch Tabulatoren getrennt.</translation>
    </message>
    <message>
        <source>The delay must be a whole number of seconds from 0 to %1, not &quot;%2&quot;.</source>
        <translation>Die Verzögerung muss eine ganze Zahl von Sekunden zwischen 0 und %1 sein, nicht „%2“.</translation>
    </message>
    <message>
        <source>%1 goes with --screenshot.</source>
        <translation>%1 gehört zu --screenshot.</translation>
    </message>
    <message>
        <source>Give --region or --window, not both.</source>
        <translation>Geben Sie --region oder --window an, nicht beides.</translation>
    </message>
    <message>
        <source>--screenshot takes no files, but %1 was given.</source>
        <translation>--screenshot nimmt keine Dateien, aber %1 wurde angegeben.</translation>
    </message>
    <message>
        <source>Give --screenshot or --add, not both.</source>
        <translation>Geben Sie --screenshot oder --add an, nicht beides.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>--upload needs at least one file, or &quot;-&quot; for standard input.</source>
        <translation>--upload braucht mindestens eine Datei oder „-“ für die Standardeingabe.</translation>
    </message>
    <message>
        <source>--destination goes with --upload.</source>
        <translation>--destination gehört zu --upload.</translation>
    </message>
    <message>
        <source>Give one of --upload, --import-destination, --list-destinations, --history, --screenshot and --add at a time.</source>
        <translation>Geben Sie nur eine der Optionen --upload, --import-destination, --list-destinations, --history, --screenshot und --add an.</translation>
    </message>
    <message>
        <source>--history takes how many links to print, a whole number from 1, not &quot;%1&quot;.</source>
        <translation>--history erwartet die Anzahl auszugebender Links, eine ganze Zahl ab 1, nicht „%1“.</translation>
    </message>
    <message>
        <source>The uploader is busy with another capture.</source>
        <translation>Der Uploader ist mit einer anderen Aufnahme beschäftigt.</translation>
    </message>
    <message>
        <source>The uploader cannot do that on this desktop.</source>
        <translation>Das kann der Uploader in dieser Arbeitsumgebung nicht.</translation>
    </message>
    <message>
        <source>The running uploader did not understand the request.</source>
        <translation>Der laufende Uploader hat die Anfrage nicht verstanden.</translation>
    </message>
    <message>
        <source>The running uploader belongs to another user.</source>
        <translation>Der laufende Uploader gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>No uploader is running.</source>
        <translation>Es läuft kein Uploader.</translation>
    </message>
    <message>
        <source>The running uploader did not answer in time.</source>
        <translation>Der laufende Uploader hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The running uploader could not be reached: %1</source>
        <translation>Der laufende Uploader war nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>Too large to preview (%1 × %2 pixels); it can still be uploaded as it is.</source>
        <translation>Zu groß für die Vorschau (%1 × %2 Pixel); es kann trotzdem so hochgeladen werden.</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Klicken</translation>
    </message>
    <message>
        <source>Uploading...</source>
        <translation>Wird hochgeladen...</translation>
    </message>
    <message>
        <source>Destination: %1</source>
        <translation>Ziel: %1</translation>
    </message>
    <message>
        <source>Click to add</source>
        <translation>Hinzufügen…</translation>
    </message>
    <message>
        <source>The image on standard input is larger than %1 MiB.</source>
        <translation>Das Bild auf der Standardeingabe ist größer als %1 MiB.</translation>
    </message>
    <message>
        <source>The image on standard input could not be kept in the temporary folder.</source>
        <translation>Das Bild von der Standardeingabe konnte nicht im temporären Ordner abgelegt werden.</translation>
    </message>
    <message>
        <source>%1 replaced the destination of that name.</source>
        <translation>%1 hat das gleichnamige Ziel ersetzt.</translation>
    </message>
    <message>
        <source>No destination is called %1; tarvello --list-destinations lists them.</source>
        <translation>Kein Ziel heißt %1; tarvello --list-destinations zeigt alle.</translation>
    </message>
    <message>
        <source>The host refused the connection.</source>
        <translation>Der Host hat die Verbindung abgelehnt.</translation>
    </message>
    <message>
        <source>The host closed the connection before answering.</source>
        <translation>Der Host hat die Verbindung vor der Antwort geschlossen.</translation>
    </message>
    <message>
        <source>The host was not found.</source>
        <translation>Der Host wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The transfer stalled: nothing moved for too long.</source>
        <translation>Die Übertragung stockte: Zu lange bewegte sich nichts.</translation>
    </message>
    <message>
        <source>The network is not available.</source>
        <translation>Das Netzwerk ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>The connection broke after the whole image was sent; it was not sent a second time.</source>
        <translation>Die Verbindung brach ab, nachdem das ganze Bild gesendet war; es wurde kein zweites Mal gesendet.</translation>
    </message>
    <message>
        <source>The host&apos;s certificate could not be trusted, so nothing was sent.</source>
        <translation>Dem Zertifikat des Hosts konnte nicht vertraut werden, daher wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The proxy failed.</source>
        <translation>Der Proxy ist gescheitert.</translation>
    </message>
    <message>
        <source>The host&apos;s answer broke the rules of HTTP.</source>
        <translation>Die Antwort des Hosts verstieß gegen die HTTP-Regeln.</translation>
    </message>
    <message>
        <source>The connection to the host failed.</source>
        <translation>Die Verbindung zum Host ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>HTTP status: %1 %2</source>
        <translation>HTTP-Status: %1 %2</translation>
    </message>
    <message>
        <source>The host&apos;s answer is not text.</source>
        <translation>Die Antwort des Hosts ist kein Text.</translation>
    </message>
    <message>
        <source>The host&apos;s answer was empty.</source>
        <translation>Die Antwort des Hosts war leer.</translation>
    </message>
    <message>
        <source>No answer from the host.</source>
        <translation>Keine Antwort vom Host.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Das ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>This is not an image the program can read.</source>
        <translation>Das ist kein Bild, das das Programm lesen kann.</translation>
    </message>
    <message>
        <source>The file&apos;s name is not in UTF-8, so the program cannot open it; rename it.</source>
        <translation>Der Dateiname ist nicht in UTF-8, daher kann das Programm die Datei nicht öffnen; benennen Sie sie um.</translation>
    </message>
    <message>
        <source>Another file stands under this name since it was added; nothing was sent.</source>
        <translation>Unter diesem Namen liegt seit dem Hinzufügen eine andere Datei; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>This link came over plain HTTP: check it before you pass it on.</source>
        <translation>Dieser Link kam über unverschlüsseltes HTTP: Prüfen Sie ihn, bevor Sie ihn weitergeben.</translation>
    </message>
    <message>
        <source>This answer is not a link that can be opened or copied.</source>
        <translation>Diese Antwort ist kein Link, der geöffnet oder kopiert werden kann.</translation>
    </message>
    <message>
        <source>The host&apos;s answer was too long to be a link.</source>
        <translation>Die Antwort des Hosts war zu lang für einen Link.</translation>
    </message>
    <message>
        <source>The host sent the upload elsewhere (HTTP status %1); it was not followed.</source>
        <translation>Der Host hat den Upload umgeleitet (HTTP-Status %1); der Umleitung wurde nicht gefolgt.</translation>
    </message>
    <message>
        <source>The host took too long to answer.</source>
        <translation>Der Host hat zu lange für die Antwort gebraucht.</translation>
    </message>
    <message>
        <source>The upload was stopped.</source>
        <translation>Der Upload wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Cancelled before it was sent.</source>
        <translation>Vor dem Senden abgebrochen.</translation>
    </message>
    <message>
        <source>A user name or password of &quot;.&quot; or &quot;..&quot; cannot be sent in the upload address; nothing was sent.</source>
        <translation>Ein Benutzername oder Passwort „.“ oder „..“ kann nicht in der Upload-Adresse gesendet werden; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The host&apos;s answer holds no link where the destination says it stands.</source>
        <translation>Die Antwort des Hosts enthält keinen Link an der Stelle, die das Ziel angibt.</translation>
    </message>
    <message>
        <source>The host&apos;s answer holds no link where the destination says it stands, but: %1</source>
        <translation>Die Antwort des Hosts enthält keinen Link an der Stelle, die das Ziel angibt, sondern: %1</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>%1 uploaded</source>
        <translation>%1 hochgeladen</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 uploading</source>
        <translation>%1 aktiv</translation>
    </message>
    <message>
        <source>%1 waiting</source>
        <translation>%1 wartend</translation>
    </message>
    <message>
        <source>%1 is not a regular file of yours, so it was left alone.</source>
        <translation>%1 ist keine normale Datei von Ihnen und wurde daher nicht angetastet.</translation>
    </message>
    <message>
        <source>%1 is read-only, so it was left as it is.</source>
        <translation>%1 ist schreibgeschützt und blieb daher unverändert.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The login could not be written.</source>
        <translation>Die Anmeldung konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The login could not be written: the disk may be full.</source>
        <translation>Die Anmeldung konnte nicht gespeichert werden: Der Datenträger ist vielleicht voll.</translation>
    </message>
    <message>
        <source>%1 could not be replaced.</source>
        <translation>%1 konnte nicht ersetzt werden.</translation>
    </message>
    <message>
        <source>Image Files (%1)</source>
        <translation>Bilddateien (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Show Window</source>
        <translation>Fenster anzeigen</translation>
    </message>
    <message>
        <source>Capture in 1 second</source>
        <translation>Aufnahme in 1 Sekunde</translation>
    </message>
    <message>
        <source>Capture in %1 seconds</source>
        <translation>Aufnahme in %1 Sekunden</translation>
    </message>
    <message>
        <source>Retry failed</source>
        <translation>Fehlgeschlagene wiederholen</translation>
    </message>
    <message>
        <source>%1 cannot be used</source>
        <translation>%1 unbrauchbar</translation>
    </message>
    <message>
        <source>The user name and password are kept in plain text in %1</source>
        <translation>Benutzername und Passwort werden im Klartext in %1 gespeichert</translation>
    </message>
    <message>
        <source>Drop images here</source>
        <translation>Bilder hier ablegen</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Bild von %1</translation>
    </message>
    <message>
        <source>Qt options, honoured before &quot;--&quot; only: -platform name, -style name, -reverse. After &quot;--&quot; every argument is a file.</source>
        <translation>Qt-Optionen, nur vor „--“ beachtet: -platform name, -style name, -reverse. Nach „--“ ist jedes Argument eine Datei.</translation>
    </message>
    <message>
        <source>Cannot be used</source>
        <translation>Nicht verwendbar</translation>
    </message>
    <message>
        <source>Waiting; Enter uploads it</source>
        <translation>Wartet; Eingabe lädt es hoch</translation>
    </message>
    <message>
        <source>Upload failed: %1</source>
        <translation>Upload fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Ctrl+R sends every failed row again; the row&apos;s menu (Menu key) has Upload again.</source>
        <translation>Strg+R sendet alle fehlgeschlagenen Zeilen erneut; das Zeilenmenü (Menütaste) bietet „Erneut hochladen“.</translation>
    </message>
    <message>
        <source>Uploaded: %1</source>
        <translation>Hochgeladen: %1</translation>
    </message>
    <message>
        <source>A double click opens the link; Ctrl+C copies it.</source>
        <translation>Ein Doppelklick öffnet den Link; Strg+C kopiert ihn.</translation>
    </message>
    <message>
        <source>No description</source>
        <translation>Keine Beschreibung</translation>
    </message>
    <message>
        <source>No description; Enter adds one</source>
        <translation>Keine Beschreibung; Eingabe fügt eine hinzu</translation>
    </message>
    <message>
        <source>%1; Enter changes it</source>
        <translation>%1; Eingabe ändert sie</translation>
    </message>
    <message>
        <source>%1 waiting for the host</source>
        <comment>%1 is the word for Uploading...</comment>
        <translation>%1 wartet auf den Host</translation>
    </message>
    <message>
        <source>What can be read of it is shown; it can still be uploaded as it is.</source>
        <translation>Was davon lesbar ist, wird gezeigt; es kann trotzdem so hochgeladen werden.</translation>
    </message>
    <message>
        <source>The image is damaged: the file ends before the picture does.</source>
        <translation>Das Bild ist beschädigt: Die Datei endet vor dem Bild.</translation>
    </message>
    <message>
        <source>The image is damaged: its data is corrupt.</source>
        <translation>Das Bild ist beschädigt: Seine Daten sind fehlerhaft.</translation>
    </message>
    <message>
        <source>%1 waiting (%2 damaged)</source>
        <translation>%1 wartend (%2 beschädigt)</translation>
    </message>
</context>
</TS>
