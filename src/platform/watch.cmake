# Folder change notifications with inotify, one thread per folder (kelvane_platform_watch).
kelvane_add_module(platform_watch FolderWatcher.cpp DEPS Threads::Threads)
