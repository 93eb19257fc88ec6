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
<context>
    <name>ApplicationChoice</name>
    <message>
        <source>This program gives administrator rights and is never blocked.</source>
        <translation>Este programa concede direitos de administrador e nunca é bloqueado.</translation>
    </message>
    <message>
        <source>Tuvora&apos;s own tray is never blocked.</source>
        <translation>A bandeja do próprio Tuvora nunca é bloqueada.</translation>
    </message>
</context>
<context>
    <name>MenuTree</name>
    <message>
        <source>Not in the menu</source>
        <translation>Fora do menu</translation>
    </message>
</context>
<context>
    <name>prePolicyEdit</name>
    <message>
        <source>There is another policy using this name.</source>
        <translation>Já existe outra política com este nome.</translation>
    </message>
    <message>
        <source>Please, inform the Policy Name.</source>
        <translation>Por favor, informe o Nome da Política.</translation>
    </message>
    <message>
        <source>Please, inform the Policy Description.</source>
        <translation>Por favor, informe a Descrição da Política.</translation>
    </message>
    <message>
        <source>Please, inform a Domain.</source>
        <translation>Por favor, informe um Domínio.</translation>
    </message>
    <message>
        <source>It&apos;s not necessary to inform the protocol and www.
System will change it to a valid URL.</source>
        <translation>Não é necessário informar o protocolo e o www.
O sistema irá alterá-lo para uma URL válida.</translation>
    </message>
    <message>
        <source>This domain is already listed.</source>
        <translation>Este domínio já está na lista.</translation>
    </message>
    <message>
        <source>Please, insert a valid domain.</source>
        <translation>Por favor, insira um domínio válido.</translation>
    </message>
    <message>
        <source>Please, inform a Content.</source>
        <translation>Por favor, informe um Conteúdo.</translation>
    </message>
    <message>
        <source>Import list</source>
        <translation>Importar lista</translation>
    </message>
    <message>
        <source>Text files (*.txt *.list *.hosts);;All files (*)</source>
        <translation>Arquivos de texto (*.txt *.list *.hosts);;Todos os arquivos (*)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read.</source>
        <translation>Não foi possível ler o arquivo &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Added: %1
Already listed: %2
Refused: %3</source>
        <translation>Adicionados: %1
Já na lista: %2
Recusados: %3</translation>
    </message>
    <message>
        <source>First refused lines:</source>
        <translation>Primeiras linhas recusadas:</translation>
    </message>
    <message>
        <source>Tuvora - Alert</source>
        <translation>Tuvora - Alerta</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tuvora - Information</source>
        <translation>Tuvora - Informação</translation>
    </message>
</context>
<context>
    <name>prePolicyEditBase</name>
    <message>
        <source>Tuvora</source>
        <translation>Tuvora</translation>
    </message>
    <message>
        <source>Policy Settings</source>
        <translation>Configurações da Política</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicativo</translation>
    </message>
    <message>
        <source>Internet Schedule</source>
        <translation>Agenda da Internet</translation>
    </message>
    <message>
        <source>Application Schedule</source>
        <translation>Agenda de Aplicativos</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descrição:</translation>
    </message>
    <message>
        <source>Policy Type:</source>
        <translation>Tipo de Política:</translation>
    </message>
    <message>
        <source>Server Defined Local Policy</source>
        <translation>Política Local Definida pelo Servidor</translation>
    </message>
    <message>
        <source>Network Policy</source>
        <translation>Política de Rede</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Categorias</translation>
    </message>
    <message>
        <source>Age Range</source>
        <translation>Faixa Etária</translation>
    </message>
    <message>
        <source>&amp;0 to 10</source>
        <translation>&amp;0 a 10</translation>
    </message>
    <message>
        <source>11 to 1&amp;5</source>
        <translation>11 a 1&amp;5</translation>
    </message>
    <message>
        <source>&amp;16+</source>
        <translation>&amp;16+</translation>
    </message>
    <message>
        <source>Domain Filter</source>
        <translation>Filtro de Domínios</translation>
    </message>
    <message>
        <source>Filter Type</source>
        <translation>Tipo de Filtro</translation>
    </message>
    <message>
        <source>Black List</source>
        <translation>Lista Negra</translation>
    </message>
    <message>
        <source>White List</source>
        <translation>Lista Branca</translation>
    </message>
    <message>
        <source>Domain List</source>
        <translation>Lista de Domínios</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Adds the typed domain in the Domains List of the Black List.</source>
        <translation>Adiciona o domínio digitado à Lista de Domínios da Lista Negra.</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Selecionar Todos</translation>
    </message>
    <message>
        <source>Import list...</source>
        <translation>Importar lista...</translation>
    </message>
    <message>
        <source>Adds the domains of a text file, one per line, to the Domains List of the Black List.</source>
        <translation>Adiciona os domínios de um arquivo de texto, um por linha, à Lista de Domínios da Lista Negra.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>Removes the selected domains from the Domains List of the Black List.</source>
        <translation>Remove os domínios selecionados da Lista de Domínios da Lista Negra.</translation>
    </message>
    <message>
        <source>Adds the typed domain in the Domains List of the White List.</source>
        <translation>Adiciona o domínio digitado à Lista de Domínios da Lista Branca.</translation>
    </message>
    <message>
        <source>Adds the domains of a text file, one per line, to the Domains List of the White List.</source>
        <translation>Adiciona os domínios de um arquivo de texto, um por linha, à Lista de Domínios da Lista Branca.</translation>
    </message>
    <message>
        <source>Removes the selected domains from the Domains List of the White List.</source>
        <translation>Remove os domínios selecionados da Lista de Domínios da Lista Branca.</translation>
    </message>
    <message>
        <source>Content Filter</source>
        <translation>Filtro de Conteúdo</translation>
    </message>
    <message>
        <source>Black List Content</source>
        <translation>Conteúdo da Lista Negra</translation>
    </message>
    <message>
        <source>Adds the typed text or expression to the Blocked Contents List. </source>
        <translation>Adiciona o texto ou expressão digitado à Lista de Conteúdos Bloqueados. </translation>
    </message>
    <message>
        <source>Adds the texts or expressions of a text file, one per line, to the Blocked Contents List.</source>
        <translation>Adiciona os textos ou expressões de um arquivo de texto, um por linha, à Lista de Conteúdos Bloqueados.</translation>
    </message>
    <message>
        <source>Removes the selected texts or expressions of the Blocked Contents List.</source>
        <translation>Remove os textos ou expressões selecionados da Lista de Conteúdos Bloqueados.</translation>
    </message>
    <message>
        <source>Check to block application:</source>
        <translation>Marque para bloquear o aplicativo:</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>Internet Schedule:</source>
        <translation>Agenda da Internet:</translation>
    </message>
    <message>
        <source>Check this field to select all items in the calendar. Uncheck this field to remove the selection of all items in the calendar. This field indicates if the Internet Policy will always or never be applied.</source>
        <translation>Marque este campo para selecionar todos os itens do calendário. Desmarque este campo para remover a seleção de todos os itens do calendário. Este campo indica se a Política de Internet será sempre ou nunca aplicada.</translation>
    </message>
    <message>
        <source>Check to apply Internet Policy</source>
        <translation>Marque para aplicar a Política de Internet</translation>
    </message>
    <message>
        <source>Application Schedule:</source>
        <translation>Agenda de Aplicativos:</translation>
    </message>
    <message>
        <source>Check this field to select all items in the calendar. Uncheck this field to remove the selection of all items in the calendar. This field indicates if the Application Policy will always or never be applied.</source>
        <translation>Marque este campo para selecionar todos os itens do calendário. Desmarque este campo para remover a seleção de todos os itens do calendário. Este campo indica se a Política de Aplicativos será sempre ou nunca aplicada.</translation>
    </message>
    <message>
        <source>Check to apply Application Policy</source>
        <translation>Marque para aplicar a Política de Aplicativos</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Ajuda</translation>
    </message>
    <message>
        <source>Displays the Help window.</source>
        <translation>Exibe a janela de Ajuda.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Saves the changes made to the policy.</source>
        <translation>Salva as alterações feitas na política.</translation>
    </message>
    <message>
        <source>Alt+S</source>
        <translation>Alt+S</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Discards the changes made to the policy.</source>
        <translation>Descarta as alterações feitas na política.</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Domingo</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Segunda-feira</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Terça-feira</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Quarta-feira</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Quinta-feira</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Sexta-feira</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Sábado</translation>
    </message>
</context>
</TS>
