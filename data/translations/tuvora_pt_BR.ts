<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>ApplicationBlocking</name>
    <message>
        <source>The program was not found on the search path.</source>
        <translation>O programa não foi encontrado no caminho de busca.</translation>
    </message>
    <message>
        <source>The program file cannot be read.</source>
        <translation>O arquivo do programa não pode ser lido.</translation>
    </message>
    <message>
        <source>This is not a program file.</source>
        <translation>Este não é um arquivo de programa.</translation>
    </message>
    <message>
        <source>The program lies in a folder that users other than root can change; only programs in root&apos;s own folders can be blocked.</source>
        <translation>O programa está em uma pasta que outros usuários além do root podem alterar; só podem ser bloqueados programas em pastas do próprio root.</translation>
    </message>
    <message>
        <source>The program file can be changed by users other than root.</source>
        <translation>O arquivo do programa pode ser alterado por outros usuários além do root.</translation>
    </message>
    <message>
        <source>The system or Tuvora itself needs this program, so it is never blocked.</source>
        <translation>O sistema ou o próprio Tuvora precisa deste programa; por isso ele nunca é bloqueado.</translation>
    </message>
</context>
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
    <name>preCopyPolicyBase</name>
    <message>
        <source>Tuvora Name</source>
        <translation>Tuvora - Nome</translation>
    </message>
    <message>
        <source>Policy Name:</source>
        <translation>Nome da política:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Alt+O</source>
        <translation>Alt+O</translation>
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
<context>
    <name>prePolicySelection</name>
    <message>
        <source>Tuvora - Alert</source>
        <translation>Tuvora - Alerta</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>There is another policy using this name.</source>
        <translation>Já existe outra política com este nome.</translation>
    </message>
    <message>
        <source>Please, inform a Name.</source>
        <translation>Por favor, informe um nome.</translation>
    </message>
    <message>
        <source>Tuvora - File to Import</source>
        <translation>Tuvora - Arquivo a importar</translation>
    </message>
    <message>
        <source>Xml (*.xml)</source>
        <translation>XML (*.xml)</translation>
    </message>
    <message>
        <source>Tuvora - Information</source>
        <translation>Tuvora - Informação</translation>
    </message>
    <message>
        <source>Policy successfully imported.</source>
        <translation>Política importada com sucesso.</translation>
    </message>
    <message>
        <source>Tuvora - File to Export</source>
        <translation>Tuvora - Arquivo a exportar</translation>
    </message>
    <message>
        <source>Tuvora - Confirmation</source>
        <translation>Tuvora - Confirmação</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Are you sure you want to overwrite it?</source>
        <translation>&quot;%1&quot; já existe.
Tem certeza de que deseja sobrescrevê-lo?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sim</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Não</translation>
    </message>
    <message>
        <source>Policy successfully exported.</source>
        <translation>Política exportada com sucesso.</translation>
    </message>
    <message>
        <source>Policy export failed.</source>
        <translation>Falha ao exportar a política.</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Ativa</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>Inativa</translation>
    </message>
    <message>
        <source>Computer Defined Local Policy</source>
        <translation>Política local do computador</translation>
    </message>
    <message>
        <source>Server Defined Local Policy</source>
        <translation>Política local do servidor</translation>
    </message>
    <message>
        <source>Network Policy</source>
        <translation>Política de rede</translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation>Desativar</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Ativar</translation>
    </message>
    <message>
        <source>It&apos;s not possible to have more than 40 policies.</source>
        <translation>Não é possível ter mais de 40 políticas.</translation>
    </message>
    <message>
        <source>It&apos;s not possible to remove an active policy.</source>
        <translation>Não é possível remover uma política ativa.</translation>
    </message>
    <message>
        <source>You are about to remove &quot;%1&quot; policy.</source>
        <translation>Você está prestes a remover a política &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Deactivating the policy...</source>
        <translation>Desativando a política...</translation>
    </message>
    <message>
        <source>Activating the policy...</source>
        <translation>Ativando a política...</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descrição</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Situação</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
</context>
<context>
    <name>prePolicySelectionBase</name>
    <message>
        <source>Tuvora - Configuration</source>
        <translation>Tuvora - Configuração</translation>
    </message>
    <message>
        <source>Activates the selected policy.</source>
        <translation>Ativa a política selecionada.</translation>
    </message>
    <message>
        <source>&amp;Activate</source>
        <translation>&amp;Ativar</translation>
    </message>
    <message>
        <source>Exports the selected policy to a XML file.</source>
        <translation>Exporta a política selecionada para um arquivo XML.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportar...</translation>
    </message>
    <message>
        <source>Imports a policy from a XML file to the Tuvora.</source>
        <translation>Importa para o Tuvora uma política de um arquivo XML.</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importar...</translation>
    </message>
    <message>
        <source>Displays a window with information about the Tuvora, such as it&apos;s version number.</source>
        <translation>Mostra uma janela com informações sobre o Tuvora, como o número da versão.</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Sobre</translation>
    </message>
    <message>
        <source>Displays the Help window.</source>
        <translation>Mostra a janela de ajuda.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>Alt+H</source>
        <translation>Alt+U</translation>
    </message>
    <message>
        <source>Closes this window.</source>
        <translation>Fecha esta janela.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Allows the creation of a new policy.</source>
        <translation>Permite criar uma nova política.</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nova</translation>
    </message>
    <message>
        <source>Alt+N</source>
        <translation>Alt+N</translation>
    </message>
    <message>
        <source>Removes the selected policy.</source>
        <translation>Remove a política selecionada.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Remover</translation>
    </message>
    <message>
        <source>Alt+R</source>
        <translation>Alt+R</translation>
    </message>
    <message>
        <source>Allows changes to the selected policy.</source>
        <translation>Permite alterar a política selecionada.</translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation>E&amp;ditar</translation>
    </message>
    <message>
        <source>Alt+D</source>
        <translation>Alt+D</translation>
    </message>
    <message>
        <source>Copies the selected policy to create a new one.</source>
        <translation>Copia a política selecionada para criar uma nova.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Alt+A</source>
        <comment>btnApply</comment>
        <translation>Alt+A</translation>
    </message>
    <message>
        <source>Alt+A</source>
        <comment>btnAbout</comment>
        <translation>Alt+S</translation>
    </message>
</context>
</TS>
