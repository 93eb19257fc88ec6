<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>HelpDlg</name>
    <message>
        <source>Tuvora</source>
        <translation>Tuvora</translation>
    </message>
</context>
<context>
    <name>PasswordCheck</name>
    <message>
        <source>Tuvora</source>
        <translation>Tuvora</translation>
    </message>
    <message>
        <source>The password is invalid.</source>
        <translation>A senha é inválida.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>preAbout</name>
    <message>
        <source>Version: </source>
        <translation>Versão: </translation>
    </message>
</context>
<context>
    <name>preAboutBase</name>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Tuvora</source>
        <translation>Tuvora</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>Closes this window.</source>
        <translation>Fecha esta janela.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fechar</translation>
    </message>
    <message>
        <source>Alt+C</source>
        <translation>Alt+F</translation>
    </message>
</context>
<context>
    <name>prePasswordBase</name>
    <message>
        <source>Tuvora - Login</source>
        <translation>Tuvora - Acesso</translation>
    </message>
    <message>
        <source>Tuvora Administrator Password:</source>
        <translation>Senha do administrador do Tuvora:</translation>
    </message>
    <message>
        <source>Type your password.</source>
        <translation>Digite a sua senha.</translation>
    </message>
    <message>
        <source>Enters the Tuvora application.</source>
        <translation>Entra no aplicativo Tuvora.</translation>
    </message>
    <message>
        <source>O&amp;K</source>
        <translation>O&amp;K</translation>
    </message>
    <message>
        <source>Alt+K</source>
        <translation>Alt+K</translation>
    </message>
    <message>
        <source>Cancels login and exits the Tuvora.</source>
        <translation>Cancela o acesso e sai do Tuvora.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Enters the application.</source>
        <translation>Entra no aplicativo.</translation>
    </message>
    <message>
        <source>Cancels login and closes this window.</source>
        <translation>Cancela o acesso e fecha esta janela.</translation>
    </message>
</context>
</TS>
