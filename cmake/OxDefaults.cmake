# Shared settings for every target we own: strict warnings, optional sanitizers,
# includes rooted at src/. Third-party headers come in as SYSTEM includes through
# their imported targets, so -Werror never trips on them.

option(OX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# The sanitizer runtime's default options, linked into every sanitized executable.
set(OX_ASAN_DEFAULT_OPTIONS ${CMAKE_CURRENT_LIST_DIR}/asan_default_options.cpp)

function(ox_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if(OX_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                                 -fno-sanitize-recover=undefined
                                                 -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_sources(${target} PRIVATE ${OX_ASAN_DEFAULT_OPTIONS})
        endif()
    endif()
endfunction()

# A library of one layer: sources plus the layers/packages it may use.
function(ox_add_library target)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
    ox_target_defaults(${target})
endfunction()
