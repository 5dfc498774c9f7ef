#include "app/command_line.h"

#include "app/version_info.h"

namespace app {

CommandLine ParseCommandLine(const QStringList& args) {
  CommandLine c;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      c.help = true;
    } else if (a == QLatin1String("--version")) {
      c.version = true;
    } else if (a == QLatin1String("--screenshot") || a == QLatin1String("--screenshot-intro")) {
      if (i + 1 >= args.size()) {
        c.error = a + QStringLiteral(" needs a file name");
        break;
      }
      (a == QLatin1String("--screenshot") ? c.screenshot : c.introScreenshot) = args[++i];
    } else if ((a.startsWith(QLatin1Char('/')) || a.startsWith(QLatin1Char('-'))) &&
               (a.mid(1).compare(QLatin1String("Embedding"), Qt::CaseInsensitive) == 0 ||
                a.mid(1).compare(QLatin1String("Automation"), Qt::CaseInsensitive) == 0)) {
      c.embedding = true;
    }
  }
  return c;
}

QString UsageText() {
  return QStringLiteral(
      "Usage: quildexan [options]\n"
      "Prepares the 2003 income-tax (form 100) and wealth-tax (form 714) returns.\n\n"
      "Options:\n"
      "  --help                      show this text and end\n"
      "  --version                   show the version and end\n"
      "  --screenshot FILE           save the screen as FILE once the program is up, then end\n"
      "  --screenshot-intro FILE     with --screenshot: also save it with the introduction shown\n\n"
      "Environment:\n"
      "  QX_CONFIG_DIR     folder of the settings profile QUILDXAN.INI\n"
      "  QX_DATA_DIR       folder of the declarations database DatRed.db\n"
      "  QX_RESOURCES_DIR  folder of the shipped data (DatLocal.db, MODULO03.db ...)\n"
      "  QX_INSTANCE_NAME  name of the single-instance socket\n"
      "  QX_STARTUP_TIME   report the start-up time to the declarations index, then end\n");
}

QString VersionText() {
  const VersionBlock v = VersionFor('e');
  return v.productName + QStringLiteral(" ") + v.productVersion + QStringLiteral(" (") + v.privateBuild +
         QStringLiteral(")\n");
}

}  // namespace app
