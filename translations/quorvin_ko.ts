<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name></name>
    <message id="Add">
        <source></source>
        <translation>더하기</translation>
    </message>
    <message id="Subtract">
        <source></source>
        <translation>빼기</translation>
    </message>
    <message id="Multiply">
        <source></source>
        <translation>곱하기</translation>
    </message>
    <message id="Divide">
        <source></source>
        <translation>나누기</translation>
    </message>
    <message id="Modulo">
        <source></source>
        <translation>나머지</translation>
    </message>
    <message id="Equals">
        <source></source>
        <translation>같음</translation>
    </message>
    <message id="Shift left">
        <source></source>
        <translation>왼쪽 시프트</translation>
    </message>
    <message id="Shift left by one bit">
        <source></source>
        <translation>왼쪽으로 1비트 시프트</translation>
    </message>
    <message id="Shift right">
        <source></source>
        <translation>오른쪽 시프트</translation>
    </message>
    <message id="Shift right by one bit (keeps the sign)">
        <source></source>
        <translation>오른쪽으로 1비트 시프트(부호 유지)</translation>
    </message>
    <message id="Clear">
        <source></source>
        <translation>지우기</translation>
    </message>
    <message id="Backspace">
        <source></source>
        <translation>Backspace</translation>
    </message>
    <message id="Toggle sign">
        <source></source>
        <translation>부호 바꾸기</translation>
    </message>
    <message id="Toggle the sign">
        <source></source>
        <translation>수의 부호 바꾸기</translation>
    </message>
    <message id="Left parenthesis">
        <source></source>
        <translation>왼쪽 괄호</translation>
    </message>
    <message id="Right parenthesis">
        <source></source>
        <translation>오른쪽 괄호</translation>
    </message>
    <message id="Copy">
        <source></source>
        <translation>복사</translation>
    </message>
    <message id="Copy the shown value">
        <source></source>
        <translation>표시된 값 복사</translation>
    </message>
    <message id="Paste">
        <source></source>
        <translation>붙여넣기</translation>
    </message>
    <message id="Paste: type the clipboard&#x27;s text in the current base">
        <source></source>
        <translation>붙여넣기: 클립보드의 텍스트를 현재 진법으로 입력</translation>
    </message>
    <message id="Hexadecimal">
        <source></source>
        <translation>16진수</translation>
    </message>
    <message id="Decimal">
        <source></source>
        <translation>10진수</translation>
    </message>
    <message id="Binary">
        <source></source>
        <translation>2진수</translation>
    </message>
    <message id="Programmer calculator">
        <source></source>
        <translation>프로그래머용 계산기</translation>
    </message>
</context>
</TS>
