<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>Додати</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>Відняти</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>Помножити</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>Поділити</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>Остача від ділення</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>Дорівнює</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>Зсув ліворуч</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>Зсунути на один біт ліворуч</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>Зсув праворуч</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>Зсунути на один біт праворуч (зберігає знак)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>Очистити</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>Змінити знак</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>Змінити знак числа</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>Ліва дужка</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>Права дужка</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>Копіювати</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>Копіювати показане значення</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>Вставити</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>Вставити: ввести текст із буфера обміну в поточній системі числення</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>Шістнадцяткова</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>Десяткова</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>Двійкова</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>Калькулятор програміста</translation>
    </message>
</context>
</TS>
