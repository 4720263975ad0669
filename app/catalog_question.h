#pragma once

#include "model/prompt.h"

#include <windows.h>

// Asked when backups on modification are wanted before the files are catalogued.
inline const Message kCatalogQuestion{
    "Some Options You Have Selected Require A Cataloging Of Files. They Will Not Be Enabled "
    "Until Files Are Catalogged\n\nDo You Want To Do That Now?",
    "Catalog Files", MB_YESNO};
