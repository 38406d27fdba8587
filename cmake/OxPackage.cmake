# The installed package: headers under include/vexel, the libraries, and
# VexelConfig.cmake with its version file, so that another project writes
# find_package(Vexel) and links Vexel::engine, Vexel::renderer_opengl, ...
include(CMakePackageConfigHelpers)

set(OX_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vexel)

# The headers of every installed library; a library kept out of the package
# (the demo's) keeps its headers out as well.
get_property(ox_not_installed_headers GLOBAL PROPERTY OX_NOT_INSTALLED_HEADERS)
set(ox_header_excludes)
foreach(header ${ox_not_installed_headers})
    list(APPEND ox_header_excludes REGEX "/${header}$" EXCLUDE)
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION ${OX_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.hpp" ${ox_header_excludes})
install(EXPORT VexelTargets NAMESPACE Vexel:: DESTINATION ${OX_CONFIG_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VexelConfig.cmake.in
    ${PROJECT_BINARY_DIR}/VexelConfig.cmake
    INSTALL_DESTINATION ${OX_CONFIG_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VexelConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VexelConfig.cmake
              ${PROJECT_BINARY_DIR}/VexelConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/VexelImGui.cmake
    DESTINATION ${OX_CONFIG_DIR})
