#pragma once
// Ids of the program's resources, for the resource script
// (app/resources/skin_pack_tool.rc) and the code that loads them alike. Plain
// macros: the resource compiler reads this file too.
#define kIconResourceId 1
