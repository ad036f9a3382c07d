# The Windows program. Everything but the entry file goes into one library, so that the
# test program links the same code the product runs. The resources are linked into both,
# because dialogs, icons and strings are loaded from the running module.
enable_language(RC)

file(GLOB TARNVEL_CORE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/framework/*.cpp
  ${PROJECT_SOURCE_DIR}/app/*.cpp
  ${PROJECT_SOURCE_DIR}/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/convert/*.cpp)
list(FILTER TARNVEL_CORE_SOURCES EXCLUDE REGEX "/app/main\\.cpp$|/app/ansi_runtime_imports\\.cpp$|/framework/winmain\\.cpp$")
set(TARNVEL_RESOURCES ${PROJECT_SOURCE_DIR}/ui/tarnvel.rc)

add_library(tarnvel_core STATIC ${TARNVEL_CORE_SOURCES})
target_include_directories(tarnvel_core PUBLIC ${PROJECT_SOURCE_DIR})
# The oldest Windows the program runs on, so that anything newer does not compile unless it is
# looked up at run time: Windows 95 and NT 4.0, with the common controls of Internet Explorer 4.
target_compile_definitions(tarnvel_core PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX)
target_compile_options(tarnvel_core PRIVATE ${TARNVEL_WARNINGS})
target_link_libraries(tarnvel_core PUBLIC tiffcopy comctl32 shell32 ole32 oleaut32 uuid gdi32 user32 advapi32)

# WinMain and the runtime's import slots are linked directly: from the library the linker would
# not pull them.
add_executable(Tarnvel WIN32 ${PROJECT_SOURCE_DIR}/app/main.cpp ${PROJECT_SOURCE_DIR}/framework/winmain.cpp
  ${PROJECT_SOURCE_DIR}/app/ansi_runtime_imports.cpp ${TARNVEL_RESOURCES})
target_compile_options(Tarnvel PRIVATE ${TARNVEL_WARNINGS})
target_link_libraries(Tarnvel PRIVATE tarnvel_core)
# The release program ships without symbols.
target_link_options(Tarnvel PRIVATE $<$<CONFIG:Release>:-s>)

if(NOT TARNVEL_TESTS)
  return()
endif()

# The browsing benchmark: the real dialog under wine, run by scripts/bench.sh.
add_executable(tarnvel_bench ${PROJECT_SOURCE_DIR}/bench/win32/browse_bench.cpp
  ${PROJECT_SOURCE_DIR}/tests/win32/modal_runner.cpp ${PROJECT_SOURCE_DIR}/tests/win32/ui/folder_tree_host.cpp
  ${PROJECT_SOURCE_DIR}/tests/win32/ui/temp_folder.cpp
  ${TARNVEL_RESOURCES})
target_include_directories(tarnvel_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_options(tarnvel_bench PRIVATE ${TARNVEL_WARNINGS})
target_link_libraries(tarnvel_bench PRIVATE tarnvel_core gtest)
