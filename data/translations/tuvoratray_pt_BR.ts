<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>preConfiguration</name>
    <message>
        <source>The password is invalid.</source>
        <translation>A senha é inválida.</translation>
    </message>
    <message>
        <source>The typed passwords don&apos;t match.</source>
        <translation>As senhas digitadas não conferem.</translation>
    </message>
    <message>
        <source>The password must not be fully composed by blank characters.</source>
        <translation>A senha não pode ser composta apenas por caracteres em branco.</translation>
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
<context>
    <name>QObject</name>
    <message>
        <source>Tuvora is going to close blocked applications in 5 minutes.</source>
        <translation>O Tuvora vai fechar os aplicativos bloqueados em 5 minutos.</translation>
    </message>
    <message>
        <source>Tuvora is going to block internet in 5 minutes.</source>
        <translation>O Tuvora vai bloquear a internet em 5 minutos.</translation>
    </message>
    <message>
        <source>Tuvora</source>
        <translation>Tuvora</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>preConfigurationBase</name>
    <message>
        <source>Tuvora - Settings</source>
        <translation>Tuvora - Configurações</translation>
    </message>
    <message>
        <source>Policy Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Configurações Gerais</translation>
    </message>
    <message>
        <source>Log Settings</source>
        <translation>Configurações de Registro</translation>
    </message>
    <message>
        <source>Tuvora Administrator Password</source>
        <translation>Senha do Administrador do Tuvora</translation>
    </message>
    <message>
        <source>Current Password:</source>
        <translation>Senha Atual:</translation>
    </message>
    <message>
        <source>New Password:</source>
        <translation>Nova Senha:</translation>
    </message>
    <message>
        <source>Confirm Password:</source>
        <translation>Confirmar Senha:</translation>
    </message>
    <message>
        <source>Policy Server IP</source>
        <translation>IP do Servidor de Políticas</translation>
    </message>
    <message>
        <source>Screen Snapshots</source>
        <translation>Capturas de Tela</translation>
    </message>
    <message>
        <source>Enable Screen Log</source>
        <translation>Ativar Registro de Tela</translation>
    </message>
    <message>
        <source>Maximum Number of Screenshots:</source>
        <translation>Número Máximo de Capturas:</translation>
    </message>
    <message>
        <source>Screenshots Time Interval (Minutes):</source>
        <translation>Intervalo entre Capturas (Minutos):</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Enable Internet Log</source>
        <translation>Ativar Registro de Internet</translation>
    </message>
    <message>
        <source>Maximum Log Size (MB):</source>
        <translation>Tamanho Máximo do Registro (MB):</translation>
    </message>
    <message>
        <source>File Access</source>
        <translation>Acesso a Arquivos</translation>
    </message>
    <message>
        <source>Enable File Access Log</source>
        <translation>Ativar Registro de Acesso a Arquivos</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>Enable Application Log</source>
        <translation>Ativar Registro de Aplicativos</translation>
    </message>
    <message>
        <source>Displays the Help window.</source>
        <translation>Exibe a janela de Ajuda.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>Saves the changes made to the policy.</source>
        <translation>Salva as alterações feitas na política.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Alt+S</source>
        <translation>Alt+S</translation>
    </message>
    <message>
        <source>Discards the changes made to the policy.</source>
        <translation>Descarta as alterações feitas na política.</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Alt+C</source>
        <translation>Alt+C</translation>
    </message>
</context>
<context>
    <name>preLog</name>
    <message>
        <source>Viewed</source>
        <translation>Visualizado</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Criado</translation>
    </message>
    <message>
        <source>Edited</source>
        <translation>Editado</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Excluído</translation>
    </message>
</context>
<context>
    <name>preLogBase</name>
    <message>
        <source>Tuvora - Log</source>
        <translation>Tuvora - Registro</translation>
    </message>
    <message>
        <source>Policy Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Snapshot Viewer</source>
        <translation>Visualizador de Capturas</translation>
    </message>
    <message>
        <source>Log Viewer</source>
        <translation>Visualizador de Registros</translation>
    </message>
    <message>
        <source>Snapshot Viewer:</source>
        <translation>Visualizador de Capturas:</translation>
    </message>
    <message>
        <source>Slide Show</source>
        <translation>Apresentação de Slides</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicativo</translation>
    </message>
    <message>
        <source>Search:</source>
        <translation>Pesquisar:</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Data/Hora</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Arquivos</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Arquivo</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Ação</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Acessos</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Displays the Help window.</source>
        <translation>Exibe a janela de Ajuda.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
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
    <name>preTrayIcon</name>
    <message>
        <source>Policy Configuration</source>
        <translation>Configuração de Políticas</translation>
    </message>
    <message>
        <source>Free of Control Mode</source>
        <translation>Modo Livre de Controle</translation>
    </message>
    <message>
        <source>View Log</source>
        <translation>Ver Registro</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Under Control Mode</source>
        <translation>Modo Sob Controle</translation>
    </message>
    <message>
        <source>Network Mode</source>
        <translation>Modo de Rede</translation>
    </message>
    <message>
        <source>Teacher Mode</source>
        <translation>Modo Professor</translation>
    </message>
    <message>
        <source>Local Mode</source>
        <translation>Modo Local</translation>
    </message>
    <message>
        <source>Tuvora is Blocking this application.</source>
        <translation>O Tuvora está bloqueando este aplicativo.</translation>
    </message>
</context>
</TS>
