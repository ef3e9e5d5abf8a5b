# One static library per subsystem folder (kelvane_<folder>, or several kelvane_<folder>_<part>),
# each naming the modules it uses, so a test links only what it exercises.
#
# The folders form layers, lowest first; a module may link modules of its own layer or below,
# never above. The check runs once every module is declared (kelvane_check_layers), so a link that
# reaches upward fails at configure time, naming both ends.
set(KELVANE_LAYERS engine game editor app)
set(KELVANE_LAYER_FOLDERS_engine core reflection prefabs assets render components physics audio input platform)
set(KELVANE_LAYER_FOLDERS_game events world player enemies flow saves ui)
set(KELVANE_LAYER_FOLDERS_editor editor)
set(KELVANE_LAYER_FOLDERS_app app)

# kelvane_add_module(NAME SOURCES... [DEPS targets...]) makes kelvane_NAME from the sources, in the
# layer of the folder that declares it.
function(kelvane_add_module name)
    cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
    cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME folder)
    set(layer "")
    foreach(candidate IN LISTS KELVANE_LAYERS)
        if(folder IN_LIST KELVANE_LAYER_FOLDERS_${candidate})
            set(layer ${candidate})
        endif()
    endforeach()
    if(NOT layer)
        message(FATAL_ERROR "kelvane_${name}: folder '${folder}' belongs to no layer (see cmake/Modules.cmake)")
    endif()
    add_library(kelvane_${name} STATIC ${M_UNPARSED_ARGUMENTS})
    target_include_directories(kelvane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(kelvane_${name} PUBLIC KELVANE_VERSION="${PROJECT_VERSION}")
    target_link_libraries(kelvane_${name} PUBLIC ${M_DEPS})
    set_target_properties(kelvane_${name} PROPERTIES KELVANE_LAYER ${layer})
    set_property(GLOBAL APPEND PROPERTY KELVANE_MODULES kelvane_${name})
    set_property(GLOBAL APPEND PROPERTY KELVANE_MODULES_${layer} kelvane_${name})
endfunction()

# Fails configuration when any module links a module of a higher layer.
function(kelvane_check_layers)
    get_property(modules GLOBAL PROPERTY KELVANE_MODULES)
    foreach(module IN LISTS modules)
        get_target_property(layer ${module} KELVANE_LAYER)
        list(FIND KELVANE_LAYERS ${layer} rank)
        get_target_property(deps ${module} LINK_LIBRARIES)
        foreach(dep IN LISTS deps)
            if(NOT TARGET ${dep})
                continue()
            endif()
            get_target_property(depLayer ${dep} KELVANE_LAYER)
            if(NOT depLayer)
                continue()
            endif()
            list(FIND KELVANE_LAYERS ${depLayer} depRank)
            if(depRank GREATER rank)
                message(FATAL_ERROR "${module} (${layer} layer) links upward to ${dep} (${depLayer} layer)")
            endif()
        endforeach()
    endforeach()
endfunction()
