#pragma once

// The resources of zelvane.exe, named once for the resource script and the code.
#define ZELVANE_ICON_RESOURCE 1
