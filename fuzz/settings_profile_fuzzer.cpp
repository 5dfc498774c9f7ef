// The settings profile on an arbitrary QUILDXAN.INI: reading it never goes wrong whatever it
// holds, and what the program writes back is read again as it was written (the frame's settings
// survive a save and a later start).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "data/settings/profile.h"

namespace {

std::string& Folder() {
  static std::string folder;
  return folder;
}

// Names the first value that did not come back as written.
const char* Differs(const settings::ProfileValues& a, const settings::ProfileValues& b) {
  if (a.idioDisp != b.idioDisp) return "IdioDisp";
  if (a.idiomaV != b.idiomaV) return "IdiomaV";
  if (a.idiomaI != b.idiomaI) return "IdiomaI";
  if (a.zoom != b.zoom) return "Zoom";
  if (a.dirBase != b.dirBase) return "DirBase";
  if (a.dirBDRed != b.dirBDRed) return "DirBDRed";
  if (a.dirBDLocal != b.dirBDLocal) return "DirBDLocal";
  if (a.barApartados != b.barApartados || a.barApartadosX != b.barApartadosX || a.barApartadosY != b.barApartadosY)
    return "BarApartados";
  if (a.asistente != b.asistente) return "Asistente";
  if (a.accesibilidad != b.accesibilidad) return "Accesibilidad";
  if (a.showState != b.showState) return "Estado";
  if (a.barTool != b.barTool || a.barStat != b.barStat) return "BarTool";
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/qx-profile-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  Folder() = pattern;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string path = Folder() + "/QUILDXAN.INI";
  std::remove(path.c_str());
  const settings::FolderDefaults folders{"/datos/", "/programa/"};

  // The file as the user left it.
  settings::SettingsProfile given(path, folders, [&text](const std::string&, std::string& out) {
    out = text;
    return settings::IniFile::ReadResult::Read;
  });
  given.ReadStartup();
  given.LoadFrameSettings();
  (void)given.MaxDeclarations();
  (void)settings::ParseCalculatorMemory(given.CalculatorMemory());
  for (int i = 0; i < 4; ++i) (void)settings::LanguageOffered(given.values.idioDisp, i);
  (void)settings::FormatPosition(settings::ParsePosition(given.GetString("Aspecto", "Posicion", "")));
  given.values.remota = 0;  // remote mode never writes the profile
  if (!given.SaveFrameSettings()) return 0;  // the disk refused: nothing to read back

  // A later start reads what was written, writes it again, and the one after reads the same.
  settings::SettingsProfile later(path, folders);
  later.LoadFrameSettings();
  const settings::ProfileValues read = later.values;
  later.values.remota = 0;
  if (!later.SaveFrameSettings()) return 0;
  settings::SettingsProfile again(path, folders);
  again.LoadFrameSettings();
  if (const char* key = Differs(read, again.values)) {
    std::fprintf(stderr, "%s did not come back as written\n", key);
    std::abort();
  }
  std::remove(path.c_str());
  return 0;
}
