#include "app/app_texts.h"

#include <array>

namespace app {

namespace {

char g_letter = 'e';

struct Entry {
  int id;
  std::array<const char*, 4> text;  // e, c, g, v
};

// Plain strings.
constexpr Entry kStrings[] = {
    {kStrOleInit,
     {"Error de inicialización OLE. Cerciórese de tener la versión correcta de las bibliotecas OLE.",
      "Error d'inicialització OLE. Assegureu-vos de tenir la versió correcta de les biblioteques OLE.",
      "Erro de inicialización OLE. Asegúrese de ter a versión correcta das bibliotecas OLE.",
      "Error d'inicialització OLE. Assegureu-vos de tindre la versió correcta de les biblioteques OLE."}},
    {kStrDbRed,
     {"Imposible inicializar la Base de Datos RED", "Impossible inicialitzar la Base de Dades RED",
      "Imposible inicializar a Base de Datos RED", "Impossible inicialitzar la Base de Dades RED"}},
    {kStrDbModules,
     {"Imposible inicializar la Base de Datos de LOCAL", "Impossible inicialitzar la Base de Dades de LOCAL",
      "Imposible inicializar a Base de Datos de LOCAL", "Impossible inicialitzar la Base de Dades de LOCAL"}},
    {kStrDbLocal,
     {"Imposible inicializar la Base de Datos de LOCAL", "Impossible inicialitzar la Base de Dades de LOCAL",
      "Imposible inicializar a Base de Datos de LOCAL", "Impossible inicialitzar la Base de Dades de LOCAL"}},
    {kStrLanguageLib,
     {"No se ha podido cargar DLL de idioma. \nError: %d", "No s'ha pogut carregar la DLL d'idioma. \nError: %d",
      "Non se puido cargar a DLL de idioma. \nErro: %d", "No s'ha pogut carregar la DLL d'idioma. \nError: %d"}},
    {kStrQueryFailed,
     {"Error en el acceso a la base de datos. La aplicación se cerrará.",
      "Error en l'accés a la base de dades. L'aplicació es tancarà.",
      "Erro no acceso á base de datos. A aplicación pecharase.",
      "Error en l'accés a la base de dades. L'aplicació es tancarà."}},
    {kStrProductTitle, {"QUILDEXAN", "QUILDEXAN", "QUILDEXAN", "QUILDEXAN"}},
    {kStrIdlePrompt,
     {"Para obtener ayuda presione F1", "Per obtenir ajuda premeu F1", "Para obter axuda prema F1",
      "Per a obtindre ajuda premeu F1"}},
    {kStrNoConnection,
     {"No es posible conectar con la B.D.:\n", "No és possible connectar amb la B.D.:\n",
      "Non é posible conectar coa B.D.:\n", "No és possible connectar amb la B.D.:\n"}},
    {kStrTreeHint,
     {"<F2> Activa la Barra de Apartados de la declaración", "<F2> Activa la Barra d'Apartats de la declaració",
      "<F2> Activa a Barra de Apartados da declaración", "<F2> Activa la Barra d'Apartats de la declaració"}},
    {kStrTreeHover,
     {"Pulse la tecla <espacio>  para acceder directamente al elemento seleccionado",
      "Premeu la tecla <espai>  per accedir directament a l'element seleccionat",
      "Prema a tecla <espazo>  para acceder directamente ao elemento seleccionado",
      "Premeu la tecla <espai>  per a accedir directament a l'element seleccionat"}},
    {kStrIntroCaption,
     {"QUILDEXAN  -  INTRODUCCIÓN", "QUILDEXAN  -  INTRODUCCIÓ", "QUILDEXAN  -  INTRODUCIÓN",
      "QUILDEXAN  -  INTRODUCCIÓ"}},
    {kStrIntroContinue, {"&Continuar", "&Continuar", "&Continuar", "&Continuar"}},
    {kStrIntroDontShow,
     {"&No volver a mostrar la pantalla de introducción", "&No tornar a mostrar la pantalla d'introducció",
      "&Non volver amosar a pantalla de introdución", "&No tornar a mostrar la pantalla d'introducció"}},
    {kStrIntroMaker,
     {"Vía Electrónica de Liquidación y Modelos", "Via Electrònica de Liquidació i Models",
      "Vía Electrónica de Liquidación e Modelos", "Via Electrònica de Liquidació i Models"}},
    {kStrVersionPrefix, {"Versión ", "Versió ", "Versión ", "Versió "}},
    {kStrAboutCaption,
     {"Acerca de QUILDEXAN", "Quant a QUILDEXAN", "Acerca de QUILDEXAN", "Quant a QUILDEXAN"}},
    {kStrAboutOk, {"&Aceptar", "&Acceptar", "&Aceptar", "&Acceptar"}},
    {kStrAboutWeb,
     {"Página de la V.E.L.M.", "Pàgina de la V.E.L.M.", "Páxina da V.E.L.M.", "Pàgina de la V.E.L.M."}},
    {kStrAboutMail,
     {"Correo de la V.E.L.M.", "Correu de la V.E.L.M.", "Correo da V.E.L.M.", "Correu de la V.E.L.M."}},
    {kStrFileDescription,
     {"Declaraciones de la Renta y del Patrimonio 2003", "Declaracions de la Renda i del Patrimoni 2003",
      "Declaracións da Renda e do Patrimonio 2003", "Declaracions de la Renda i del Patrimoni 2003"}},
    {kStrLegalCopyright,
     {"© V.E.L.M. Reservados todos los derechos.", "© V.E.L.M. Reservats tots els drets.",
      "© V.E.L.M. Reservados todos os dereitos.", "© V.E.L.M. Reservats tots els drets."}},
    {kStrSpecialBuild,
     {"Edición Castellano", "Edició Català", "Edición Galego", "Edició Valencià"}},
    {kStrBarTitle,
     {"Apartados de la Declaración", "Apartats de la Declaració", "Apartados da Declaración",
      "Apartats de la Declaració"}},
    {kStrBarClose, {"Cerrar", "Tancar", "Pechar", "Tancar"}},
    {kStrBarDock, {"Acoplar / flotar", "Acoblar / flotar", "Acoplar / flotar", "Acoblar / flotar"}},
    {kStrPaneMember, {"DECLARANTE", "DECLARANT", "DECLARANTE", "DECLARANT"}},
    {kStrPaneModality, {"ORDINARIA", "ORDINÀRIA", "ORDINARIA", "ORDINÀRIA"}},
    {kStrIndCaps, {"MAY", "MAJ", "MAI", "MAJ"}},
    {kStrIndNum, {"NUM", "NUM", "NUM", "NUM"}},
    {kStrIndScroll, {"DESP", "DESP", "DESP", "DESP"}},
    {kStrUpdateUnavailable,
     {"CONEXION CON EL SERVIDOR NO DISPONIBLE", "CONNEXIO AMB EL SERVIDOR NO DISPONIBLE",
      "CONEXION CO SERVIDOR NON DISPOÑIBLE", "CONNEXIO AMB EL SERVIDOR NO DISPONIBLE"}},
    {kStrNoIndex,
     {"El índice de declaraciones no está disponible.", "L'índex de declaracions no està disponible.",
      "O índice de declaracións non está dispoñible.", "L'índex de declaracions no està disponible."}},
    {kStrMenuFile, {"&Archivo", "&Arxiu", "&Arquivo", "&Arxiu"}},
    {kStrMenuTools, {"&Herramientas", "&Eines", "&Ferramentas", "&Ferramentes"}},
    {kStrMenuView, {"&Ver", "&Visualitza", "&Ver", "&Visualitza"}},
    {kStrMenuLanguage, {"&Idioma", "&Idioma", "&Idioma", "&Idioma"}},
    {kStrMenuWeb, {"VELM en la &Web", "VELM a la &Web", "VELM na &Web", "VELM en la &Web"}},
    {kStrMenuHelp, {"Ay&uda", "Aj&uda", "Ax&uda", "Aj&uda"}},
};

struct CommandEntry {
  int id;
  std::array<const char*, 4> menu;     // empty: no menu item
  std::array<const char*, 4> tooltip;  // also the status-bar prompt
};

constexpr CommandEntry kCommands[] = {
    {57600, {"&Nueva Declaración\tCtrl+N", "&Nova Declaració\tCtrl+N", "&Nova Declaración\tCtrl+N", "&Nova Declaració\tCtrl+N"},
     {"Nueva declaración", "Nova declaració", "Nova declaración", "Nova declaració"}},
    {57601, {"&Abrir...\tCtrl+A", "&Obrir...\tCtrl+A", "&Abrir...\tCtrl+A", "&Obrir...\tCtrl+A"},
     {"Abrir", "Obrir", "Abrir", "Obrir"}},
    {2039, {"I&mportar", "I&mportar", "I&mportar", "I&mportar"}, {"Importar", "Importar", "Importar", "Importar"}},
    {2046, {"&Exportar", "&Exportar", "&Exportar", "&Exportar"}, {"Exportar", "Exportar", "Exportar", "Exportar"}},
    {32855, {"Imp&ortación Patrimonio 2002", "Imp&ortació Patrimoni 2002", "Imp&ortación Patrimonio 2002", "Imp&ortació Patrimoni 2002"},
     {"Importación Patrimonio 2002", "Importació Patrimoni 2002", "Importación Patrimonio 2002", "Importació Patrimoni 2002"}},
    {57606, {"Con&figurar impresora...", "Con&figurar impressora...", "Con&figurar impresora...", "Con&figurar impressora..."},
     {"Configurar impresora", "Configurar impressora", "Configurar impresora", "Configurar impressora"}},
    {32871, {"Intro&ducción", "Intro&ducció", "Intro&dución", "Intro&ducció"},
     {"Introducción", "Introducció", "Introdución", "Introducció"}},
    {57665, {"&Salir", "&Sortir", "&Saír", "&Eixir"},
     {"Salir de la aplicación", "Sortir de l'aplicació", "Saír da aplicación", "Eixir de l'aplicació"}},
    {2031, {"&Reorganizar Datos", "&Reorganitzar Dades", "&Reorganizar Datos", "&Reorganitzar Dades"},
     {"Reorganizar datos", "Reorganitzar dades", "Reorganizar datos", "Reorganitzar dades"}},
    {59392, {"Barra de &herramientas", "Barra d'&eines", "Barra de &ferramentas", "Barra de &ferramentes"},
     {"Barra de herramientas", "Barra d'eines", "Barra de ferramentas", "Barra de ferramentes"}},
    {59393, {"Barra de &estado", "Barra d'&estat", "Barra de &estado", "Barra d'&estat"},
     {"Barra de estado", "Barra d'estat", "Barra de estado", "Barra d'estat"}},
    {2055, {"&Castellano", "&Castellà", "&Castelán", "&Castellà"}, {"Castellano", "Castellà", "Castelán", "Castellà"}},
    {2056, {"Cata&lán", "Cata&là", "Cata&lán", "Cata&là"}, {"Catalán", "Català", "Catalán", "Català"}},
    {2057, {"&Gallego", "&Gallec", "&Galego", "&Gallec"}, {"Gallego", "Gallec", "Galego", "Gallec"}},
    {2058, {"&Valenciano", "&Valencià", "&Valenciano", "&Valencià"}, {"Valenciano", "Valencià", "Valenciano", "Valencià"}},
    {32873, {"Accesibilidad", "Accessibilitat", "Accesibilidade", "Accessibilitat"},
     {"Accesibilidad", "Accessibilitat", "Accesibilidade", "Accessibilitat"}},
    {32867, {"&Normativa aplicable Quildexan", "&Normativa aplicable Quildexan", "&Normativa aplicable Quildexan", "&Normativa aplicable Quildexan"},
     {"Normativa aplicable", "Normativa aplicable", "Normativa aplicable", "Normativa aplicable"}},
    {32868, {"Preguntas más &frecuentes", "Preguntes més &freqüents", "Preguntas máis &frecuentes", "Preguntes més &freqüents"},
     {"Preguntas más frecuentes", "Preguntes més freqüents", "Preguntas máis frecuentes", "Preguntes més freqüents"}},
    {32869, {"&Página principal de la VELM", "&Pàgina principal de la VELM", "&Páxina principal da VELM", "&Pàgina principal de la VELM"},
     {"Página principal de la VELM", "Pàgina principal de la VELM", "Páxina principal da VELM", "Pàgina principal de la VELM"}},
    {32870, {"Actualizar  &versión...", "Actualitzar  &versió...", "Actualizar  &versión...", "Actualitzar  &versió..."},
     {"Actualizar versión", "Actualitzar versió", "Actualizar versión", "Actualitzar versió"}},
    {57667, {"Temas de &ayuda", "Temes d'&ajuda", "Temas de &axuda", "Temes d'&ajuda"},
     {"Temas de ayuda", "Temes d'ajuda", "Temas de axuda", "Temes d'ajuda"}},
    {57664, {"&Acerca de QUILDEXAN...", "&Quant a QUILDEXAN...", "&Acerca de QUILDEXAN...", "&Quant a QUILDEXAN..."},
     {"Acerca de", "Quant a", "Acerca de", "Quant a"}},
    {57669, {"", "", "", ""}, {"Ayuda", "Ajuda", "Axuda", "Ajuda"}},
    {57603, {"", "", "", ""}, {"Guardar", "Desar", "Gardar", "Guardar"}},
    {57635, {"", "", "", ""}, {"Cortar", "Retallar", "Cortar", "Retallar"}},
    {57634, {"", "", "", ""}, {"Copiar", "Copiar", "Copiar", "Copiar"}},
    {57637, {"", "", "", ""}, {"Pegar", "Enganxar", "Pegar", "Apegar"}},
    {57643, {"", "", "", ""}, {"Deshacer", "Desfer", "Desfacer", "Desfer"}},
    {57607, {"", "", "", ""}, {"Imprimir", "Imprimir", "Imprimir", "Imprimir"}},
    {2026, {"", "", "", ""}, {"Ir a página", "Anar a la pàgina", "Ir á páxina", "Anar a la pàgina"}},
    {2027, {"", "", "", ""}, {"Primera página", "Primera pàgina", "Primeira páxina", "Primera pàgina"}},
    {2030, {"", "", "", ""}, {"Página anterior", "Pàgina anterior", "Páxina anterior", "Pàgina anterior"}},
    {2029, {"", "", "", ""}, {"Página siguiente", "Pàgina següent", "Páxina seguinte", "Pàgina següent"}},
    {2028, {"", "", "", ""}, {"Última página", "Última pàgina", "Última páxina", "Última pàgina"}},
    {134, {"&Apartados de la Declaración", "&Apartats de la Declaració", "&Apartados da Declaración", "&Apartats de la Declaració"},
     {"Apartados de la Declaración", "Apartats de la Declaració", "Apartados da Declaración", "Apartats de la Declaració"}},
    {2022, {"", "", "", ""}, {"Aumentar tamaño", "Augmentar la mida", "Aumentar tamaño", "Augmentar la grandària"}},
    {2024, {"", "", "", ""}, {"Disminuir tamaño", "Disminuir la mida", "Diminuír tamaño", "Disminuir la grandària"}},
    {2020, {"&Calculadora\tF5", "&Calculadora\tF5", "&Calculadora\tF5", "&Calculadora\tF5"},
     {"Presentar calculadora", "Mostrar la calculadora", "Presentar calculadora", "Mostrar la calculadora"}},
    {57612, {"", "", "", ""}, {"Presentación Telemática", "Presentació Telemàtica", "Presentación Telemática", "Presentació Telemàtica"}},
    {2042, {"", "", "", ""}, {"Errores y avisos pendientes.", "Errors i avisos pendents.", "Erros e avisos pendentes.", "Errors i avisos pendents."}},
    {2067, {"", "", "", ""}, {"Datos personales y familiares", "Dades personals i familiars", "Datos persoais e familiares", "Dades personals i familiars"}},
    {2068, {"", "", "", ""}, {"Resumen de resultados", "Resum de resultats", "Resumo de resultados", "Resum de resultats"}},
    {32865, {"Datos Fiscales Incorporados", "Dades Fiscals Incorporades", "Datos Fiscais Incorporados", "Dades Fiscals Incorporades"},
     {"Datos fiscales incorporados", "Dades fiscals incorporades", "Datos fiscais incorporados", "Dades fiscals incorporades"}},
    {32874, {"", "", "", ""}, {"Barra de apartados / página", "Barra d'apartats / pàgina", "Barra de apartados / páxina", "Barra d'apartats / pàgina"}},
    {57680, {"", "", "", ""}, {"Panel siguiente", "Plafó següent", "Panel seguinte", "Plafó següent"}},
    {57681, {"", "", "", ""}, {"Panel anterior", "Plafó anterior", "Panel anterior", "Plafó anterior"}},
};

int Index(char letter) {
  switch (letter) {
    case 'c': return 1;
    case 'g': return 2;
    case 'v': return 3;
    default: return 0;
  }
}

const Entry* FindString(int id) {
  for (const auto& e : kStrings)
    if (e.id == id) return &e;
  return nullptr;
}

const CommandEntry* FindCommand(int id) {
  for (const auto& e : kCommands)
    if (e.id == id) return &e;
  return nullptr;
}

QString Pick(const std::array<const char*, 4>& texts, char letter) {
  const char* t = texts[Index(letter)];
  if (!t || !*t) t = texts[0];
  return QString::fromUtf8(t ? t : "");
}

}  // namespace

void SetTextLanguage(char letter) { g_letter = letter; }
char TextLanguage() { return g_letter; }

QString Text(int id, char letter) {
  if (const Entry* e = FindString(id)) return Pick(e->text, letter);
  if (const CommandEntry* c = FindCommand(id)) return Pick(c->tooltip, letter);
  return {};
}
QString Text(int id) { return Text(id, g_letter); }
bool HasText(int id) { return FindString(id) || FindCommand(id); }

QString MenuText(int commandId) {
  const CommandEntry* c = FindCommand(commandId);
  return c ? Pick(c->menu, g_letter) : QString();
}
QString TooltipText(int commandId) {
  const CommandEntry* c = FindCommand(commandId);
  return c ? Pick(c->tooltip, g_letter) : QString();
}
QString PromptText(int commandId) { return TooltipText(commandId); }

}  // namespace app
