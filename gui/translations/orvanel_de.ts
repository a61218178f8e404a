<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: orvanel [option]
Estimates pi by testing pairs of whole numbers for a common factor.
Without an option, Orvanel opens its window.

Options:
</source>
        <translation>Aufruf: orvanel [Option]
Schätzt Pi, indem es Paare ganzer Zahlen auf einen gemeinsamen Teiler prüft.
Ohne Option öffnet Orvanel sein Fenster.

Optionen:
</translation>
    </message>
    <message>
        <source>Shows this help and ends.</source>
        <translation>Zeigt diese Hilfe und endet.</translation>
    </message>
    <message>
        <source>Shows the version of Orvanel and ends.</source>
        <translation>Zeigt die Version von Orvanel und endet.</translation>
    </message>
    <message>
        <source>Orvanel %1</source>
        <translation>Orvanel %1</translation>
    </message>
    <message>
        <source>Orvanel: “%1” is not an option of Orvanel.</source>
        <translation>Orvanel: „%1“ ist keine Option von Orvanel.</translation>
    </message>
    <message>
        <source>Orvanel: The option “%1” needs a value.</source>
        <translation>Orvanel: Die Option „%1“ braucht einen Wert.</translation>
    </message>
    <message>
        <source>Orvanel: “%1” is not an option; Orvanel takes no file names or other words.</source>
        <translation>Orvanel: „%1“ ist keine Option; Orvanel nimmt keine Dateinamen oder andere Wörter an.</translation>
    </message>
</context>
<context>
    <name>orvanel::AboutPlay</name>
    <message>
        <source>About Orvanel</source>
        <translation>Über Orvanel</translation>
    </message>
    <message>
        <source>You are running Orvanel  1.1,</source>
        <translation>Sie verwenden Orvanel  1.1,</translation>
    </message>
    <message>
        <source>written by %1.</source>
        <translation>geschrieben von %1.</translation>
    </message>
    <message>
        <source>Any comments or bug reports can be sent</source>
        <translation>Anmerkungen und Fehlerberichte schicken Sie bitte</translation>
    </message>
    <message>
        <source>to %1</source>
        <translation>an %1</translation>
    </message>
    <message>
        <source>Check out %1</source>
        <extracomment>The first line of a sentence over two; %1 is the maker&apos;s web address, which may move to the second line if the language puts it last.</extracomment>
        <translation>Weitere Spiele, Kurzgeschichten und Fanartikel</translation>
    </message>
    <message>
        <source>for other games, short stories and merchandise.</source>
        <extracomment>The second line of the sentence; it may take the web address, %1, from the first line.</extracomment>
        <translation>finden Sie unter %1.</translation>
    </message>
    <message>
        <source>the Orvanel developers</source>
        <translation>den Orvanel-Entwicklern</translation>
    </message>
</context>
<context>
    <name>orvanel::ConvergenceChart</name>
    <message>
        <source>Convergence chart</source>
        <translation>Konvergenzdiagramm</translation>
    </message>
    <message>
        <source>pairs asked</source>
        <translation>geprüfte Paare</translation>
    </message>
    <message>
        <source>estimate of pi</source>
        <translation>Schätzwert für Pi</translation>
    </message>
    <message>
        <source>estimate</source>
        <translation>Schätzwert</translation>
    </message>
    <message>
        <source>pi</source>
        <translation>Pi</translation>
    </message>
    <message>
        <source>95 % range of random runs</source>
        <translation>95-%-Bereich zufälliger Läufe</translation>
    </message>
    <message>
        <source>continued from %1 saved pairs</source>
        <extracomment>In a chart that begins at a tally carried from earlier runs, whose course before it is not known. %1 is the count of pairs.</extracomment>
        <translation>fortgesetzt ab %1 gespeicherten Paaren</translation>
    </message>
    <message>
        <source>No estimate yet</source>
        <translation>Noch kein Schätzwert</translation>
    </message>
</context>
<context>
    <name>orvanel::ConvergenceWindow</name>
    <message>
        <source>No estimate yet</source>
        <translation>Noch kein Schätzwert</translation>
    </message>
    <message>
        <source>convergence.png</source>
        <translation>konvergenz.png</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>%1 ± %2 (95 %)</source>
        <extracomment>%1 is the estimate, %2 the half-width of its 95 % interval.</extracomment>
        <translation>%1 ± %2 (95 %)</translation>
    </message>
    <message>
        <source>%1 (no ± before the first common factor)</source>
        <extracomment>%1 is the estimate: before the first common factor the counts give no ± yet.</extracomment>
        <translation>%1 (kein ± vor dem ersten gemeinsamen Teiler)</translation>
    </message>
    <message>
        <source>less than %1 from pi</source>
        <translation>weniger als %1 von Pi entfernt</translation>
    </message>
    <message>
        <source>%1 from pi</source>
        <translation>%1 von Pi entfernt</translation>
    </message>
    <message>
        <source>inside the 95 % band</source>
        <translation>innerhalb des 95-%-Bereichs</translation>
    </message>
    <message>
        <source>outside the 95 % band</source>
        <translation>außerhalb des 95-%-Bereichs</translation>
    </message>
    <message>
        <source>%1, %2
%3 pairs, %4</source>
        <extracomment>Two lines: %1 the estimate, %2 its distance from pi; %3 the pairs asked, %4 whether the estimate lies inside the band.</extracomment>
        <translation>%1, %2
%3 Paare, %4</translation>
    </message>
    <message>
        <source>Orvanel – Convergence</source>
        <translation>Orvanel – Konvergenz</translation>
    </message>
    <message>
        <source>&amp;Save Image…</source>
        <translation>Bild &amp;speichern …</translation>
    </message>
</context>
<context>
    <name>orvanel::Main</name>
    <message>
        <source>qrc:/orvanel/Orvanel.html</source>
        <extracomment>The help document in the language of this translation, among those built into the program: qrc:/orvanel/Orvanel_de.html, qrc:/orvanel/Orvanel_fr.html.</extracomment>
        <translation>qrc:/orvanel/Orvanel_de.html</translation>
    </message>
    <message>
        <source>Orvanel</source>
        <translation>Orvanel</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Loading %1</source>
        <translation>Analyse von %1</translation>
    </message>
    <message>
        <source>pi</source>
        <translation>Pi</translation>
    </message>
    <message>
        <source>is about</source>
        <translation>ist ungefähr</translation>
    </message>
    <message>
        <source>people asked</source>
        <translation>Personen befragt</translation>
    </message>
    <message>
        <source>hits found</source>
        <translation>Treffer gefunden</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>No file loaded</source>
        <translation>Keine Datei geladen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Analyze File</source>
        <translation>Datei &amp;analysieren</translation>
    </message>
    <message>
        <source>Ask &amp;Virtual People</source>
        <translation>&amp;Virtuelle Personen befragen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>What is the &amp;point?</source>
        <translation>&amp;Wozu das Ganze?</translation>
    </message>
    <message>
        <source>&amp;About Orvanel</source>
        <translation>Ü&amp;ber Orvanel</translation>
    </message>
    <message>
        <source>The number of relatively prime pairs lies outside the range of a whole number of 32 bits.</source>
        <translation>Die Zahl der teilerfremden Paare liegt außerhalb des Bereichs einer ganzen Zahl mit 32 Bit.</translation>
    </message>
    <message>
        <source>The random number lies outside the range of a whole number of 32 bits.</source>
        <translation>Die Zufallszahl liegt außerhalb des Bereichs einer ganzen Zahl mit 32 Bit.</translation>
    </message>
    <message>
        <source>The random number does not fit into a whole number of 32 bits.</source>
        <translation>Die Zufallszahl passt nicht in eine ganze Zahl mit 32 Bit.</translation>
    </message>
    <message>
        <source>The bound of the common-factor test does not fit into a whole number of 32 bits.</source>
        <translation>Die Grenze des Tests auf gemeinsame Teiler passt nicht in eine ganze Zahl mit 32 Bit.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi gave an invalid result.</source>
        <translation>Die Berechnung des Schätzwerts für Pi ergab ein ungültiges Ergebnis.</translation>
    </message>
    <message>
        <source>Working out the random number gave an invalid result.</source>
        <translation>Die Berechnung der Zufallszahl ergab ein ungültiges Ergebnis.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi gave a number too large to hold.</source>
        <translation>Die Berechnung des Schätzwerts für Pi ergab eine zu große Zahl.</translation>
    </message>
    <message>
        <source>Working out the random number gave a number too large to hold.</source>
        <translation>Die Berechnung der Zufallszahl ergab eine zu große Zahl.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi needed a division by zero.</source>
        <translation>Die Berechnung des Schätzwerts für Pi hätte eine Division durch null erfordert.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi needed the square root of a negative number.</source>
        <translation>Die Berechnung des Schätzwerts für Pi hätte die Quadratwurzel aus einer negativen Zahl erfordert.</translation>
    </message>
    <message>
        <source>the system gave no reason</source>
        <translation>das System nannte keinen Grund</translation>
    </message>
    <message>
        <source>there is no such file or folder</source>
        <translation>die Datei oder der Ordner existiert nicht</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>a part of the path is not a folder</source>
        <translation>ein Teil des Pfades ist kein Ordner</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>der Name ist zu lang</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>das Dateisystem ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the device reported an input or output error</source>
        <translation>das Gerät meldete einen Ein-/Ausgabefehler</translation>
    </message>
    <message>
        <source>too many files are open</source>
        <translation>es sind zu viele Dateien geöffnet</translation>
    </message>
    <message>
        <source>Something went wrong that should never happen: %1.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten: %1.</translation>
    </message>
    <message>
        <source>The saved tally could not be read from %1: the file is damaged. The tally starts again from zero.</source>
        <translation>Der gespeicherte Zählerstand konnte nicht aus %1 gelesen werden: Die Datei ist beschädigt. Der Zählerstand beginnt wieder bei null.</translation>
    </message>
    <message>
        <source>is about %1</source>
        <translation>ist ungefähr %1</translation>
    </message>
    <message>
        <source> based on %1 virtual people asked</source>
        <extracomment>%1 is the number of pairs asked, with a blank in the place of the sign.</extracomment>
        <translation> aufgrund von %1 befragten virtuellen Personen</translation>
    </message>
    <message>
        <source>and %1 guesses being relatively prime</source>
        <extracomment>%1 is the number of pairs without a common factor, with a blank in the place of the sign.</extracomment>
        <translation>und %1 als teilerfremd eingestuften Paaren</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Convergence Chart</source>
        <translation>&amp;Konvergenzdiagramm</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>the file system did not answer in time</source>
        <translation>das Dateisystem hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>it is far too large to be a settings file</source>
        <translation>die Datei ist viel zu groß für eine Einstellungsdatei</translation>
    </message>
    <message>
        <source>the settings store refused access</source>
        <translation>der Einstellungsspeicher hat den Zugriff verweigert</translation>
    </message>
    <message>
        <source>The saved tally could not be read from %1: %2. The tally starts again from zero.</source>
        <translation>Der gespeicherte Zählerstand konnte nicht aus %1 gelesen werden: %2. Er beginnt wieder bei null.</translation>
    </message>
    <message>
        <source>there is no space left on the disk</source>
        <translation>auf dem Datenträger ist kein Platz mehr frei</translation>
    </message>
    <message>
        <source>the symbolic links on the way lead round in a circle</source>
        <translation>die symbolischen Verknüpfungen auf dem Weg dorthin führen im Kreis</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>&amp;Full Speed</source>
        <translation>&amp;Volle Geschwindigkeit</translation>
    </message>
    <message>
        <source>the system could not start a thread to wait for the file system</source>
        <translation>das System konnte keinen Thread starten, der auf das Dateisystem wartet</translation>
    </message>
    <message>
        <source>it could not be read when Orvanel started, and could not be set aside to keep it (%1), so it is left as it is</source>
        <translation>sie konnte beim Start von Orvanel nicht gelesen und auch nicht beiseitegelegt werden (%1), deshalb bleibt sie, wie sie ist</translation>
    </message>
    <message>
        <source>no home folder is known (HOME is not set)</source>
        <translation>es ist kein persönlicher Ordner bekannt (HOME ist nicht gesetzt)</translation>
    </message>
    <message>
        <source>The image could not be saved as %1: %2. Choose another folder.</source>
        <translation>Das Bild konnte nicht als %1 gespeichert werden: %2. Wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>&amp;Quit Without Saving</source>
        <translation>Beenden &amp;ohne Speichern</translation>
    </message>
    <message>
        <source>%p %</source>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>The tally has reached %1 virtual people, the most it can count. The trials have stopped; Reset starts a new tally.</source>
        <extracomment>%1 is 2,147,483,647 as the user&apos;s locale writes it.</extracomment>
        <translation>Der Zählerstand hat %1 virtuelle Befragte erreicht, mehr kann er nicht zählen. Die Versuche wurden angehalten; mit „Zurücksetzen“ beginnt ein neuer Zählerstand.</translation>
    </message>
    <message>
        <source>The count of common factors found has reached %1, the most it can count. The trials have stopped; Reset starts a new tally.</source>
        <translation>Die Zahl der gefundenen gemeinsamen Teiler hat %1 erreicht, mehr kann sie nicht zählen. Die Versuche wurden angehalten; mit „Zurücksetzen“ beginnt ein neuer Zählerstand.</translation>
    </message>
    <message>
        <source>The tally could not be saved in %1: %2.</source>
        <translation>Der Zählerstand konnte nicht in %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>The settings file %1 also holds lines that are not part of the tally. They will be removed when the tally is next saved.</source>
        <translation>Die Einstellungsdatei %1 enthält außerdem Zeilen, die nicht zum Zählerstand gehören. Sie werden beim nächsten Speichern des Zählerstands entfernt.</translation>
    </message>
    <message>
        <source>The tally will not be saved in %1: %2.</source>
        <translation>Der Zählerstand kann nicht in %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>another program is using it</source>
        <translation>ein anderes Programm verwendet sie</translation>
    </message>
    <message>
        <source>Saving the tally in %1 did not finish in time: the file system did not answer. Whichever tally lands there is the one the next start reads.</source>
        <translation>Das Speichern des Zählerstands in %1 wurde nicht rechtzeitig fertig: Das Dateisystem hat nicht geantwortet. Beim nächsten Start wird der Zählerstand gelesen, der dort zuletzt angekommen ist.</translation>
    </message>
    <message>
        <source>Orvanel is running already, but it does not answer. This copy ends without touching the tally.</source>
        <translation>Orvanel läuft bereits, antwortet aber nicht. Dieser zweite Start wird beendet, ohne den Zählerstand anzutasten.</translation>
    </message>
    <message>
        <source>number of people asked</source>
        <translation>Anzahl der befragten Personen</translation>
    </message>
    <message>
        <source>number of common factors found</source>
        <translation>Anzahl der gefundenen gemeinsamen Teiler</translation>
    </message>
    <message>
        <source>number of relatively prime pairs</source>
        <translation>Anzahl der teilerfremden Paare</translation>
    </message>
    <message>
        <source>estimate of pi</source>
        <translation>Schätzwert für Pi</translation>
    </message>
    <message>
        <source>random number</source>
        <translation>Zufallszahl</translation>
    </message>
    <message>
        <source>bound of the common-factor test</source>
        <translation>Grenze der Teilerprüfung</translation>
    </message>
    <message>
        <source>stored count</source>
        <translation>gespeicherte Zahl</translation>
    </message>
    <message>
        <source>limit reached</source>
        <translation>Grenze erreicht</translation>
    </message>
    <message>
        <source>out of the 32-bit range</source>
        <translation>außerhalb des 32-Bit-Bereichs</translation>
    </message>
    <message>
        <source>does not fit into 32 bits</source>
        <translation>passt nicht in 32 Bit</translation>
    </message>
    <message>
        <source>invalid result</source>
        <translation>ungültiges Ergebnis</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>zu groß</translation>
    </message>
    <message>
        <source>division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <source>square root of a negative number</source>
        <translation>Quadratwurzel einer negativen Zahl</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>es ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>Something went wrong that should never happen: %1: %2.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten: %1: %2.</translation>
    </message>
    <message>
        <source>Saving the image as %1 did not finish in time: the file system did not answer.</source>
        <translation>Das Speichern des Bildes als %1 wurde nicht rechtzeitig fertig: Das Dateisystem hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The folder “%1” did not answer in time, so the dialog opens elsewhere.</source>
        <translation>Der Ordner „%1“ hat nicht rechtzeitig geantwortet, deshalb öffnet sich der Dialog an anderer Stelle.</translation>
    </message>
    <message>
        <source>The file “%1” could not be opened: %2.</source>
        <translation>Die Datei „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The file “%1” could not be read: %2.</source>
        <translation>Die Datei „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The next save keeps that file beside the new one, under a name that ends in “.unreadable-” and the date.</source>
        <translation>Die nächste Sicherung bewahrt diese Datei neben der neuen auf, unter einem Namen, der auf „.unreadable-“ und das Datum endet.</translation>
    </message>
    <message>
        <source>The saved Hits “%1” in %2 cannot be used, so the tally starts again from zero.</source>
        <translation>Die gespeicherte Zahl der gemeinsamen Teiler „%1“ in %2 ist unbrauchbar; der Zählerstand beginnt wieder bei null.</translation>
    </message>
    <message>
        <source>The saved Total “%1” in %2 cannot be used, so the tally starts again from zero.</source>
        <translation>Die gespeicherte Zahl der Befragten „%1“ in %2 ist unbrauchbar; der Zählerstand beginnt wieder bei null.</translation>
    </message>
    <message>
        <source>The saved Estimate “%1” in %2 cannot be used and starts again at 0.</source>
        <translation>Der gespeicherte Schätzwert „%1“ in %2 ist unbrauchbar; er wird auf 0 gesetzt.</translation>
    </message>
    <message>
        <source>The file “%1” is empty; a pair needs 8 bytes.</source>
        <translation>Die Datei „%1“ ist leer; ein Paar braucht 8 Bytes.</translation>
    </message>
    <message>
        <source>The file “%1” holds only 1 byte; a pair needs 8.</source>
        <translation>Die Datei „%1“ enthält nur 1 Byte; ein Paar braucht 8.</translation>
    </message>
    <message>
        <source>The file “%1” holds only %2 bytes; a pair needs 8.</source>
        <translation>Die Datei „%1“ enthält nur %2 Bytes; ein Paar braucht 8.</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>The title of the dialog in which a pair file is chosen, as the system names it.</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>the values there could not be read when Orvanel started, so they are left as they are</source>
        <translation>die Werte dort konnten beim Start von Orvanel nicht gelesen werden, deshalb bleiben sie, wie sie sind</translation>
    </message>
    <message>
        <source>The saved %1 in %2 holds a list of texts, not a number.</source>
        <translation>Der gespeicherte Wert %1 in %2 ist eine Liste von Texten, keine Zahl.</translation>
    </message>
    <message>
        <source>The saved %1 in %2 is a number stored with the wrong size for its kind.</source>
        <translation>Der gespeicherte Wert %1 in %2 ist eine Zahl, deren Größe nicht zu ihrer Art passt.</translation>
    </message>
    <message>
        <source>The saved %1 in %2 holds binary data, not a number.</source>
        <translation>Der gespeicherte Wert %1 in %2 enthält Binärdaten, keine Zahl.</translation>
    </message>
    <message>
        <source>The tally starts again from zero.</source>
        <translation>Der Zählerstand beginnt wieder bei null.</translation>
    </message>
    <message>
        <source>The estimate starts again at 0.</source>
        <translation>Der Schätzwert beginnt wieder bei 0.</translation>
    </message>
</context>
</TS>
