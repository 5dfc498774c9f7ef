#include "app/app_texts.h"

#include <array>

#include "platform/strings.h"

namespace app {

namespace {

struct Entry {
  int id;
  std::array<const char*, 4> text;  // e, c, g, v
};

// Titles of the menu bar's popups (menu resource 118).
constexpr Entry kMenuTitles[] = {
    {kStrMenuFile, {"&Archivo", "&Arxiu", "&Arquivo", "&Arxiu"}},
    {kStrMenuTools, {"&Herramientas", "&Eines", "&Ferramentas", "&Ferramentes"}},
    {kStrMenuView, {"&Ver", "&Visualitza", "&Ver", "&Visualitza"}},
    {kStrMenuLanguage, {"&Idioma", "&Idioma", "&Idioma", "&Idioma"}},
    {kStrMenuWeb, {"VELM en la &Web", "VELM a la &Web", "VELM na &Web", "VELM en la &Web"}},
    {kStrMenuHelp, {"Ay&uda", "Aj&uda", "Ax&uda", "Aj&uda"}},
};

// Menu texts of the commands (menu resource 118 and the declaration menus' own items).
struct CommandEntry {
  int id;
  std::array<const char*, 4> menu;  // empty: no menu item
};

constexpr CommandEntry kCommands[] = {
    {57600, {"&Nueva Declaración\tCtrl+N", "&Nova Declaració\tCtrl+N", "&Nova Declaración\tCtrl+N", "&Nova Declaració\tCtrl+N"}},
    {57601, {"&Abrir...\tCtrl+A", "&Obrir...\tCtrl+A", "&Abrir...\tCtrl+A", "&Obrir...\tCtrl+A"}},
    {2039, {"I&mportar", "I&mportar", "I&mportar", "I&mportar"}},
    {2046, {"&Exportar", "&Exportar", "&Exportar", "&Exportar"}},
    {32855, {"Imp&ortación Patrimonio 2002", "Imp&ortació Patrimoni 2002", "Imp&ortación Patrimonio 2002", "Imp&ortació Patrimoni 2002"}},
    {57609, {"&Vista Preliminar", "&Visualització Prèvia", "&Vista Preliminar", "&Vista Prèvia"}},
    {57606, {"Con&figurar impresora...", "Con&figurar impressora...", "Con&figurar impresora...", "Con&figurar impressora..."}},
    {32871, {"Intro&ducción", "Intro&ducció", "Intro&dución", "Intro&ducció"}},
    {57665, {"&Salir", "&Sortir", "&Saír", "&Eixir"}},
    {2031, {"&Reorganizar Datos", "&Reorganitzar Dades", "&Reorganizar Datos", "&Reorganitzar Dades"}},
    {59392, {"Barra de &herramientas", "Barra d'&eines", "Barra de &ferramentas", "Barra de &ferramentes"}},
    {59393, {"Barra de &estado", "Barra d'&estat", "Barra de &estado", "Barra d'&estat"}},
    {2055, {"&Castellano", "&Castellà", "&Castelán", "&Castellà"}},
    {2056, {"Cata&lán", "Cata&là", "Cata&lán", "Cata&là"}},
    {2057, {"&Gallego", "&Gallec", "&Galego", "&Gallec"}},
    {2058, {"&Valenciano", "&Valencià", "&Valenciano", "&Valencià"}},
    {32873, {"Accesibilidad", "Accessibilitat", "Accesibilidade", "Accessibilitat"}},
    {32867, {"&Normativa aplicable Quildexan", "&Normativa aplicable Quildexan", "&Normativa aplicable Quildexan", "&Normativa aplicable Quildexan"}},
    {32868, {"Preguntas más &frecuentes", "Preguntes més &freqüents", "Preguntas máis &frecuentes", "Preguntes més &freqüents"}},
    {32869, {"&Página principal de la VELM", "&Pàgina principal de la VELM", "&Páxina principal da VELM", "&Pàgina principal de la VELM"}},
    {32870, {"Actualizar  &versión...", "Actualitzar  &versió...", "Actualizar  &versión...", "Actualitzar  &versió..."}},
    {57667, {"Temas de &ayuda", "Temes d'&ajuda", "Temas de &axuda", "Temes d'&ajuda"}},
    {57664, {"&Acerca de QUILDEXAN...", "&Quant a QUILDEXAN...", "&Acerca de QUILDEXAN...", "&Quant a QUILDEXAN..."}},
    {134, {"&Apartados de la Declaración", "&Apartats de la Declaració", "&Apartados da Declaración", "&Apartats de la Declaració"}},
    {2020, {"&Calculadora\tF5", "&Calculadora\tF5", "&Calculadora\tF5", "&Calculadora\tF5"}},
    {57602, {"&Cerrar", "&Tancar", "&Pechar", "&Tancar"}},
    {57603, {"&Guardar\tCtrl+G", "&Desar\tCtrl+G", "&Gardar\tCtrl+G", "&Guardar\tCtrl+G"}},
    {32859, {"G&uardar Como ...", "D&esar Com ...", "G&ardar Como ...", "G&uardar Com ..."}},
    {2042, {"&Estado de la Declaración", "&Estat de la Declaració", "&Estado da Declaración", "&Estat de la Declaració"}},
    {2061, {"&Unidad Familiar", "&Unitat Familiar", "&Unidade Familiar", "&Unitat Familiar"}},
    {2062, {"&Declarante", "&Declarant", "&Declarante", "&Declarant"}},
    {2063, {"&Cónyuge", "&Cònjuge", "&Cónxuxe", "&Cònjuge"}},
    {2064, {"Hijo &1", "Fill &1", "Fillo &1", "Fill &1"}},
    {2065, {"Hijo &2", "Fill &2", "Fillo &2", "Fill &2"}},
    {2026, {"&Ir a Página... \tCtrl+I", "&Anar a Pàgina... \tCtrl+I", "&Ir á Páxina... \tCtrl+I", "&Anar a Pàgina... \tCtrl+I"}},
    {2027, {"Página &1", "Pàgina &1", "Páxina &1", "Pàgina &1"}},
    {2028, {"&Ultima Página", "&Última Pàgina", "&Última Páxina", "&Última Pàgina"}},
    {2029, {"&Siguiente", "&Següent", "&Seguinte", "&Següent"}},
    {2030, {"&Anterior", "&Anterior", "&Anterior", "&Anterior"}},
    {2022, {"Zoom &acercar", "Zoom &apropar", "Zoom &achegar", "Zoom &apropar"}},
    {2024, {"Zoom a&lejar", "Zoom a&llunyar", "Zoom a&lonxar", "Zoom a&llunyar"}},
    {57643, {"&Deshacer\tCtrl+Z", "&Desfer\tCtrl+Z", "&Desfacer\tCtrl+Z", "&Desfer\tCtrl+Z"}},
    {57635, {"Cor&tar\tCtrl+X", "Re&tallar\tCtrl+X", "Cor&tar\tCtrl+X", "Re&tallar\tCtrl+X"}},
    {57634, {"&Copiar\tCtrl+C", "&Copiar\tCtrl+C", "&Copiar\tCtrl+C", "&Copiar\tCtrl+C"}},
    {57637, {"&Pegar\tCtrl+V", "&Enganxar\tCtrl+V", "&Pegar\tCtrl+V", "&Apegar\tCtrl+V"}},
    {57669, {"Ay&uda", "Aj&uda", "Ax&uda", "Aj&uda"}},
    {32865, {"Datos Fiscales Incorporados", "Dades Fiscals Incorporades", "Datos Fiscais Incorporados", "Dades Fiscals Incorporades"}},
};

int Index(char letter) {
  switch (letter) {
    case 'c': return 1;
    case 'g': return 2;
    case 'v': return 3;
    default: return 0;
  }
}

const Entry* FindTitle(int id) {
  for (const auto& e : kMenuTitles)
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

void SetTextLanguage(char letter) {
  platform::SetLanguage(letter);
}
char TextLanguage() { return platform::Language(); }

QString Text(int id, char letter) {
  if (const Entry* e = FindTitle(id)) return Pick(e->text, letter);
  const platform::StringTable& table = platform::Strings(letter);
  return table.Has(id) ? table.Get(id) : platform::Strings('e').Get(id);
}
QString Text(int id) { return Text(id, platform::Language()); }
bool HasText(int id) { return FindTitle(id) || platform::Strings('e').Has(id); }

QString MenuText(int commandId) {
  const CommandEntry* c = FindCommand(commandId);
  return c ? Pick(c->menu, platform::Language()) : QString();
}
// A command's string holds its status-bar prompt, a line break and its tooltip.
QString TooltipText(int commandId) { return Text(commandId).section(QLatin1Char('\n'), -1); }
QString PromptText(int commandId) { return Text(commandId).section(QLatin1Char('\n'), 0, 0); }

}  // namespace app
