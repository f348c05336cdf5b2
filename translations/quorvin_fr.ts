<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Additionner</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Soustraire</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Multiplier</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Diviser</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Modulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Égal</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Décaler à gauche</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Décaler d’un bit vers la gauche</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Décaler à droite</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Décaler d’un bit vers la droite (conserve le signe)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Effacer</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Retour arrière</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Changer le signe</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Changer le signe</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Parenthèse ouvrante</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Parenthèse fermante</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Copier</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Copier la valeur affichée</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Coller</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>Coller : saisir le texte du presse-papiers dans la base actuelle</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Hexadécimal</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Décimal</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binaire</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Calculatrice pour programmeurs</translation>
    </message>
</context>
</TS>
