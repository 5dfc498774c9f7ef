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

// The editors of the boxes whose selection dialog the modules build (the activity codes); the maker
// answers null for a box it does not take, which then gets the plain selection edit.
void SetSelectionBoxEditorMaker(ModuleBoxEditorMaker maker);

}  // namespace forms
