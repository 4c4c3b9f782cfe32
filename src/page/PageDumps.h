// The page's developer dumps; no command of the program reaches them.
#pragma once

// The page's 256-entry colour table, in four boxes.
void DumpColourTable();
// The page image's first bytes, in four boxes.
void DumpPageBytes();
// The page's file header and info header in the developer dialog, creating it if there is none.
void ShowPageHeader();
