// The select-folder form: the modal window of the folder picker, with a shell tree of folders,
// buttons to create and delete a folder, and the selected folder's path in a status bar.
#pragma once

#include <functional>

#include "cl_string.h"

// The path shortened to fit `limit` pixels as measured by `textWidth`: leading folders give
// way to "...\" one by one, then the drive goes, and at last everything but the name.
AnsiString ShortenPathToWidth(const AnsiString& path, int limit,
                              const std::function<int(const AnsiString&)>& textWidth);
