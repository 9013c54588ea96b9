# Warning flags shared by every target of the project.
add_library(velmar_warnings INTERFACE)
target_compile_options(velmar_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual)
if(VELMAR_WARNINGS_AS_ERRORS)
    target_compile_options(velmar_warnings INTERFACE -Werror)
endif()
