# Dear ImGui as Debian packages it (libimgui-dev): libimgui.a and its headers,
# found through imgui.pc, as the target VexelImGui::imgui. The stb functions
# it calls are linked from libstb.a rather than libstb.so: one shared library
# more in the program would lengthen every symbol lookup of its start-up, the
# GL driver's included, whether or not the overlay is ever shown. Used by the
# build and by the installed package alike.
if(NOT TARGET VexelImGui::imgui AND WIN32)
    # Windows has no Debian packages: Dear ImGui's core built as libimgui.a,
    # with the stb it carries compiled in, its headers under include/imgui.
    find_path(VEXEL_IMGUI_INCLUDE_DIR imgui.h PATH_SUFFIXES imgui REQUIRED)
    find_library(VEXEL_IMGUI_LIBRARY NAMES imgui REQUIRED)
    add_library(VexelImGui::imgui INTERFACE IMPORTED)
    set_target_properties(VexelImGui::imgui PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${VEXEL_IMGUI_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES "${VEXEL_IMGUI_LIBRARY}")
elseif(NOT TARGET VexelImGui::imgui)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(VEXEL_IMGUI REQUIRED imgui)
    find_library(VEXEL_IMGUI_LIBRARY NAMES libimgui.a imgui HINTS ${VEXEL_IMGUI_LIBRARY_DIRS}
        REQUIRED)
    find_library(VEXEL_STB_LIBRARY NAMES libstb.a stb HINTS ${VEXEL_IMGUI_LIBRARY_DIRS} REQUIRED)
    add_library(VexelImGui::imgui INTERFACE IMPORTED)
    set_target_properties(VexelImGui::imgui PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${VEXEL_IMGUI_INCLUDE_DIRS}"
        INTERFACE_LINK_LIBRARIES "${VEXEL_IMGUI_LIBRARY};${VEXEL_STB_LIBRARY};m")
endif()
