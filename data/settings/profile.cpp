#include "data/settings/profile.h"

#include <cstdio>

#include "blocks/numtext.h"
#include "data/db/databases.h"

namespace settings {

std::string FormatPosition(const WindowRect& r) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d %04d %04d %04d", r.left, r.top, r.right, r.bottom);
  return buffer;
}

WindowRect ParsePosition(std::string_view text) {
  WindowRect r;
  if (text.empty()) return r;
  auto at = [&](std::size_t i) { return i < text.size() ? LeadingInt(text.substr(i)) : 0; };
  r.left = at(0);
  r.top = at(5);
  r.right = at(10);
  r.bottom = at(15);
  return r;
}

int EstadoFromShowState(ShowState state) {
  switch (state) {
    case ShowState::Normal: return 3;
    case ShowState::Minimized: return 2;
    default: return 1;
  }
}

ShowState ShowStateFromEstado(int estado) { return estado == 3 ? ShowState::Normal : ShowState::Maximized; }

double ParseCalculatorMemory(std::string_view text) {
  std::string t(text);
  for (char& c : t)
    if (c == ',') c = '.';
  return blocks::ParseDecimal(t);
}

bool LanguageOffered(std::string_view idioDisp, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < idioDisp.size() && idioDisp[static_cast<std::size_t>(index)] == '1';
}

SettingsProfile::SettingsProfile(std::string path, FolderDefaults folders, IniFile::Reader reader)
    : ini_(std::move(path), std::move(reader)), folders_(std::move(folders)) {
  values.dirBase = folders_.shipped;
  values.dirBDRed = folders_.userData;
  values.dirBDLocal = folders_.shipped;
}

std::string SettingsProfile::DefaultPath() { return db::UserConfigDir() + kProfileName; }

void SettingsProfile::Tell(ProfileProblem problem) {
  bool& told = told_[static_cast<int>(problem)];
  if (told) return;
  told = true;
  if (onProblem_) onProblem_(problem);
}

void SettingsProfile::Load() {
  if (!ini_.Load()) Tell(ProfileProblem::Unreadable);
}

bool SettingsProfile::Save() {
  // A profile that could not be read is left as it is; that was told when it was read.
  if (ini_.ReadFailed()) return false;
  if (ini_.Save()) return true;
  Tell(ProfileProblem::Unwritable);
  return false;
}

void SettingsProfile::ReadStartup() {
  Load();
  values.previewPages = ini_.GetInt("Settings", "PreviewPages", 0);
  values.remota = ini_.GetInt("Remota", "Remota", 0);
  values.accesibilidad = ini_.GetInt("Accesibilidad", "Accesibilidad", 0);
  values.idiomaV = ini_.GetString("Idioma", "IdiomaV", "e");
  values.idiomaI = ini_.GetString("Idioma", "IdiomaI", "e");
  values.zoom = ini_.GetString("Aspecto", "Zoom", "1.0");
  // Where the store lies: its single-copy lock is kept beside it.
  values.dirBDRed = ini_.GetString("Directorios", "DirBDRed", folders_.userData);
}

bool SettingsProfile::ShowIntroduction() {
  Load();
  return ini_.GetString("Inicio", "Introduccion", "TRUE") == "TRUE";
}

bool SettingsProfile::DisableIntroduction() {
  Load();
  ini_.SetString("Inicio", "Introduccion", "FALSE");
  return Save();
}

bool SettingsProfile::LoadFrameSettings() {
  Load();
  values.remota = ini_.GetInt("Remota", "Remota", 0);
  values.impExp = ini_.GetInt("Remota", "ImpExp", 1);
  values.idioDisp = ini_.GetString("Idioma", "IdioDisp", "1000");
  values.idiomaV = ini_.GetString("Idioma", "IdiomaV", "e");
  values.idiomaI = ini_.GetString("Idioma", "IdiomaI", "e");
  values.zoom = ini_.GetString("Aspecto", "Zoom", "1.0");
  values.dirBase = ini_.GetString("Directorios", "DirBase", folders_.shipped);
  values.dirBDRed = ini_.GetString("Directorios", "DirBDRed", folders_.userData);
  values.dirBDLocal = ini_.GetString("Directorios", "DirBDLocal", folders_.shipped);
  // A new user's bar is docked below the page: floating, it would open over the page's boxes.
  values.barApartados = ini_.GetInt("Aspecto", "BarApartados", 1);
  values.barApartadosX = ini_.GetInt("Aspecto", "BarApartadosX", 50);
  values.barApartadosY = ini_.GetInt("Aspecto", "BarApartadosY", 425);
  values.asistente = ini_.GetInt("Aspecto", "Asistente", 0);
  values.showState = ShowStateFromEstado(ini_.GetInt("Aspecto", "Estado", 0));
  values.normalRect = ParsePosition(ini_.GetString("Aspecto", "Posicion", ""));
  values.barTool = ini_.GetInt("Aspecto", "BarTool", 1);
  values.barStat = ini_.GetInt("Aspecto", "BarStat", 1);
  // The calculator's memory lasts only until the program ends.
  ini_.SetString("CALCULADORA", "Memoria", "0.0");
  return Save();
}

bool SettingsProfile::SaveFrameSettings() {
  if (values.remota) return true;
  Load();
  ini_.SetString("Idioma", "IdioDisp", values.idioDisp);
  ini_.SetString("Idioma", "IdiomaV", values.idiomaV);
  ini_.SetString("Idioma", "IdiomaI", values.idiomaI);
  ini_.SetString("Aspecto", "Zoom", values.zoom);
  ini_.SetString("Directorios", "DirBase", values.dirBase);
  ini_.SetString("Directorios", "DirBDRed", values.dirBDRed);
  ini_.SetString("Directorios", "DirBDLocal", values.dirBDLocal);
  ini_.SetInt("Aspecto", "BarApartados", values.barApartados);
  ini_.SetInt("Aspecto", "BarApartadosX", values.barApartadosX);
  ini_.SetInt("Aspecto", "BarApartadosY", values.barApartadosY);
  ini_.SetInt("Aspecto", "Asistente", values.asistente);
  ini_.SetInt("Accesibilidad", "Accesibilidad", values.accesibilidad);
  ini_.SetInt("Aspecto", "Estado", EstadoFromShowState(values.showState));
  ini_.SetString("Aspecto", "Posicion", FormatPosition(values.normalRect));
  ini_.SetInt("Aspecto", "BarTool", values.barTool);
  ini_.SetInt("Aspecto", "BarStat", values.barStat);
  return Save();
}

std::string SettingsProfile::CalculatorMemory() {
  Load();
  return ini_.GetString("CALCULADORA", "Memoria", "");
}

bool SettingsProfile::SetCalculatorMemory(std::string_view text) {
  Load();
  ini_.SetString("CALCULADORA", "Memoria", text);
  return Save();
}

std::string SettingsProfile::GetString(std::string_view section, std::string_view key, std::string_view fallback) {
  Load();
  return ini_.GetString(section, key, fallback);
}

bool SettingsProfile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  Load();
  ini_.SetString(section, key, value);
  return Save();
}

int SettingsProfile::MaxDeclarations() {
  Load();
  return ini_.GetInt("Parametros", "MaxDeclar", db::kMaxDeclarations);
}

}  // namespace settings
