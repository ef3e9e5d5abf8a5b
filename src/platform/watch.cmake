# Folder change notifications with inotify, one thread per folder (kelvane_platform_watch).
kelvane_add_module(platform_watch ${CMAKE_CURRENT_LIST_DIR}/FolderWatcher.cpp DEPS Threads::Threads)
