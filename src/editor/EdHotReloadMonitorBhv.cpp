#include "editor/EdHotReloadMonitorBhv.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "core/ContentError.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/DevelopmentContent.h"
#include "platform/ChildProcess.h"
#include "platform/FolderWatcher.h"

namespace fs = std::filesystem;

namespace {

// The content tool, beside the development content folder; started with no arguments it rebuilds
// the atlases whose sprites changed.
constexpr const char* ToolName = "assetwright";
// Copies the rebuilt atlas into the game's Content folder as a process of its own.
constexpr const char* CopyProgram = "cmake";

GameObject* TopOf(GameObject* object) {
    while (object && object->Parent) {
        object = object->Parent;
    }
    return object;
}

// "why" of a program that did not succeed: the line it ended on, else how it ended.
std::string Failure(const char* program, const ChildProcessResult& run) {
    if (!run.Started) {
        return std::string("cannot start ") + program + " (" + run.StartError + ")";
    }
    const std::string last = run.LastLine();
    if (!last.empty()) {
        return last;
    }
    return run.ExitStatus < 0
               ? std::string(program) + " was killed"
               : std::string(program) + " exited with status " + std::to_string(run.ExitStatus);
}

} // namespace

std::vector<std::string> EdHotReloadMonitorBhv::FoldersToWatch(const fs::path& contentPath) {
    std::vector<std::string> folders;
    std::error_code ec;
    for (fs::directory_iterator banks(contentPath / "Textures", ec), end; !ec && banks != end;
         banks.increment(ec)) {
        if (!banks->is_directory(ec)) {
            continue;
        }
        std::error_code inner;
        for (fs::directory_iterator sprites(banks->path(), inner); !inner && sprites != end;
             sprites.increment(inner)) {
            if (sprites->is_directory(inner)) {
                const fs::path canonical = fs::canonical(sprites->path(), inner);
                if (!inner) {
                    folders.push_back(canonical.string());
                }
            }
        }
    }
    return folders;
}

EdHotReloadMonitorBhv::EdHotReloadMonitorBhv() = default;
EdHotReloadMonitorBhv::~EdHotReloadMonitorBhv() = default;

std::size_t EdHotReloadMonitorBhv::WatchedFolderCount() const {
    return watcher_ ? watcher_->Count() : 0;
}

void EdHotReloadMonitorBhv::Start() {
    const DevelopmentContent* development = Service<DevelopmentContent>::TryGet();
    const TextureManager* textures = Service<TextureManager>::TryGet();
    std::error_code ec;
    if (!development || !textures || development->Folder.empty() || !fs::exists(development->Folder, ec)) {
        Owner->DestroyLater();
        return;
    }
    const fs::path contentPath = development->Folder;

    // Without the tool, the copy program or the Content folder a rebuild could never land: say so
    // once rather than fail on every save.
    const fs::path tool = fs::weakly_canonical(fs::absolute(contentPath / ".." / ToolName, ec), ec);
    // An installed game's Content cannot be written: rebuilt atlases go to the player's overlay,
    // which the texture manager reads on top of it, and whose folders are made as needed.
    const bool overlay = textures->WritableRoot() != textures->ContentRoot();
    const fs::path contentRoot = fs::absolute(textures->WritableRoot(), ec);
    std::string off;
    if (!fs::is_regular_file(tool, ec)) {
        off = "no content tool at " + tool.string();
    } else if (!IsProgramOnPath(CopyProgram)) {
        off = std::string("no ") + CopyProgram + " on PATH to copy rebuilt atlases";
    } else if (!overlay && !fs::is_directory(contentRoot / "Textures", ec)) {
        off = "no folder " + (contentRoot / "Textures").string() + " to copy rebuilt atlases into";
    }
    if (!off.empty()) {
        std::fprintf(stderr, "kelvane: hot reload is off: %s\n", off.c_str());
        Owner->DestroyLater();
        return;
    }
    tool_ = tool;
    contentRoot_ = contentRoot;
    watcher_ = std::make_unique<FolderWatcher>(FoldersToWatch(contentPath));
}

void EdHotReloadMonitorBhv::Update() {
    if (!watcher_) {
        return;
    }
    for (std::size_t i = 0; i < watcher_->Count(); ++i) {
        // Taken before the rebuild: a save that lands while it runs brings one more rebuild.
        if (watcher_->TakeChanged(i)) {
            Rebuild(i);
        }
    }
}

void EdHotReloadMonitorBhv::Rebuild(std::size_t folder) {
    const auto started = std::chrono::steady_clock::now();
    const fs::path spriteFolder = watcher_->Folder(folder);
    const std::string name = spriteFolder.filename().string();
    const fs::path bank = spriteFolder.parent_path();
    const std::string toolFolder = tool_.parent_path().string();

    const ChildProcessResult built = RunChildProcess(tool_.string(), {}, toolFolder);
    if (!built.Succeeded()) {
        ReportFailure(name, Failure(ToolName, built));
        return;
    }
    const fs::path target = contentRoot_ / "Textures" / bank.filename();
    std::error_code made;
    fs::create_directories(target, made);
    const ChildProcessResult copied = RunChildProcess(CopyProgram,
                                                      {"-E", "copy", (bank / (name + ".xml")).string(),
                                                       (bank / (name + ".sheet")).string(), target.string()},
                                                      toolFolder);
    if (!copied.Succeeded()) {
        ReportFailure(name, Failure(CopyProgram, copied));
        return;
    }

    TextureManager& textures = Service<TextureManager>::Get();
    Texture* texture = textures.FindTexture(name);
    if (!texture) {
        std::printf("kelvane: rebuilt atlas \"%s\"; no texture of that name is loaded\n", name.c_str());
        std::fflush(stdout);
        return;
    }
    try {
        if (!textures.ReloadTexture(*texture, TopOf(Owner))) {
            ReportFailure(name, "its new image cannot be read");
            return;
        }
    } catch (const ContentError& error) {
        ReportFailure(name, error.what());
        return;
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started)
            .count();
    std::printf("kelvane: reloaded texture \"%s\" (%d sprites) in %lld ms\n", name.c_str(),
                texture->SpriteCount(), static_cast<long long>(ms));
    std::fflush(stdout);
}

void EdHotReloadMonitorBhv::ReportFailure(const std::string& texture, const std::string& why) const {
    std::fprintf(stderr, "kelvane: hot reload of texture \"%s\" failed: %s; keeping the last good texture\n",
                 texture.c_str(), why.c_str());
}
