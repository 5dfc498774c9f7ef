#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "data/settings/profile.h"
#include "db_fixture.h"

using namespace settings;

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

class ProfileTest : public ::testing::Test {
 protected:
  std::string Ini() const { return dir.Str() + kProfileName; }
  FolderDefaults Folders() const { return {dir.Str() + "data/", dir.Str() + "shipped/"}; }
  dbtest::TempDir dir;
};

TEST_F(ProfileTest, MissingProfileGivesEveryDefault) {
  SettingsProfile p(Ini(), Folders());
  p.ReadStartup();
  EXPECT_TRUE(p.ShowIntroduction());
  ASSERT_TRUE(p.LoadFrameSettings());
  const ProfileValues& v = p.values;
  EXPECT_EQ(v.remota, 0);
  EXPECT_EQ(v.impExp, 1);
  EXPECT_EQ(v.idioDisp, "1000");
  EXPECT_TRUE(LanguageOffered(v.idioDisp, 0));
  EXPECT_FALSE(LanguageOffered(v.idioDisp, 1));
  EXPECT_EQ(v.idiomaV, "e");
  EXPECT_EQ(v.idiomaI, "e");
  EXPECT_EQ(v.zoom, "1.0");
  EXPECT_EQ(v.barApartados, 1) << "docked, never over the page";
  EXPECT_EQ(v.barApartadosX, 50);
  EXPECT_EQ(v.barApartadosY, 425);
  EXPECT_EQ(v.asistente, 0);
  EXPECT_EQ(v.showState, ShowState::Maximized);
  EXPECT_EQ(v.normalRect, (WindowRect{10, 10, 500, 400}));
  EXPECT_EQ(v.barTool, 1);
  EXPECT_EQ(v.barStat, 1);
  EXPECT_EQ(v.dirBase, dir.Str() + "shipped/");
  EXPECT_EQ(v.dirBDRed, dir.Str() + "data/");
  EXPECT_EQ(v.dirBDLocal, dir.Str() + "shipped/");
  EXPECT_EQ(v.accesibilidad, 0);
  EXPECT_EQ(v.previewPages, 0);
  EXPECT_EQ(p.MaxDeclarations(), 50);
  // Every start resets the calculator's memory.
  EXPECT_EQ(p.CalculatorMemory(), "0.0");
}

TEST_F(ProfileTest, EveryKeyRoundTrips) {
  {
    SettingsProfile p(Ini(), Folders());
    p.LoadFrameSettings();
    ProfileValues& v = p.values;
    v.idioDisp = "1101";
    v.idiomaV = "c";
    v.idiomaI = "g";
    v.zoom = "1.25";
    v.barApartados = 3;
    v.barApartadosX = -7;
    v.barApartadosY = 999;
    v.asistente = 1;
    v.showState = ShowState::Normal;
    v.normalRect = {-4, 12, 800, 600};
    v.barTool = 0;
    v.barStat = 0;
    v.dirBase = "/srv/base/";
    v.dirBDRed = "/home/u/decl/";
    v.dirBDLocal = "/srv/local/";
    v.accesibilidad = 1;
    ASSERT_TRUE(p.SaveFrameSettings());
    ASSERT_TRUE(p.SetCalculatorMemory("12,5"));
  }
  const std::string text = ReadAll(Ini());
  EXPECT_NE(text.find("Posicion=-004 0012 0800 0600"), std::string::npos) << text;
  EXPECT_NE(text.find("Estado=3"), std::string::npos);

  SettingsProfile q(Ini(), Folders());
  q.ReadStartup();
  EXPECT_EQ(q.values.idiomaV, "c");
  EXPECT_EQ(q.values.idiomaI, "g");
  EXPECT_EQ(q.values.zoom, "1.25");
  EXPECT_EQ(q.values.accesibilidad, 1);
  EXPECT_DOUBLE_EQ(ParseCalculatorMemory(q.CalculatorMemory()), 12.5);
  ASSERT_TRUE(q.LoadFrameSettings());
  const ProfileValues& v = q.values;
  EXPECT_EQ(v.idioDisp, "1101");
  EXPECT_EQ(v.barApartados, 3);
  EXPECT_EQ(v.barApartadosX, -7);
  EXPECT_EQ(v.barApartadosY, 999);
  EXPECT_EQ(v.asistente, 1);
  EXPECT_EQ(v.showState, ShowState::Normal);
  EXPECT_EQ(v.normalRect, (WindowRect{-4, 12, 800, 600}));
  EXPECT_EQ(v.barTool, 0);
  EXPECT_EQ(v.barStat, 0);
  EXPECT_EQ(v.dirBase, "/srv/base/");
  EXPECT_EQ(v.dirBDRed, "/home/u/decl/");
  EXPECT_EQ(v.dirBDLocal, "/srv/local/");
  EXPECT_EQ(q.CalculatorMemory(), "0.0");
}

TEST_F(ProfileTest, WindowStatesAndPositions) {
  EXPECT_EQ(EstadoFromShowState(ShowState::Normal), 3);
  EXPECT_EQ(EstadoFromShowState(ShowState::Minimized), 2);
  EXPECT_EQ(EstadoFromShowState(ShowState::Maximized), 1);
  EXPECT_EQ(ShowStateFromEstado(3), ShowState::Normal);
  EXPECT_EQ(ShowStateFromEstado(2), ShowState::Maximized);  // a minimised window comes back maximised
  EXPECT_EQ(FormatPosition({-4, 12, 800, 600}), "-004 0012 0800 0600");
  EXPECT_EQ(ParsePosition("-004 0012 0800 0600"), (WindowRect{-4, 12, 800, 600}));
  EXPECT_EQ(ParsePosition("12345 0012 0800 0600").left, 12345);
  EXPECT_EQ(ParsePosition(""), (WindowRect{10, 10, 500, 400}));
  EXPECT_EQ(ParsePosition("0001"), (WindowRect{1, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(ParseCalculatorMemory("3.25"), 3.25);
  EXPECT_DOUBLE_EQ(ParseCalculatorMemory("abc"), 0.0);
}

TEST_F(ProfileTest, RemoteModeWritesNothingAndIntroductionSwitchesOff) {
  std::ofstream(Ini()) << "; hand-written\n[remota]\nremota = 1\n[Aspecto]\nZoom=2.0\nOtra=xyz\n[Parametros]\nMaxDeclar=80\n";
  SettingsProfile p(Ini(), Folders());
  p.ReadStartup();
  EXPECT_EQ(p.values.remota, 1);
  EXPECT_EQ(p.values.zoom, "2.0");
  EXPECT_EQ(p.MaxDeclarations(), 80);
  const std::string before = ReadAll(Ini());
  p.values.zoom = "3.0";
  ASSERT_TRUE(p.SaveFrameSettings());
  EXPECT_EQ(ReadAll(Ini()), before);

  EXPECT_TRUE(p.ShowIntroduction());
  ASSERT_TRUE(p.DisableIntroduction());
  SettingsProfile q(Ini(), Folders());
  EXPECT_FALSE(q.ShowIntroduction());
  const std::string after = ReadAll(Ini());
  EXPECT_NE(after.find("; hand-written"), std::string::npos);  // unknown lines survive
  EXPECT_NE(after.find("Otra=xyz"), std::string::npos);
}

TEST(IniFileInts, TextThatIsNotANumberReadsAsZero) {
  EXPECT_EQ(LeadingInt("abc"), 0);
  EXPECT_EQ(LeadingInt(" 42x"), 42);
  EXPECT_EQ(LeadingInt("-3"), -3);
}

// A profile that is there but cannot be read is never replaced by defaults: every write is
// refused and the user is told once. Run as any user: a folder in the file's place and a failing
// read stand for a file the user may not read.
TEST_F(ProfileTest, AnUnreadableProfileIsNeverWrittenAndToldOnce) {
  namespace fs = std::filesystem;
  const std::string mine = "; mine\n[Aspecto]\nZoom=2.0\n[CALCULADORA]\nMemoria=7\n";
  struct Case {
    const char* name;
    std::function<void()> prepare;
    IniFile::Reader reader;
  };
  std::vector<Case> cases = {
      {"a folder in the file's place", [&] { fs::create_directory(Ini()); }, IniFile::ReadFromDisk},
      {"a read that fails", [&] { std::ofstream(Ini()) << mine; },
       [](const std::string&, std::string&) { return IniFile::ReadResult::Failed; }},
  };
  if (geteuid() != 0)  // the superuser reads whatever the permissions say
    cases.push_back({"no permission to read", [&] {
                       std::ofstream(Ini()) << mine;
                       fs::permissions(Ini(), fs::perms::owner_write);
                     }, IniFile::ReadFromDisk});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(Ini());
    c.prepare();
    std::vector<ProfileProblem> told;
    SettingsProfile p(Ini(), Folders(), c.reader);
    p.SetProblemHandler([&](ProfileProblem problem) { told.push_back(problem); });
    p.ReadStartup();
    EXPECT_TRUE(p.ShowIntroduction());
    EXPECT_FALSE(p.DisableIntroduction());
    EXPECT_FALSE(p.LoadFrameSettings());
    EXPECT_EQ(p.values.zoom, "1.0");  // the defaults stand in, in memory only
    p.values.zoom = "3.0";
    EXPECT_FALSE(p.SaveFrameSettings());
    EXPECT_FALSE(p.SetCalculatorMemory("1"));
    EXPECT_EQ(told, std::vector<ProfileProblem>{ProfileProblem::Unreadable});
    fs::permissions(Ini(), fs::perms::owner_all);
    if (fs::is_directory(Ini())) EXPECT_TRUE(fs::is_empty(Ini()));
    else EXPECT_EQ(ReadAll(Ini()), mine);
    EXPECT_FALSE(fs::exists(Ini() + ".tmp"));
  }
}

// A config folder that cannot be written is told once, however often the profile is saved.
TEST_F(ProfileTest, AnUnwritableFolderIsToldOnce) {
  std::ofstream(dir.Str() + "notafolder") << "x";
  std::vector<ProfileProblem> told;
  SettingsProfile p(dir.Str() + "notafolder/" + kProfileName, Folders());
  p.SetProblemHandler([&](ProfileProblem problem) { told.push_back(problem); });
  p.ReadStartup();
  EXPECT_FALSE(p.LoadFrameSettings());
  EXPECT_FALSE(p.SaveFrameSettings());
  EXPECT_FALSE(p.SetCalculatorMemory("1"));
  EXPECT_EQ(told, std::vector<ProfileProblem>{ProfileProblem::Unwritable});
}

// A profile kept elsewhere through a symbolic link stays a link (its target is written), and a
// profile with CRLF line ends keeps them, its untouched lines and its permissions.
TEST_F(ProfileTest, LinksLineEndsAndPermissionsAreKept) {
  namespace fs = std::filesystem;
  fs::create_directory(dir.Path() / "kept");
  const fs::path target = dir.Path() / "kept" / kProfileName;
  std::ofstream(target, std::ios::binary) << "; mine\r\n[Aspecto]\r\nZoom = 2.0\r\nBarTool = 1\r\nOtra=xyz\r\n";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(fs::path("kept") / kProfileName, Ini());

  SettingsProfile p(Ini(), Folders());
  ASSERT_TRUE(p.LoadFrameSettings());
  EXPECT_EQ(p.values.zoom, "2.0");
  p.values.zoom = "3.0";
  ASSERT_TRUE(p.SaveFrameSettings());

  EXPECT_TRUE(fs::is_symlink(Ini()));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  std::ifstream in(target, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  const std::string text = s.str();
  EXPECT_EQ(text.rfind("; mine\r\n[Aspecto]\r\nZoom=3.0\r\nBarTool = 1\r\nOtra=xyz\r\n", 0), 0u) << text;
  for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
    EXPECT_EQ(text[i - 1], '\r') << "line end at " << i;
  EXPECT_EQ(SettingsProfile(Ini(), Folders()).CalculatorMemory(), "0.0");
}

// Start and end save the profile every run: one whose text would not change is left as it is
// (the same file, not a copy renamed over it); a change, or a file gone meanwhile, is written.
TEST_F(ProfileTest, AnUnchangedProfileIsNotRewritten) {
  auto inode = [&] {
    struct stat st {};
    return ::stat(Ini().c_str(), &st) == 0 ? static_cast<long long>(st.st_ino) : -1LL;
  };
  SettingsProfile p(Ini(), Folders());
  ASSERT_TRUE(p.LoadFrameSettings());
  ASSERT_TRUE(p.SaveFrameSettings());
  const long long first = inode();
  ASSERT_NE(first, -1);
  const std::string text = ReadAll(Ini());

  SettingsProfile again(Ini(), Folders());
  ASSERT_TRUE(again.LoadFrameSettings());
  ASSERT_TRUE(again.SaveFrameSettings());
  EXPECT_EQ(inode(), first);
  EXPECT_EQ(ReadAll(Ini()), text);

  again.values.zoom = "2.0";
  ASSERT_TRUE(again.SaveFrameSettings());
  EXPECT_NE(ReadAll(Ini()).find("Zoom=2.0"), std::string::npos);

  std::filesystem::remove(Ini());
  ASSERT_TRUE(again.SaveFrameSettings());
  EXPECT_NE(ReadAll(Ini()).find("Zoom=2.0"), std::string::npos);
}
