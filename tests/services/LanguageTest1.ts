<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The small catalogue the language manager tests load as language 1 of prefix "LanguageTest". -->
<TS version="2.1" language="de_DE">
<context>
    <name></name>
    <message id="100">
        <source>Button</source>
        <translation>Übersetzter Knopf</translation>
    </message>
    <message id="101">
        <source>Button hint</source>
        <translation>Übersetzter Hinweis</translation>
    </message>
    <message id="111">
        <source>Hint of a button without one</source>
        <translation>Hinweis, den niemand bekommen darf</translation>
    </message>
    <message id="200">
        <source>Label</source>
        <translation>Übersetztes Etikett</translation>
    </message>
    <message id="300">
        <source>Memo</source>
        <translation>Übersetztes Memo</translation>
    </message>
    <message id="310">
        <source>Line edit</source>
        <translation>Darf nicht in der Zeile landen</translation>
    </message>
    <message id="311">
        <source>Line edit hint</source>
        <translation>Darf nicht im Hinweis landen</translation>
    </message>
    <message id="400">
        <source>Menu item</source>
        <translation>Übersetzter Menüpunkt</translation>
    </message>
    <message id="401">
        <source>Menu item hint</source>
        <translation>Übersetzter Menühinweis</translation>
    </message>
    <message id="500">
        <source>Dialog title</source>
        <translation>Übersetzter Dialogtitel</translation>
    </message>
    <message id="501">
        <source>Dialog filter</source>
        <translation>Texte (*.txt);;Alle (*)</translation>
    </message>
    <message id="600">
        <source>Window title</source>
        <translation>Übersetztes Fenster</translation>
    </message>
    <message id="700">
        <source>Tool button hint</source>
        <translation>Übersetzter Werkzeughinweis</translation>
    </message>
    <message id="800">
        <source>Tab</source>
        <translation>Übersetzte Seite</translation>
    </message>
</context>
</TS>
