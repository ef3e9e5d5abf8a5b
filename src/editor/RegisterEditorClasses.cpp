#include "editor/RegisterEditorClasses.h"

#include "editor/EdDialogBhv.h"
#include "editor/EdHotReloadMonitorBhv.h"
#include "editor/EdPaletteBhv.h"
#include "editor/EdRootBhv.h"
#include "editor/palettes/EdPalAutoCreateListBhv.h"
#include "editor/palettes/EdPalHistoryBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdDlgComponentPickerBhv.h"
#include "editor/tools/EdDlgPrefabPickerBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdRowMultiContainerBhv.h"
#include "editor/widgets/EdSpacerBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "reflection/ComponentRegistry.h"

void RegisterEditorClasses(ComponentRegistry& registry) {
    registry.Register<EdRootBhv>();
    registry.Register<EdHotReloadMonitorBhv>();
    registry.Register<EdPaletteBhv>();
    registry.Register<EdDialogBhv>();
    registry.Register<EdTitleBarBhv>();
    registry.Register<EdButtonBhv>();
    registry.Register<EdToggleBhv>();
    registry.Register<EdFieldBhv>();
    registry.Register<EdListItemBhv>();
    registry.Register<EdPropertyRowBhv>();
    registry.Register<EdRowMultiContainerBhv>();
    registry.Register<EdSpacerBhv>();
    registry.Register<EdSpritePickerBhv>();
    registry.Register<EdShapeEditorBhv>();
    registry.Register<EdCameraMoverBhv>();
    registry.Register<EdDlgComponentPickerBhv>();
    registry.Register<EdDlgPrefabPickerBhv>();
    registry.Register<EdPalMainBhv>();
    registry.Register<EdPalObjectListBhv>();
    registry.Register<EdPalPrefabListBhv>();
    registry.Register<EdPalAutoCreateListBhv>();
    registry.Register<EdPalObjectEditBhv>();
    registry.Register<EdPalHistoryBhv>();
}
