<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>preAbout</name>
    <message>
        <source>Version: </source>
        <translation>Versão:</translation>
    </message>
</context>
</TS>
