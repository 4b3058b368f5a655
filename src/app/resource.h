#pragma once

// Resource identifiers shared by WinMain and the resource script.
#define GALEMEND_ICON 1
