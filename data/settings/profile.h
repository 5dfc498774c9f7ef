// The user's settings profile QUILDXAN.INI: every section, key and default the program reads,
// who reads and writes them and when. Folder keys default to the user's data folder (the
// declarations) and to the shipped data folder (the program's own files and local tables).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "data/settings/ini_file.h"

namespace settings {

inline constexpr const char* kProfileName = "QUILDXAN.INI";

// Normal (restored) rectangle of the main window.
struct WindowRect {
  int left = 10, top = 10, right = 500, bottom = 400;
  bool operator==(const WindowRect&) const = default;
};
// "%04d %04d %04d %04d": (-4, 12)-(800, 600) is "-004 0012 0800 0600".
std::string FormatPosition(const WindowRect& r);
// The numbers that begin at characters 1, 6, 11 and 16; missing or empty gives (10,10)-(500,400).
WindowRect ParsePosition(std::string_view text);

enum class ShowState { Normal, Minimized, Maximized };
// Written: 3 normal, 2 minimised, 1 otherwise.
int EstadoFromShowState(ShowState state);
// Read: 3 normal, anything else maximised.
ShowState ShowStateFromEstado(int estado);

// The calculator's memory; "," and "." both decimal separators. Empty or not a number: 0.
double ParseCalculatorMemory(std::string_view text);

// True when the language at `index` (0 e, 1 c, 2 g, 3 v) is offered by `IdioDisp`.
bool LanguageOffered(std::string_view idioDisp, int index);

struct FolderDefaults {
  std::string userData;  // DirBDRed
  std::string shipped;   // DirBase, DirBDLocal
};

// Values held in memory between reading and writing the profile, with the defaults of a missing
// profile.
struct ProfileValues {
  // Remota
  int remota = 0;
  int impExp = 1;
  // Idioma
  std::string idioDisp = "1000";
  std::string idiomaV = "e";
  std::string idiomaI = "e";
  // Aspecto
  std::string zoom = "1.0";
  int barApartados = 2;
  int barApartadosX = 50;
  int barApartadosY = 425;
  int asistente = 0;
  ShowState showState = ShowState::Maximized;
  WindowRect normalRect;
  int barTool = 1;
  int barStat = 1;
  // Directorios
  std::string dirBase;
  std::string dirBDRed;
  std::string dirBDLocal;
  // Accesibilidad
  int accesibilidad = 0;
  // Settings (the framework's)
  int previewPages = 0;
};

// What can go wrong with the profile file; each is told once in a run.
enum class ProfileProblem {
  Unreadable,  // the file is there but cannot be read: it is then never written
  Unwritable,  // the file or its folder cannot be written
};

class SettingsProfile {
 public:
  SettingsProfile(std::string path, FolderDefaults folders, IniFile::Reader reader = IniFile::ReadFromDisk);
  // The profile in the user's configuration folder.
  static std::string DefaultPath();

  const std::string& Path() const { return ini_.Path(); }
  ProfileValues values;

  // Start-up, before the main frame: PreviewPages, then Remota, Accesibilidad, IdiomaV, IdiomaI
  // and Zoom.
  void ReadStartup();
  // Inicio/Introduccion is exactly "TRUE" (the default).
  bool ShowIntroduction();
  // Ticking "do not show again" and leaving with Continue: written at once.
  bool DisableIntroduction();

  // The main frame's creation: reads the rest of its keys and resets the calculator's memory to
  // "0.0" in the profile.
  bool LoadFrameSettings();
  // The main frame's destruction: writes its keys back; in remote mode writes nothing.
  bool SaveFrameSettings();

  // CALCULADORA/Memoria, read when the calculator opens and written when it closes.
  std::string CalculatorMemory();
  bool SetCalculatorMemory(std::string_view text);

  // Parametros/MaxDeclar (never written by the program).
  int MaxDeclarations();

  // Any other key of the profile, for the parts that keep their own values in it.
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback);
  bool SetString(std::string_view section, std::string_view key, std::string_view value);

  // Told about each kind of problem once (the program shows it to the user).
  void SetProblemHandler(std::function<void(ProfileProblem)> handler) { onProblem_ = std::move(handler); }

 private:
  void Load();
  bool Save();
  void Tell(ProfileProblem problem);

  IniFile ini_;
  FolderDefaults folders_;
  std::function<void(ProfileProblem)> onProblem_;
  bool told_[2] = {false, false};
};

}  // namespace settings
