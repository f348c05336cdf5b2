<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Sumar</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Restar</translation>
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
        <translation>Desplazar a la izquierda</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Desplazar un bit a la izquierda</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Desplazar a la derecha</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Desplazar un bit a la derecha (conserva el signo)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Borrar</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Retroceso</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Cambiar signo</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Cambiar el signo</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Paréntesis izquierdo</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Paréntesis derecho</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Copiar</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Copiar el valor mostrado</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Pegar</translation>
    </message>
    <message id="Paste: type the clipboard's text in the current base">
        <source></source>
        <translation>Pegar: escribir el texto del portapapeles en la base actual</translation>
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
        <translation>Binario</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Calculadora para programadores</translation>
    </message>
</context>
</TS>
