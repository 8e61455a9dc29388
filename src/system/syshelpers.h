// The system helpers: small free-standing operations on paths, folders, file
// sizes, well-known folders and the registry. None keeps state; none raises an
// error for a file-system or registry failure but reports it through its result.
#pragma once

#include "system/DirectorySearch.h"
#include "system/FileReplacement.h"
#include "system/FileSize.h"
#include "system/FolderListing.h"
#include "system/Folders.h"
#include "system/PathText.h"
#include "system/Registry.h"
#include "system/SpecialFolders.h"
#include "system/WidePath.h"
