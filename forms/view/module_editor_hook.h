// The editors of the 'M' boxes (module units, agrarian products) come with the modules, which
// register their maker at start-up; `connection` is the database the box names.
#pragma once

#include <functional>

class CBoxField;
class CEditEx;
namespace db {
class CAdoConnection;
}

namespace forms {

using ModuleBoxEditorMaker = std::function<CEditEx*(CBoxField& box, db::CAdoConnection* connection)>;
void SetModuleBoxEditorMaker(ModuleBoxEditorMaker maker);

}  // namespace forms
