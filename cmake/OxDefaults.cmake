# Shared settings for every target we own: strict warnings, optional sanitizers,
# includes rooted at src/. Third-party headers come in as SYSTEM includes through
# their imported targets, so -Werror never trips on them.

option(OX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# Linked into every sanitized executable: the sanitizer runtime's default
# options, and a dlclose that keeps the GL driver mapped for the leak check.
set(OX_SANITIZED_EXECUTABLE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/asan_default_options.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/keep_gl_drivers_loaded.cpp)

# Arithmetic that must round step by step, as the references were made: no
# fused multiply-adds (MSVC fuses none unless asked to).
set(OX_NO_FP_CONTRACT $<$<NOT:$<CXX_COMPILER_ID:MSVC>>:-ffp-contract=off>)

function(ox_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    endif()
    get_target_property(type ${target} TYPE)
    # A MinGW program carries its C++ and threads runtimes, so that it needs
    # no DLL beside it that a plain Windows lacks.
    if(MINGW AND type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -static)
    endif()
    if(OX_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                                 -fno-sanitize-recover=undefined
                                                 -fno-omit-frame-pointer)
        # Only inside this build: a program built against the installed
        # libraries chooses its own flags.
        target_link_options(${target} PUBLIC $<BUILD_INTERFACE:-fsanitize=address,undefined>)
        if(type STREQUAL "EXECUTABLE")
            target_sources(${target} PRIVATE ${OX_SANITIZED_EXECUTABLE_SOURCES})
            target_link_options(${target} PRIVATE -Wl,--export-dynamic-symbol=dlclose)
        endif()
    endif()
endfunction()

# A library of one layer: sources plus the layers/packages it may use. Every
# library is part of the installed package as Vexel::<name without ox_>,
# unless NOT_INSTALLED (the demo's own code).
function(ox_add_library target)
    cmake_parse_arguments(ARG "NOT_INSTALLED" "" "SOURCES;PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
        $<INSTALL_INTERFACE:${OX_INSTALL_INCLUDEDIR}>)
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
    ox_target_defaults(${target})
    if(ARG_NOT_INSTALLED)
        # Its headers stay out of the installed package too: nobody outside
        # could link what they declare.
        foreach(source ${ARG_SOURCES})
            get_filename_component(header ${source} NAME_WE)
            file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
            set_property(GLOBAL APPEND PROPERTY OX_NOT_INSTALLED_HEADERS "${folder}/${header}.hpp")
        endforeach()
    else()
        string(REGEX REPLACE "^ox_" "" exportName ${target})
        set_target_properties(${target} PROPERTIES EXPORT_NAME ${exportName})
        add_library(Vexel::${exportName} ALIAS ${target})
        install(TARGETS ${target} EXPORT VexelTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
    endif()
endfunction()
