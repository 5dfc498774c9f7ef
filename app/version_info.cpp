#include "app/version_info.h"

#include "app/app_texts.h"

#ifndef QX_PRODUCT_VERSION
#define QX_PRODUCT_VERSION "1.00"
#endif

namespace app {

QString GetProductVersion() { return QStringLiteral(QX_PRODUCT_VERSION); }

VersionBlock VersionFor(char letter) {
  const char l = (letter == 'e' || letter == 'c' || letter == 'g' || letter == 'v') ? letter : 'e';
  VersionBlock v;
  v.productVersion = GetProductVersion();
  v.fileDescription = Text(kStrFileDescription, l);
  v.legalCopyright = Text(kStrLegalCopyright, l);
  v.productName = QStringLiteral("QUILDEXAN 2003");
  v.privateBuild = QStringLiteral(__DATE__);
  v.specialBuild = Text(kStrSpecialBuild, l);
  return v;
}

}  // namespace app
