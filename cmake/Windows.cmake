# The Windows program: its layers (cmake/Layers.cmake), the entry files and the resources. The
# resources are also linked into the test programs, because dialogs, icons and strings are loaded
# from the running module.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(TARNVEL_RESOURCES ${PROJECT_SOURCE_DIR}/ui/tarnvel.rc)
set(TARNVEL_RESOURCE_INPUTS ${PROJECT_SOURCE_DIR}/ui/tarnvel.manifest ${PROJECT_SOURCE_DIR}/ui/tarnvel.ico)
set_source_files_properties(${TARNVEL_RESOURCES} PROPERTIES OBJECT_DEPENDS "${TARNVEL_RESOURCE_INPUTS}")

# WinMain and the runtime's import slots are linked directly: from a library the linker would
# not pull them.
add_executable(Tarnvel WIN32 ${PROJECT_SOURCE_DIR}/app/main.cpp ${PROJECT_SOURCE_DIR}/framework/winmain.cpp
  ${PROJECT_SOURCE_DIR}/app/ansi_runtime_imports.cpp ${TARNVEL_RESOURCES})
target_compile_options(Tarnvel PRIVATE ${TARNVEL_WARNINGS})
target_link_libraries(Tarnvel PRIVATE tarnvel_app)
# The release program ships without symbols; the linker's map says where in it the code ends (the
# constructor and exception tables follow it in the code section), for scripts/check-486.sh.
target_link_options(Tarnvel PRIVATE $<$<CONFIG:Release>:-s> -Wl,-Map=$<TARGET_FILE_DIR:Tarnvel>/Tarnvel.map)
