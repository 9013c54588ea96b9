# velmar_add_plugin(<target> SOURCES <files...> [LIBRARIES <libs...>])
# A plugin is a shared library in the plugin folder, linked against both host libraries,
# with every symbol hidden except the exported plugin objects.
function(velmar_add_plugin target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES})
    add_library(velmar::${target} ALIAS ${target})
    target_link_libraries(${target} PRIVATE velmar::velmar velmar::tessik velmar_warnings
                          ${ARG_LIBRARIES})
    set_target_properties(${target} PROPERTIES
        PREFIX "lib"
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        LIBRARY_OUTPUT_DIRECTORY "${VELMAR_PLUGIN_OUTPUT_DIR}")
    # Every symbol resolved at link time; not under sanitizers, whose runtime the
    # executable brings (clang does not link it into shared libraries).
    if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
        target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
    install(TARGETS ${target} LIBRARY DESTINATION "${VELMAR_PLUGIN_SUBDIR}")
endfunction()
