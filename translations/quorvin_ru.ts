<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Сложить</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Вычесть</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Умножить</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Разделить</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Остаток от деления</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Равно</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Сдвиг влево</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Сдвинуть на один бит влево</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Сдвиг вправо</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Сдвинуть на один бит вправо (сохраняет знак)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Очистить</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Сменить знак</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Сменить знак числа</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Открывающая скобка</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Закрывающая скобка</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Копировать</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Копировать показанное значение</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Вставить</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Вставить: ввести текст из буфера обмена в текущей системе счисления</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Шестнадцатеричная</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Десятичная</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Двоичная</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Калькулятор программиста</translation>
    </message>
</context>
</TS>
