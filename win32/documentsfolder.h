#pragma once

// The Start menu entry starts the program with /Dokumente: the working folder
// becomes the Documents folder of whoever starts it, wherever Windows keeps it
// (redirected, OneDrive), since the entry is installed once for all users.
// Started otherwise, the program keeps the folder it was started in.
namespace DocumentsFolder {

// Whether the command line asks for the Documents folder.
bool asked(const wchar_t *commandLine);

// Enters the user's Documents folder; false (and the working folder kept) if Windows names none.
bool enter();

} // namespace DocumentsFolder
