#pragma once
// Opens the case file and saves it through the program's Save command in
// an endless loop, growing it first so that one save takes a while.
// Prints "saving" once the first save is done. Returns only on failure.
int RunSaveLoop(const char* path);
