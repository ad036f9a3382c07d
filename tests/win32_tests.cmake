# Windows test programs that the native ctest runs under wine (see tarnvel_wine_test).
tarnvel_wine_test(win32.tiffcopy tiffcopy_tests.exe)
if(EXISTS ${PROJECT_SOURCE_DIR}/app/main.cpp)
  tarnvel_wine_test(win32.program tarnvel_tests.exe)
endif()
