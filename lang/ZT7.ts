<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name></name>
    <message id="1000">
        <source>Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Zentaro</translation>
    </message>
    <message id="1002">
        <source>&amp;File</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Datei</translation>
    </message>
    <message id="1004">
        <source>&amp;New model</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Neues Modell</translation>
    </message>
    <message id="1005">
        <source>Starts a new, empty model</source>
        <extracomment>Main window</extracomment>
        <translation>Beginnt ein neues, leeres Modell</translation>
    </message>
    <message id="1006">
        <source>&amp;Open model...</source>
        <extracomment>Main window</extracomment>
        <translation>Modell ö&amp;ffnen...</translation>
    </message>
    <message id="1007">
        <source>Opens a model file</source>
        <extracomment>Main window</extracomment>
        <translation>Öffnet eine Modelldatei</translation>
    </message>
    <message id="1008">
        <source>Open &amp;library...</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Bibliothek öffnen...</translation>
    </message>
    <message id="1009">
        <source>Adds a library file to the model</source>
        <extracomment>Main window</extracomment>
        <translation>Fügt dem Modell eine Bibliotheksdatei hinzu</translation>
    </message>
    <message id="1010">
        <source>&amp;Save model</source>
        <extracomment>Main window</extracomment>
        <translation>Modell &amp;speichern</translation>
    </message>
    <message id="1011">
        <source>Saves the model under its name</source>
        <extracomment>Main window</extracomment>
        <translation>Speichert das Modell unter seinem Namen</translation>
    </message>
    <message id="1012">
        <source>Open s&amp;cript...</source>
        <extracomment>Main window</extracomment>
        <translation>S&amp;kript öffnen...</translation>
    </message>
    <message id="1013">
        <source>Opens a VexScript file in the editor</source>
        <extracomment>Main window</extracomment>
        <translation>Öffnet eine VexScript-Datei im Editor</translation>
    </message>
    <message id="1014">
        <source>E&amp;xit</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
    <message id="1015">
        <source>Ends Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Beendet Zentaro</translation>
    </message>
    <message id="1020">
        <source>&amp;Window</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Fenster</translation>
    </message>
    <message id="1022">
        <source>&amp;Trace window</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Ablaufprotokoll</translation>
    </message>
    <message id="1023">
        <source>Shows the trace messages</source>
        <extracomment>Main window</extracomment>
        <translation>Zeigt die Ablaufmeldungen</translation>
    </message>
    <message id="1024">
        <source>&amp;Error window</source>
        <extracomment>Main window</extracomment>
        <translation>F&amp;ehlerfenster</translation>
    </message>
    <message id="1025">
        <source>Shows the error messages</source>
        <extracomment>Main window</extracomment>
        <translation>Zeigt die Fehlermeldungen</translation>
    </message>
    <message id="1030">
        <source>&amp;Help</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message id="1032">
        <source>&amp;Word reference</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Wortreferenz</translation>
    </message>
    <message id="1033">
        <source>Describes every VexScript word</source>
        <extracomment>Main window</extracomment>
        <translation>Beschreibt jedes VexScript-Wort</translation>
    </message>
    <message id="1034">
        <source>&amp;About Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Ü&amp;ber Zentaro</translation>
    </message>
    <message id="1035">
        <source>Shows the version of Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Zeigt die Version von Zentaro</translation>
    </message>
    <message id="1040">
        <source>Model atoms</source>
        <extracomment>Main window</extracomment>
        <translation>Atome des Modells</translation>
    </message>
    <message id="1042">
        <source>No model is open.</source>
        <extracomment>Main window</extracomment>
        <translation>Kein Modell geöffnet.</translation>
    </message>
    <message id="1044">
        <source>Ne&amp;w script</source>
        <extracomment>Main window</extracomment>
        <translation>Neues Skrip&amp;t</translation>
    </message>
    <message id="1045">
        <source>Empties the editor for a new script</source>
        <extracomment>Main window</extracomment>
        <translation>Leert den Editor für ein neues Skript</translation>
    </message>
    <message id="1046">
        <source>Save scrip&amp;t</source>
        <extracomment>Main window</extracomment>
        <translation>Skript spei&amp;chern</translation>
    </message>
    <message id="1047">
        <source>Saves the script in the editor to its file</source>
        <extracomment>Main window</extracomment>
        <translation>Speichert das Skript im Editor in seine Datei</translation>
    </message>
    <message id="1048">
        <source>Save script &amp;as...</source>
        <extracomment>Main window</extracomment>
        <translation>Skript speichern &amp;unter...</translation>
    </message>
    <message id="1049">
        <source>Saves the script in the editor to a file of another name</source>
        <extracomment>Main window</extracomment>
        <translation>Speichert das Skript im Editor in eine Datei anderen Namens</translation>
    </message>
    <message id="1050">
        <source>&amp;Script</source>
        <extracomment>Main window</extracomment>
        <translation>S&amp;kript</translation>
    </message>
    <message id="1052">
        <source>&amp;Run</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Ausführen</translation>
    </message>
    <message id="1053">
        <source>Runs the script statement by statement</source>
        <extracomment>Main window</extracomment>
        <translation>Führt das Skript Anweisung für Anweisung aus</translation>
    </message>
    <message id="1054">
        <source>&amp;Check syntax</source>
        <extracomment>Main window</extracomment>
        <translation>Syntax &amp;prüfen</translation>
    </message>
    <message id="1055">
        <source>Compiles every statement and selects the first that does not compile</source>
        <extracomment>Main window</extracomment>
        <translation>Übersetzt jede Anweisung und markiert die erste, die sich nicht übersetzen lässt</translation>
    </message>
    <message id="1056">
        <source>S&amp;top</source>
        <extracomment>Main window</extracomment>
        <translation>An&amp;halten</translation>
    </message>
    <message id="1057">
        <source>Ends the run that goes; with debugging on, pauses it in the debugger</source>
        <extracomment>Main window</extracomment>
        <translation>Beendet den laufenden Lauf; mit eingeschaltetem Debugging hält er im Debugger an</translation>
    </message>
    <message id="1058">
        <source>Stop at &amp;first error</source>
        <extracomment>Main window</extracomment>
        <translation>Beim &amp;ersten Fehler anhalten</translation>
    </message>
    <message id="1059">
        <source>The first error a run reports ends the whole run; off, an error inside a word's body or an evaluated text gives 0 there and the run goes on</source>
        <extracomment>Main window</extracomment>
        <translation>Der erste Fehler, den ein Lauf meldet, beendet den ganzen Lauf; ausgeschaltet ergibt ein Fehler im Rumpf eines Wortes oder in einem ausgewerteten Text dort 0, und der Lauf geht weiter</translation>
    </message>
    <message id="1100">
        <source>Cannot open %1: %2</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message id="1101">
        <source>Cannot read %1: %2</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message id="1102">
        <source>%1 - Zentaro</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 - Zentaro</translation>
    </message>
    <message id="1103">
        <source>Open Script</source>
        <extracomment>Main window messages</extracomment>
        <translation>Skript öffnen</translation>
    </message>
    <message id="1104">
        <source>VexScript files (*.vex);;All files (*)</source>
        <extracomment>Main window messages</extracomment>
        <translation>VexScript-Dateien (*.vex);;Alle Dateien (*)</translation>
    </message>
    <message id="1105">
        <source>About Zentaro</source>
        <extracomment>Main window messages</extracomment>
        <translation>Über Zentaro</translation>
    </message>
    <message id="1106">
        <source>Zentaro %1
Script editor and debugger for VexScript.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Zentaro %1
Skripteditor und Debugger für VexScript.</translation>
    </message>
    <message id="1107">
        <source>Ready</source>
        <extracomment>Main window messages</extracomment>
        <translation>Bereit</translation>
    </message>
    <message id="1108">
        <source>Error</source>
        <extracomment>Main window messages</extracomment>
        <translation>Fehler</translation>
    </message>
    <message id="1109">
        <source>Open Model</source>
        <extracomment>Main window messages</extracomment>
        <translation>Modell öffnen</translation>
    </message>
    <message id="1110">
        <source>Open Library</source>
        <extracomment>Main window messages</extracomment>
        <translation>Bibliothek öffnen</translation>
    </message>
    <message id="1111">
        <source>Save Model As</source>
        <extracomment>Main window messages</extracomment>
        <translation>Modell speichern unter</translation>
    </message>
    <message id="1112">
        <source>Model: %1</source>
        <extracomment>Main window messages</extracomment>
        <translation>Modell: %1</translation>
    </message>
    <message id="1113">
        <source>Model: %1 (%2)</source>
        <extracomment>Main window messages</extracomment>
        <translation>Modell: %1 (%2)</translation>
    </message>
    <message id="1114">
        <source>Time: %1</source>
        <extracomment>Main window messages</extracomment>
        <translation>Zeit: %1</translation>
    </message>
    <message id="1115">
        <source>Discard the model "%1" and start a new one? What was not saved is lost.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Das Modell „%1“ verwerfen und ein neues beginnen? Was nicht gespeichert wurde, geht verloren.</translation>
    </message>
    <message id="1116">
        <source>New model started</source>
        <extracomment>Main window messages</extracomment>
        <translation>Neues Modell begonnen</translation>
    </message>
    <message id="1117">
        <source>Model %1 opened</source>
        <extracomment>Main window messages</extracomment>
        <translation>Modell %1 geöffnet</translation>
    </message>
    <message id="1118">
        <source>Library %1 opened</source>
        <extracomment>Main window messages</extracomment>
        <translation>Bibliothek %1 geöffnet</translation>
    </message>
    <message id="1119">
        <source>Model saved to %1</source>
        <extracomment>Main window messages</extracomment>
        <translation>Modell gespeichert in %1</translation>
    </message>
    <message id="1120">
        <source>%1 could not be read; the model stays as it was. The error window lists why.</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 konnte nicht gelesen werden; das Modell bleibt, wie es war. Das Fehlerfenster nennt die Gründe.</translation>
    </message>
    <message id="1121">
        <source>%1 could not be read; nothing of it was added. The error window lists why.</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 konnte nicht gelesen werden; nichts davon wurde hinzugefügt. Das Fehlerfenster nennt die Gründe.</translation>
    </message>
    <message id="1122">
        <source>The model was not saved. The error window lists why.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Das Modell wurde nicht gespeichert. Das Fehlerfenster nennt die Gründe.</translation>
    </message>
    <message id="1123">
        <source>Word Reference</source>
        <extracomment>Main window messages</extracomment>
        <translation>Wortreferenz</translation>
    </message>
    <message id="1124">
        <source>The script %1 has changed. Save the changes?</source>
        <extracomment>Main window</extracomment>
        <translation>Das Skript %1 wurde geändert. Änderungen speichern?</translation>
    </message>
    <message id="1125">
        <source>Untitled</source>
        <extracomment>Main window</extracomment>
        <translation>Unbenannt</translation>
    </message>
    <message id="1126">
        <source>Save Script As</source>
        <extracomment>Main window</extracomment>
        <translation>Skript speichern unter</translation>
    </message>
    <message id="1127">
        <source>Script saved to %1</source>
        <extracomment>Main window</extracomment>
        <translation>Skript gespeichert in %1</translation>
    </message>
    <message id="1128">
        <source>Result: %1</source>
        <extracomment>Main window</extracomment>
        <translation>Ergebnis: %1</translation>
    </message>
    <message id="1129">
        <source>The run reported errors; the error window lists them.</source>
        <extracomment>Main window</extracomment>
        <translation>Der Lauf hat Fehler gemeldet; das Fehlerfenster listet sie auf.</translation>
    </message>
    <message id="1130">
        <source>Discard the model "%1" and quit? What was not saved is lost.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Das Modell „%1“ verwerfen und beenden? Was nicht gespeichert wurde, geht verloren.</translation>
    </message>
    <message id="1131">
        <source>The automation call was aborted.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Der Automatisierungsaufruf wurde abgebrochen.</translation>
    </message>
    <message id="1132">
        <source>The automation call was stopped after its time limit of %1 ms.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Der Automatisierungsaufruf wurde nach seiner Zeitgrenze von %1 ms beendet.</translation>
    </message>
    <message id="1133">
        <source>the name holds characters that script texts (Windows-1252) cannot hold</source>
        <extracomment>Main window messages</extracomment>
        <translation>der Name enthält Zeichen, die Skripttexte (Windows-1252) nicht darstellen können</translation>
    </message>
    <message id="1134">
        <source>Cannot save %1: %2</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message id="1135">
        <source>The statement in line %1 does not compile; the error window lists why.</source>
        <extracomment>Main window</extracomment>
        <translation>Die Anweisung in Zeile %1 lässt sich nicht übersetzen; das Fehlerfenster nennt den Grund.</translation>
    </message>
    <message id="1136">
        <source>Line %1 has %2 characters; only the first %3 of a line are coloured.</source>
        <extracomment>Main window</extracomment>
        <translation>Zeile %1 hat %2 Zeichen; nur die ersten %3 Zeichen einer Zeile werden gefärbt.</translation>
    </message>
    <message id="1137">
        <source>The script holds no statement.</source>
        <extracomment>Main window</extracomment>
        <translation>Das Skript enthält keine Anweisung.</translation>
    </message>
    <message id="1138">
        <source>There is no runtime to run the script in.</source>
        <extracomment>Main window</extracomment>
        <translation>Es gibt keine Laufzeitumgebung, in der das Skript laufen könnte.</translation>
    </message>
    <message id="1139">
        <source>A run is going on; stop it first (Script > Stop).</source>
        <extracomment>Main window messages</extracomment>
        <translation>Ein Lauf ist im Gang; zuerst anhalten (Skript > Anhalten).</translation>
    </message>
    <message id="1140">
        <source>A run is going on in Zentaro; try again when it has ended.</source>
        <extracomment>Main window messages</extracomment>
        <translation>In Zentaro ist ein Lauf im Gang; nach seinem Ende erneut versuchen.</translation>
    </message>
    <message id="1141">
        <source>A run is going on. Stop it and quit?</source>
        <extracomment>Main window messages</extracomment>
        <translation>Ein Lauf ist im Gang. Anhalten und beenden?</translation>
    </message>
    <message id="1142">
        <source>The run was stopped.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Der Lauf wurde angehalten.</translation>
    </message>
    <message id="1143">
        <source>Running...</source>
        <extracomment>Main window messages</extracomment>
        <translation>Läuft...</translation>
    </message>
    <message id="1144">
        <source>Time %1 of %2 - %3 events/s - %4 s</source>
        <extracomment>Main window messages</extracomment>
        <translation>Zeit %1 von %2 - %3 Ereignisse/s - %4 s</translation>
    </message>
    <message id="2219">
        <source>&amp;Stay On Top</source>
        <extracomment>Word overview</extracomment>
        <translation>&amp;Immer im Vordergrund</translation>
    </message>
    <message id="2220">
        <source>Keeps the window above the other windows</source>
        <extracomment>Word overview</extracomment>
        <translation>Hält das Fenster über den anderen Fenstern</translation>
    </message>
    <message id="2608">
        <source>(no atom)</source>
        <extracomment>Debugger</extracomment>
        <translation>(kein Atom)</translation>
    </message>
    <message id="2609">
        <source>(none)</source>
        <extracomment>Debugger</extracomment>
        <translation>(keines)</translation>
    </message>
    <message id="2904">
        <source>E&amp;xecute</source>
        <extracomment>Script editor</extracomment>
        <translation>A&amp;usführen</translation>
    </message>
    <message id="3001">
        <source>User</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Benutzer</translation>
    </message>
    <message id="3002">
        <source>Cannot redefine the built-in word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Das eingebaute Wort</translation>
    </message>
    <message id="3003">
        <source>as a user-defined word.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>kann nicht als benutzerdefiniertes Wort neu definiert werden.</translation>
    </message>
    <message id="3004">
        <source>Cannot register the word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Registrierung nicht möglich für das Wort</translation>
    </message>
    <message id="3005">
        <source>in the category</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in der Kategorie</translation>
    </message>
    <message id="3006">
        <source>because no such category exists.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>(diese Kategorie gibt es nicht).</translation>
    </message>
    <message id="3007">
        <source>Warning: the name</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Warnung: der Name</translation>
    </message>
    <message id="3008">
        <source>is also a word; the attribute is used.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>ist auch ein Wort; das Attribut wird verwendet.</translation>
    </message>
    <message id="3009">
        <source>Unknown word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Unbekanntes Wort</translation>
    </message>
    <message id="3010">
        <source>in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in:</translation>
    </message>
    <message id="3011">
        <source>Too many arguments (more than 255) for</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Zu viele Argumente (mehr als 255) für</translation>
    </message>
    <message id="3012">
        <source>in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in:</translation>
    </message>
    <message id="3013">
        <source>argument</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Argument</translation>
    </message>
    <message id="3014">
        <source>arguments</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Argumente</translation>
    </message>
    <message id="3015">
        <source>expected</source>
        <extracomment>Runtime messages</extracomment>
        <translation>erwartet</translation>
    </message>
    <message id="3016">
        <source>or more</source>
        <extracomment>Runtime messages</extracomment>
        <translation>oder mehr</translation>
    </message>
    <message id="3017">
        <source>at most</source>
        <extracomment>Runtime messages</extracomment>
        <translation>höchstens</translation>
    </message>
    <message id="3018">
        <source>The word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Das Wort</translation>
    </message>
    <message id="3019">
        <source>was given</source>
        <extracomment>Runtime messages</extracomment>
        <translation>erhielt</translation>
    </message>
    <message id="3020">
        <source>in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in:</translation>
    </message>
    <message id="3021">
        <source>Error in</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Fehler in</translation>
    </message>
    <message id="3022">
        <source>the operation could not be completed.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>die Operation konnte nicht ausgeführt werden.</translation>
    </message>
    <message id="3023">
        <source>Error in</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Fehler in</translation>
    </message>
    <message id="3024">
        <source>An error occurred while reporting an error:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Beim Melden eines Fehlers ist ein Fehler aufgetreten:</translation>
    </message>
    <message id="3030">
        <source>Object</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Objekt</translation>
    </message>
    <message id="3031">
        <source>ID </source>
        <extracomment>Runtime messages</extracomment>
        <translation>ID </translation>
    </message>
    <message id="3034">
        <source>The run has been interrupted.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Der Lauf wurde unterbrochen.</translation>
    </message>
    <message id="3035">
        <source>Do you want to stop it?</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Wollen Sie ihn anhalten?</translation>
    </message>
    <message id="3036">
        <source>The run has been interrupted.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Der Lauf wurde unterbrochen.</translation>
    </message>
    <message id="3037">
        <source>Yes: debug it step by step. No: stop it.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Ja: Schritt für Schritt debuggen. Nein: anhalten.</translation>
    </message>
    <message id="3038">
        <source>Cancel: let it go on.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Abbrechen: weiterlaufen lassen.</translation>
    </message>
    <message id="3039">
        <source>A word needs a name.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Ein Wort braucht einen Namen.</translation>
    </message>
    <message id="3040">
        <source>Expression nested too deeply (more than 500 levels) in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Ausdruck zu tief geschachtelt (mehr als 500 Ebenen) in:</translation>
    </message>
    <message id="3902">
        <source>VexScript files (*.vex);;All files (*)</source>
        <extracomment>Script editor</extracomment>
        <translation>VexScript-Dateien (*.vex);;Alle Dateien (*)</translation>
    </message>
    <message id="3903">
        <source>Text files (*.txt);;All files (*)</source>
        <extracomment>Script editor</extracomment>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message id="3904">
        <source>The syntax is correct.</source>
        <extracomment>Script editor</extracomment>
        <translation>Die Syntax ist korrekt.</translation>
    </message>
    <message id="3905">
        <source>The syntax check found errors; the error window lists them.</source>
        <extracomment>Script editor</extracomment>
        <translation>Die Syntaxprüfung hat Fehler gefunden; das Fehlerfenster listet sie auf.</translation>
    </message>
    <message id="3906">
        <source>This word has no example.</source>
        <extracomment>Script editor</extracomment>
        <translation>Zu diesem Wort gibt es kein Beispiel.</translation>
    </message>
    <message id="3907">
        <source>There is no statement to check.</source>
        <extracomment>Script editor</extracomment>
        <translation>Es gibt keine Anweisung zu prüfen.</translation>
    </message>
    <message id="3908">
        <source>Cu&amp;t</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message id="3910">
        <source>&amp;Copy</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Kopieren</translation>
    </message>
    <message id="3912">
        <source>&amp;Paste</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Einfügen</translation>
    </message>
    <message id="3918">
        <source>Word &amp;overview</source>
        <extracomment>Script editor</extracomment>
        <translation>Wort&amp;übersicht</translation>
    </message>
    <message id="3920">
        <source>&amp;Look up word</source>
        <extracomment>Script editor</extracomment>
        <translation>Wort &amp;nachschlagen</translation>
    </message>
    <message id="3922">
        <source>Pre&amp;vious word</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Vorheriges Wort</translation>
    </message>
    <message id="3924">
        <source>&amp;Next word</source>
        <extracomment>Script editor</extracomment>
        <translation>Nä&amp;chstes Wort</translation>
    </message>
    <message id="3926">
        <source>Insert e&amp;xample</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Beispiel einfügen</translation>
    </message>
    <message id="3928">
        <source>&amp;Syntax check</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Syntaxprüfung</translation>
    </message>
    <message id="3932">
        <source>Syntax &amp;tree</source>
        <extracomment>Script editor</extracomment>
        <translation>Syntax&amp;baum</translation>
    </message>
    <message id="3936">
        <source>Select &amp;all</source>
        <extracomment>Script editor</extracomment>
        <translation>Alles &amp;markieren</translation>
    </message>
    <message id="3938">
        <source>&amp;Replace...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Ersetzen...</translation>
    </message>
    <message id="3942">
        <source>&amp;Print...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Drucken...</translation>
    </message>
    <message id="3944">
        <source>Save &amp;as...</source>
        <extracomment>Script editor</extracomment>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message id="3946">
        <source>&amp;Open...</source>
        <extracomment>Script editor</extracomment>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message id="3948">
        <source>&amp;Undo</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message id="3950">
        <source>&amp;Redo</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message id="3952">
        <source>&amp;Help</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message id="3954">
        <source>&amp;Depth colours on/off</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Tiefenfarben ein/aus</translation>
    </message>
    <message id="3956">
        <source>Paste &amp;history</source>
        <extracomment>Script editor</extracomment>
        <translation>Einfüge&amp;verlauf</translation>
    </message>
    <message id="3958">
        <source>&amp;Find...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Suchen...</translation>
    </message>
    <message id="3960">
        <source>Show &amp;trace window</source>
        <extracomment>Script editor</extracomment>
        <translation>Ablaufprotokoll &amp;zeigen</translation>
    </message>
    <message id="3962">
        <source>Find &amp;next</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message id="3964">
        <source>&amp;Colouring on/off</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Färbung ein/aus</translation>
    </message>
    <message id="3970">
        <source>Find</source>
        <extracomment>Find dialog</extracomment>
        <translation>Suchen</translation>
    </message>
    <message id="3972">
        <source>Replace</source>
        <extracomment>Script editor</extracomment>
        <translation>Ersetzen</translation>
    </message>
    <message id="3974">
        <source>Fi&amp;nd what:</source>
        <extracomment>Find dialog</extracomment>
        <translation>Suchen &amp;nach:</translation>
    </message>
    <message id="3975">
        <source>Re&amp;place with:</source>
        <extracomment>Find dialog</extracomment>
        <translation>Ersetzen &amp;durch:</translation>
    </message>
    <message id="3976">
        <source>Match &amp;case</source>
        <extracomment>Find dialog</extracomment>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message id="3978">
        <source>&amp;Find Next</source>
        <extracomment>Find dialog</extracomment>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message id="3980">
        <source>&amp;Replace</source>
        <extracomment>Find dialog</extracomment>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message id="3982">
        <source>Replace &amp;All</source>
        <extracomment>Find dialog</extracomment>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message id="3984">
        <source>Cancel</source>
        <extracomment>Find dialog</extracomment>
        <translation>Abbrechen</translation>
    </message>
    <message id="3986">
        <source>Print to a PDF file</source>
        <extracomment>Script editor</extracomment>
        <translation>In eine PDF-Datei drucken</translation>
    </message>
    <message id="3988">
        <source>PDF files (*.pdf)</source>
        <extracomment>Script editor</extracomment>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message id="4302">
        <source>VexScript</source>
        <extracomment>Word overview</extracomment>
        <translation>VexScript</translation>
    </message>
    <message id="4304">
        <source>VexScript</source>
        <extracomment>Word overview</extracomment>
        <translation>VexScript</translation>
    </message>
    <message id="4305">
        <source>Category</source>
        <extracomment>Word overview</extracomment>
        <translation>Kategorie</translation>
    </message>
    <message id="4306">
        <source>Creator</source>
        <extracomment>Word overview</extracomment>
        <translation>Urheber</translation>
    </message>
    <message id="4307">
        <source>Update</source>
        <extracomment>Word overview</extracomment>
        <translation>Aktualisieren</translation>
    </message>
    <message id="4308">
        <source>Syntax</source>
        <extracomment>Word overview</extracomment>
        <translation>Syntax</translation>
    </message>
    <message id="4309">
        <source>Example</source>
        <extracomment>Word overview</extracomment>
        <translation>Beispiel</translation>
    </message>
    <message id="4310">
        <source>All categories</source>
        <extracomment>Word overview</extracomment>
        <translation>Alle Kategorien</translation>
    </message>
    <message id="4311">
        <source>All creators</source>
        <extracomment>Word overview</extracomment>
        <translation>Alle Urheber</translation>
    </message>
    <message id="5102">
        <source>VexScript</source>
        <extracomment>Syntax tree window</extracomment>
        <translation>VexScript</translation>
    </message>
    <message id="5108">
        <source>Syntax error</source>
        <extracomment>Syntax tree window</extracomment>
        <translation>Syntaxfehler</translation>
    </message>
    <message id="5110">
        <source>... %1 more statements, not shown</source>
        <extracomment>Syntax tree window</extracomment>
        <translation>... %1 weitere Anweisungen, nicht gezeigt</translation>
    </message>
    <message id="5130">
        <source>VexScript Help</source>
        <extracomment>Help window</extracomment>
        <translation>VexScript-Hilfe</translation>
    </message>
    <message id="5132">
        <source>&amp;Search</source>
        <extracomment>Help window</extracomment>
        <translation>&amp;Suchen</translation>
    </message>
    <message id="5134">
        <source>The help pages were not found. Looked in: %1</source>
        <extracomment>Help window</extracomment>
        <translation>Die Hilfeseiten wurden nicht gefunden. Gesucht in: %1</translation>
    </message>
    <message id="5402">
        <source>Tracer</source>
        <extracomment>Trace window</extracomment>
        <translation>Ablaufprotokoll</translation>
    </message>
    <message id="5404">
        <source>Last Error:</source>
        <extracomment>Trace window</extracomment>
        <translation>Letzter Fehler:</translation>
    </message>
    <message id="5406">
        <source>Error messages</source>
        <extracomment>Trace window</extracomment>
        <translation>Fehlermeldungen</translation>
    </message>
    <message id="5407">
        <source>Text files (*.txt);;All files (*)</source>
        <extracomment>Trace window</extracomment>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message id="5420">
        <source> [... %1 more characters: Save Messages writes the whole message]</source>
        <extracomment>Trace window</extracomment>
        <translation> [... %1 weitere Zeichen: „Meldungen speichern“ schreibt die ganze Meldung]</translation>
    </message>
    <message id="5421">
        <source>The messages could not be saved to %1: %2</source>
        <extracomment>Trace window</extracomment>
        <translation>Die Meldungen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message id="5422">
        <source> [%1 times]</source>
        <extracomment>Trace window</extracomment>
        <translation> [%1-mal]</translation>
    </message>
    <message id="5408">
        <source>Clear &amp;Messages</source>
        <extracomment>Trace window</extracomment>
        <translation>&amp;Meldungen löschen</translation>
    </message>
    <message id="5409">
        <source>Removes every message from this window</source>
        <extracomment>Trace window</extracomment>
        <translation>Entfernt alle Meldungen aus diesem Fenster</translation>
    </message>
    <message id="5410">
        <source>&amp;Save Messages</source>
        <extracomment>Trace window</extracomment>
        <translation>Meldungen &amp;speichern</translation>
    </message>
    <message id="5411">
        <source>Saves the messages to a text file</source>
        <extracomment>Trace window</extracomment>
        <translation>Speichert die Meldungen in einer Textdatei</translation>
    </message>
    <message id="5412">
        <source>&amp;Copy</source>
        <extracomment>Trace window</extracomment>
        <translation>&amp;Kopieren</translation>
    </message>
    <message id="5413">
        <source>Copies the selected text</source>
        <extracomment>Trace window</extracomment>
        <translation>Kopiert den markierten Text</translation>
    </message>
    <message id="5414">
        <source>Select &amp;All</source>
        <extracomment>Trace window</extracomment>
        <translation>&amp;Alles markieren</translation>
    </message>
    <message id="5415">
        <source>Selects all messages</source>
        <extracomment>Trace window</extracomment>
        <translation>Markiert alle Meldungen</translation>
    </message>
    <message id="9002">
        <source>Debugger</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger</translation>
    </message>
    <message id="9004">
        <source>Debugmode</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugmodus</translation>
    </message>
    <message id="9006">
        <source>Run</source>
        <extracomment>Debugger</extracomment>
        <translation>Ausführen</translation>
    </message>
    <message id="9008">
        <source>Stop</source>
        <extracomment>Debugger</extracomment>
        <translation>Anhalten</translation>
    </message>
    <message id="9010">
        <source>Cancel</source>
        <extracomment>Debugger</extracomment>
        <translation>Abbrechen</translation>
    </message>
    <message id="9012">
        <source>Step In</source>
        <extracomment>Debugger</extracomment>
        <translation>Einzelschritt</translation>
    </message>
    <message id="9014">
        <source>Step Over</source>
        <extracomment>Debugger</extracomment>
        <translation>Prozedurschritt</translation>
    </message>
    <message id="9016">
        <source>Update</source>
        <extracomment>Debugger</extracomment>
        <translation>Aktualisieren</translation>
    </message>
    <message id="9020">
        <source>&amp;Options</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Optionen</translation>
    </message>
    <message id="9022">
        <source> &amp;Debug </source>
        <extracomment>Debugger</extracomment>
        <translation> &amp;Debuggen </translation>
    </message>
    <message id="9024">
        <source>&amp;Simulation</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Simulation</translation>
    </message>
    <message id="9026">
        <source>&amp;Animation</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Animation</translation>
    </message>
    <message id="9028">
        <source>&amp;User events</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Benutzerereignisse</translation>
    </message>
    <message id="9030">
        <source> &amp;View </source>
        <extracomment>Debugger</extracomment>
        <translation> A&amp;nsicht </translation>
    </message>
    <message id="9032">
        <source>Resu&amp;lt</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Ergebnis</translation>
    </message>
    <message id="9034">
        <source>Enviro&amp;nment</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Umgebung</translation>
    </message>
    <message id="9036">
        <source>I&amp;mmediate</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Direkt</translation>
    </message>
    <message id="9038">
        <source>Events (&amp;z)</source>
        <extracomment>Debugger</extracomment>
        <translation>Ereignisse (&amp;z)</translation>
    </message>
    <message id="9040">
        <source>Per&amp;formance</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Leistung</translation>
    </message>
    <message id="9042">
        <source>&amp;Result</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Ergebnis</translation>
    </message>
    <message id="9044">
        <source>Value:</source>
        <extracomment>Debugger</extracomment>
        <translation>Wert:</translation>
    </message>
    <message id="9045">
        <source>Text:</source>
        <extracomment>Debugger</extracomment>
        <translation>Text:</translation>
    </message>
    <message id="9046">
        <source>&amp;Environment</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Umgebung</translation>
    </message>
    <message id="9048">
        <source>&amp;Immediate</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Direkt</translation>
    </message>
    <message id="9050">
        <source>E&amp;xecute</source>
        <extracomment>Debugger</extracomment>
        <translation>Aus&amp;führen</translation>
    </message>
    <message id="9052">
        <source>E&amp;vents</source>
        <extracomment>Debugger</extracomment>
        <translation>Ereig&amp;nisse</translation>
    </message>
    <message id="9054">
        <source>&amp;Performance</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Leistung</translation>
    </message>
    <message id="9056">
        <source>Processor&amp;time:</source>
        <extracomment>Debugger</extracomment>
        <translation>Prozessor&amp;zeit:</translation>
    </message>
    <message id="9058">
        <source>&amp;Count commands:</source>
        <extracomment>Debugger</extracomment>
        <translation>Befehle &amp;zählen:</translation>
    </message>
    <message id="9060">
        <source>Update &amp;frequency:</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Aktualisierung:</translation>
    </message>
    <message id="9061">
        <source>Simulation</source>
        <extracomment>Debugger</extracomment>
        <translation>Simulation</translation>
    </message>
    <message id="9062">
        <source>Animation</source>
        <extracomment>Debugger</extracomment>
        <translation>Animation</translation>
    </message>
    <message id="9064">
        <source>Re&amp;set</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message id="9066">
        <source>Description</source>
        <extracomment>Debugger</extracomment>
        <translation>Beschreibung</translation>
    </message>
    <message id="9067">
        <source>Reference</source>
        <extracomment>Debugger</extracomment>
        <translation>Referenz</translation>
    </message>
    <message id="9068">
        <source>Name</source>
        <extracomment>Debugger</extracomment>
        <translation>Name</translation>
    </message>
    <message id="9069">
        <source>ID</source>
        <extracomment>Debugger</extracomment>
        <translation>ID</translation>
    </message>
    <message id="9070">
        <source>Mother</source>
        <extracomment>Debugger</extracomment>
        <translation>Mutter</translation>
    </message>
    <message id="9071">
        <source>Time</source>
        <extracomment>Debugger</extracomment>
        <translation>Zeit</translation>
    </message>
    <message id="9072">
        <source>Code</source>
        <extracomment>Debugger</extracomment>
        <translation>Code</translation>
    </message>
    <message id="9073">
        <source>Priority</source>
        <extracomment>Debugger</extracomment>
        <translation>Priorität</translation>
    </message>
    <message id="9074">
        <source>Atom ID</source>
        <extracomment>Debugger</extracomment>
        <translation>Atom-ID</translation>
    </message>
    <message id="9075">
        <source>Name</source>
        <extracomment>Debugger</extracomment>
        <translation>Name</translation>
    </message>
    <message id="9076">
        <source>Involved</source>
        <extracomment>Debugger</extracomment>
        <translation>Beteiligt</translation>
    </message>
    <message id="9077">
        <source>Command</source>
        <extracomment>Debugger</extracomment>
        <translation>Befehl</translation>
    </message>
    <message id="9078">
        <source>Used</source>
        <extracomment>Debugger</extracomment>
        <translation>Benutzt</translation>
    </message>
    <message id="9079">
        <source>(cannot be read)</source>
        <extracomment>Debugger</extracomment>
        <translation>(nicht lesbar)</translation>
    </message>
    <message id="9080">
        <source>Script</source>
        <extracomment>Debugger</extracomment>
        <translation>Skript</translation>
    </message>
    <message id="9081">
        <source>Simulation</source>
        <extracomment>Debugger</extracomment>
        <translation>Simulation</translation>
    </message>
    <message id="9082">
        <source>Animation</source>
        <extracomment>Debugger</extracomment>
        <translation>Animation</translation>
    </message>
    <message id="9083">
        <source>(user-defined word without a name)</source>
        <extracomment>Debugger</extracomment>
        <translation>(benutzerdefiniertes Wort ohne Namen)</translation>
    </message>
    <message id="9084">
        <source>Active atom (a)</source>
        <extracomment>Debugger</extracomment>
        <translation>Aktives Atom (a)</translation>
    </message>
    <message id="9085">
        <source>Current atom (c)</source>
        <extracomment>Debugger</extracomment>
        <translation>Aktuelles Atom (c)</translation>
    </message>
    <message id="9086">
        <source>Involved atom (i)</source>
        <extracomment>Debugger</extracomment>
        <translation>Beteiligtes Atom (i)</translation>
    </message>
    <message id="9087">
        <source>Cancel the running script?</source>
        <extracomment>Debugger</extracomment>
        <translation>Das laufende Skript abbrechen?</translation>
    </message>
    <message id="9088">
        <source>Debugger - debug mode on</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger - Debugmodus an</translation>
    </message>
    <message id="9089">
        <source>Debugger - debug mode off</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger - Debugmodus aus</translation>
    </message>
    <message id="9090">
        <source>&amp;Debug</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Debuggen</translation>
    </message>
    <message id="9091">
        <source>Runs the script in the debugger, pausing at its first node</source>
        <extracomment>Main window</extracomment>
        <translation>Führt das Skript im Debugger aus und hält an seinem ersten Knoten an</translation>
    </message>
    <message id="9092">
        <source>&amp;Debugger</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Debugger</translation>
    </message>
    <message id="9093">
        <source>Shows the debugger window</source>
        <extracomment>Main window</extracomment>
        <translation>Zeigt das Debuggerfenster</translation>
    </message>
    <message id="9094">
        <source>Nothing is paused: an expression runs only while a script waits in the debugger.</source>
        <extracomment>Debugger</extracomment>
        <translation>Nichts ist angehalten: ein Ausdruck läuft nur, während ein Skript im Debugger wartet.</translation>
    </message>
    <message id="9095">
        <source>A script waits in the debugger; continue or cancel it there first.</source>
        <extracomment>Debugger</extracomment>
        <translation>Ein Skript wartet im Debugger; setzen Sie es dort zuerst fort oder brechen Sie es ab.</translation>
    </message>
    <message id="9096">
        <source>... %1 more events, not shown</source>
        <extracomment>Debugger</extracomment>
        <translation>... %1 weitere Ereignisse, nicht gezeigt</translation>
    </message>
    <message id="9097">
        <source>Debugger</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger</translation>
    </message>
    <message id="9098">
        <source>Ctrl+Break is not available system-wide here; it still breaks a script while one of Zentaro&apos;s windows has the focus.</source>
        <extracomment>Debugger</extracomment>
        <translation>Strg+Untbr steht hier nicht systemweit zur Verfügung; es unterbricht ein Skript weiterhin, solange ein Fenster von Zentaro den Fokus hat.</translation>
    </message>
    <message id="9710">
        <source>Line</source>
        <extracomment>Script editor</extracomment>
        <translation>Zeile</translation>
    </message>
    <message id="9711">
        <source>Column</source>
        <extracomment>Script editor</extracomment>
        <translation>Spalte</translation>
    </message>
    <message id="9713">
        <source>The search text was not found.</source>
        <extracomment>Script editor</extracomment>
        <translation>Der Suchtext wurde nicht gefunden.</translation>
    </message>
    <message id="9833">
        <source>INS</source>
        <extracomment>Script editor</extracomment>
        <translation>EINF</translation>
    </message>
    <message id="9835">
        <source>OVR</source>
        <extracomment>Script editor</extracomment>
        <translation>ÜB</translation>
    </message>
    <message id="9836">
        <source>it holds NUL bytes (line %1), so it is no script</source>
        <extracomment>Script editor</extracomment>
        <translation>sie enthält NUL-Bytes (Zeile %1) und ist daher kein Skript</translation>
    </message>
    <message id="9837">
        <source>it has more characters than the editor holds (%1 at most)</source>
        <extracomment>Script editor</extracomment>
        <translation>sie hat mehr Zeichen, als der Editor fasst (höchstens %1)</translation>
    </message>
    <message id="9838">
        <source>the file is read-only</source>
        <extracomment>Script editor</extracomment>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message id="9839">
        <source>line %1 holds the character %2, which a script file cannot hold</source>
        <extracomment>Script editor</extracomment>
        <translation>Zeile %1 enthält das Zeichen %2, das eine Skriptdatei nicht aufnehmen kann</translation>
    </message>
</context>
</TS>
