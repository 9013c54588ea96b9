# Installs the host libraries with their headers, a CMake package (find_package(velmar)
# gives velmar::velmar and velmar::tessik) and pkg-config files.
include(CMakePackageConfigHelpers)

install(TARGETS tessik velmar EXPORT velmarTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/host/tessik/include/ ${PROJECT_SOURCE_DIR}/host/velmar/include/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
set(VELMAR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/velmar)
install(EXPORT velmarTargets NAMESPACE velmar:: DESTINATION ${VELMAR_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/velmarConfig.cmake.in
    ${PROJECT_BINARY_DIR}/velmarConfig.cmake INSTALL_DESTINATION ${VELMAR_CMAKE_DIR}
    PATH_VARS VELMAR_PLUGIN_SUBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/velmarConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/velmarConfig.cmake ${PROJECT_BINARY_DIR}/velmarConfigVersion.cmake
        DESTINATION ${VELMAR_CMAKE_DIR})

foreach(pc tessik velmar)
    if(pc STREQUAL "tessik")
        set(PC_NAME tessik)
        set(PC_DESCRIPTION "velmar image data model")
        set(PC_REQUIRES "")
    else()
        set(PC_NAME velmar)
        set(PC_DESCRIPTION "velmar plugin interfaces and loader")
        set(PC_REQUIRES "tessik")
    endif()
    set(PC_LIB ${pc}$<$<CONFIG:Debug>:d>)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/velmar.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc.in @ONLY)
    file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/${pc}.pc INPUT ${PROJECT_BINARY_DIR}/${pc}.pc.in)
    install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
