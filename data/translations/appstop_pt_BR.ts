<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>appstop</name>
    <message>
        <source>You (or a program running on your computer) are trying to launch the following restricted application:</source>
        <translation>Você (ou um programa em execução no seu computador) está tentando abrir o seguinte aplicativo restrito:</translation>
    </message>
    <message>
        <source>To launch it, you must be on Free of Control mode.</source>
        <translation>Para abri-lo, você precisa estar no Modo Livre de Controle.</translation>
    </message>
    <message>
        <source>Tuvora - Alert</source>
        <translation>Tuvora - Alerta</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
