<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Somar</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Subtrair</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Multiplicar</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Dividir</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Módulo</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Igual</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Deslocar à esquerda</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Deslocar um bit à esquerda</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Deslocar à direita</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Deslocar um bit à direita (mantém o sinal)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Limpar</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Apagar</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Inverter sinal</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Inverter o sinal</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Abre parêntese</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Fecha parêntese</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Copiar</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Copiar o valor exibido</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Colar</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>Colar: digitar o texto da área de transferência na base atual</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Hexadecimal</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Decimal</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Binário</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Calculadora para programadores</translation>
    </message>
</context>
</TS>
