<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Language 2 of prefix "LanguageTest": another module to switch to. -->
<TS version="2.1" language="fr_FR">
<context>
    <name></name>
    <message id="100">
        <source>Button</source>
        <translation>Bouton traduit</translation>
    </message>
</context>
</TS>
