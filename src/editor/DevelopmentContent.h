#pragma once

#include <filesystem>

// Where the development copy of the content lives, as the game configuration names it: empty on a
// player's machine. The application fills it in at start-up; the editor's hot reload watches it.
struct DevelopmentContent {
    std::filesystem::path Folder;
};
