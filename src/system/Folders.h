// Folder creation and folder and file existence tests. None of them reports a
// platform failure other than through its result.
#pragma once

#include <string>

// Creates, left to right, every folder named by the folder part of a file path,
// up to and including each backslash: C:\A\B\f.dll tries C:\ then C:\A\ then C:\A\B\.
// Failed attempts (a folder that exists, a drive root) are ignored.
void CreatePathFolders(const std::string& filePath);

// True when path names an existing folder.
bool FolderExists(const std::string& path);

// True when the folder exists and holds nothing but "." and "..": a hidden or
// system entry makes it non-empty. False when it is missing or cannot be searched.
bool FolderIsEmpty(const std::string& folder);

// True when a directory search for path finds an entry and the first entry found is
// not a folder.
bool FileExists(const std::string& path);
